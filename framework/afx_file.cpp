#include "afx_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "afx_faults.h"

namespace {

using afx_faults::FileCall;

// Bytes that may still pass through CStdioFile before an injected fault; none when unset.
std::optional<std::size_t> ioBudget;

struct CallFault {
  int calls = 0;
  int failingCall = 0;  // the count at which a call fails; 0 for none
};
std::array<CallFault, static_cast<std::size_t>(FileCall::rename) + 1> callFaults;

CallFault& FaultOf(FileCall call) { return callFaults[static_cast<std::size_t>(call)]; }

// Counts a call; answers whether it is the one to fail.
bool Fails(FileCall call) {
  CallFault& fault = FaultOf(call);
  return ++fault.calls == fault.failingCall;
}

// How many of `wanted` bytes may pass now.
std::size_t Allowance(std::size_t wanted) {
  if (!ioBudget) return wanted;
  const std::size_t allowed = std::min(wanted, *ioBudget);
  *ioBudget -= allowed;
  return allowed;
}

std::string NativePath(const char* path) {
  std::string native(path ? path : "");
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

namespace afx_faults {

void FailFileCall(FileCall call, int nth) {
  CallFault& fault = FaultOf(call);
  fault.failingCall = nth > 0 ? fault.calls + nth : 0;
}

int FileCallCount(FileCall call) { return FaultOf(call).calls; }

void FailFileIoAfter(std::size_t bytes) { ioBudget = bytes; }

void ClearFileFaults() {
  ioBudget.reset();
  callFaults = {};
}

}  // namespace afx_faults

CStdioFile::~CStdioFile() { Abort(); }

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  Abort();
  text_ = (openFlags & typeText) != 0;
  const bool readWrite = (openFlags & modeReadWrite) != 0;
  const bool write = readWrite || (openFlags & modeWrite) != 0;
  const char* mode = (openFlags & modeCreate) ? (readWrite ? "w+b" : "wb") : (write ? "r+b" : "rb");
  if (Fails(FileCall::open)) {
    errno = EACCES;
  } else {
    stream_ = std::fopen(NativePath(fileName).c_str(), mode);
  }
  int cause = CFileException::none;
  if (!stream_) {
    cause = errno == ENOENT ? CFileException::fileNotFound : CFileException::accessDenied;
  } else {
    // A directory is not a file here, as on Windows.
    struct stat status {};
    if (fstat(fileno(stream_), &status) != 0 || S_ISDIR(status.st_mode)) {
      Abort();
      cause = CFileException::accessDenied;
    }
  }
  if (error) {
    error->m_cause = cause;
    error->m_lOsError = stream_ ? 0 : errno;
  }
  return stream_ != nullptr;
}

BOOL CStdioFile::ReadString(CString& line) {
  if (!stream_) return FALSE;
  lineBytes_.clear();
  for (bool ended = false; !ended && (readAt_ < readEnd_ || ReadBlock());) {
    const char* begin = readBlock_.data() + readAt_;
    const std::size_t available = readEnd_ - readAt_;
    const void* lineFeed = std::memchr(begin, '\n', available);
    ended = lineFeed != nullptr;
    const std::size_t taken =
        ended ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - begin) + 1
              : available;
    lineBytes_.append(begin, taken);
    readAt_ += taken;
  }
  std::size_t length = lineBytes_.size();
  if (length == 0) return FALSE;
  if (Allowance(length) < length) Fail(CFileException::hardIO);
  if (lineBytes_[length - 1] == '\n') {
    --length;
    if (text_ && length > 0 && lineBytes_[length - 1] == '\r') --length;
  }
  // The original reads a line as a C string: its text ends at a zero byte.
  length = std::find(lineBytes_.data(), lineBytes_.data() + length, '\0') - lineBytes_.data();
  line.SetString(lineBytes_.data(), static_cast<int>(length));
  return TRUE;
}

bool CStdioFile::ReadBlock() {
  constexpr std::size_t kBlockSize = 64 * 1024;
  readBlock_.resize(kBlockSize);
  readAt_ = 0;
  readEnd_ = std::fread(readBlock_.data(), 1, kBlockSize, stream_);
  if (std::ferror(stream_)) Fail(CFileException::hardIO);
  return readEnd_ > 0;
}

void CStdioFile::WriteString(const char* text) {
  if (!stream_) Fail(CFileException::genericException);
  if (Fails(FileCall::write)) Fail(CFileException::diskFull);
  const char* bytes = text ? text : "";
  std::size_t size = std::strlen(bytes);
  if (text_ && size > 0 && std::memchr(bytes, '\n', size)) {
    // Text mode: each line feed after a carriage return, the whole text written in one piece.
    writeBuffer_.clear();
    const char* end = bytes + size;
    for (const char* rest = bytes; rest < end;) {
      const void* found = std::memchr(rest, '\n', static_cast<std::size_t>(end - rest));
      const char* lineFeed = found ? static_cast<const char*>(found) : end;
      writeBuffer_.append(rest, lineFeed);
      if (lineFeed < end) writeBuffer_.append("\r\n", 2);
      rest = lineFeed + 1;
    }
    bytes = writeBuffer_.data();
    size = writeBuffer_.size();
  }
  const std::size_t allowed = Allowance(size);
  if (std::fwrite(bytes, 1, allowed, stream_) != allowed || allowed < size) {
    Fail(CFileException::diskFull);
  }
}

void CStdioFile::Flush() {
  if (!stream_) return;
  if (Fails(FileCall::flush) || std::fflush(stream_) != 0) Fail(CFileException::diskFull);
  if (Fails(FileCall::sync) || fsync(fileno(stream_)) != 0) Fail(CFileException::hardIO);
}

void CStdioFile::Close() {
  if (!stream_) return;
  std::FILE* stream = stream_;
  stream_ = nullptr;
  const bool failed = Fails(FileCall::close);
  if (std::fclose(stream) != 0 || failed) Fail(CFileException::diskFull);
}

void CStdioFile::Abort() {
  if (stream_) std::fclose(stream_);
  stream_ = nullptr;
  readAt_ = readEnd_ = 0;
}

void CStdioFile::Fail(int cause) { throw new CFileException(cause, errno); }

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
  std::vector<char> path(256);
  while (!getcwd(path.data(), path.size())) {
    if (errno != ERANGE) return 0;
    path.resize(path.size() * 2);
  }
  const std::string text(path.data());
  if (!buffer || bufferLength <= text.size()) return static_cast<DWORD>(text.size() + 1);
  std::copy(text.c_str(), text.c_str() + text.size() + 1, buffer);
  return static_cast<DWORD>(text.size());
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  const std::string from = NativePath(existingFileName);
  const std::string to = NativePath(newFileName);
  if (Fails(FileCall::rename)) return FALSE;
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && access(to.c_str(), F_OK) == 0) return FALSE;
  if (std::rename(from.c_str(), to.c_str()) != 0) return FALSE;
  if (flags & MOVEFILE_WRITE_THROUGH) {
    const int directory = open(ParentOf(to).c_str(), O_RDONLY | O_DIRECTORY);
    if (directory >= 0) {
      fsync(directory);
      close(directory);
    }
  }
  return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName) { return unlink(NativePath(fileName).c_str()) == 0; }
