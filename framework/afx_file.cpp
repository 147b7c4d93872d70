#include "afx_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "afx_faults.h"
#include "afx_platform.h"

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

// Windows text mode takes Ctrl-Z as the end of the file, whatever follows it.
constexpr int kTextEnd = 0x1A;

// An injected failure says what the system's own would.
void InjectError(int error, DWORD code) {
  errno = error;
  SetLastError(code);
}

// The Windows error code of the failure just met, as the original's file exception carries it.
LONG LastOsError() {
#ifdef _WIN32
  return static_cast<LONG>(GetLastError());
#else
  return static_cast<LONG>(afx_platform::WindowsErrorOf(errno));
#endif
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
  using afx_platform::OpenMode;
  Abort();
  text_ = (openFlags & typeText) != 0;
  atTextEnd_ = false;
  const bool readWrite = (openFlags & modeReadWrite) != 0;
  const bool write = readWrite || (openFlags & modeWrite) != 0;
  const OpenMode mode = (openFlags & modeCreate)
                            ? (readWrite ? OpenMode::kCreateReadWrite : OpenMode::kCreateWrite)
                            : (write ? OpenMode::kReadWrite : OpenMode::kRead);
  bool notFound = false;
  if (Fails(FileCall::open)) {
    InjectError(EACCES, ERROR_ACCESS_DENIED);
  } else {
    stream_ = afx_platform::Default().OpenFile(fileName ? fileName : "", mode, notFound);
  }
  if (error) {
    error->m_cause = stream_    ? CFileException::none
                     : notFound ? CFileException::fileNotFound
                                : CFileException::accessDenied;
    error->m_lOsError = stream_ ? 0 : LastOsError();
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
  if (Allowance(length) < length) {
    InjectError(EIO, ERROR_IO_DEVICE);
    Fail(CFileException::hardIO);
  }
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
  if (atTextEnd_) return false;
  readBlock_.resize(kBlockSize);
  readAt_ = 0;
  readEnd_ = std::fread(readBlock_.data(), 1, kBlockSize, stream_);
  if (std::ferror(stream_)) Fail(CFileException::hardIO);
  if (text_) {
    if (const void* textEnd = std::memchr(readBlock_.data(), kTextEnd, readEnd_)) {
      readEnd_ = static_cast<std::size_t>(static_cast<const char*>(textEnd) - readBlock_.data());
      atTextEnd_ = true;
    }
  }
  return readEnd_ > 0;
}

void CStdioFile::WriteString(const char* text) {
  const char* bytes = text ? text : "";
  WriteBytes(bytes, std::strlen(bytes));
}

void CStdioFile::Write(const void* buffer, UINT count) {
  WriteBytes(static_cast<const char*>(buffer), buffer ? count : 0);
}

void CStdioFile::WriteBytes(const char* bytes, std::size_t size) {
  if (!stream_) Fail(CFileException::genericException);
  if (Fails(FileCall::write)) {
    InjectError(ENOSPC, ERROR_DISK_FULL);
    Fail(CFileException::diskFull);
  }
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
    if (allowed < size) InjectError(ENOSPC, ERROR_DISK_FULL);
    Fail(CFileException::diskFull);
  }
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  if (!stream_) Fail(CFileException::genericException);
  if (ioBudget && *ioBudget == 0 && count > 0) {
    InjectError(EIO, ERROR_IO_DEVICE);
    Fail(CFileException::hardIO);
  }
  auto* into = static_cast<char*>(buffer);
  UINT done = 0;
  // Text mode reads through the line reader's block, which already stops at a Ctrl-Z.
  if (text_) {
    while (done < count && (readAt_ < readEnd_ || ReadBlock())) {
      const std::size_t taken = std::min<std::size_t>(count - done, readEnd_ - readAt_);
      std::memcpy(into + done, readBlock_.data() + readAt_, taken);
      readAt_ += taken;
      done += static_cast<UINT>(taken);
    }
    // Carriage returns before line feeds are dropped, as the system's text mode drops them.
    UINT kept = 0;
    for (UINT i = 0; i < done; ++i) {
      if (!(into[i] == '\r' && i + 1 < done && into[i + 1] == '\n')) into[kept++] = into[i];
    }
    done = kept;
  } else {
    if (readAt_ < readEnd_) {
      done = static_cast<UINT>(std::min<std::size_t>(count, readEnd_ - readAt_));
      std::memcpy(into, readBlock_.data() + readAt_, done);
      readAt_ += done;
    }
    done += static_cast<UINT>(std::fread(into + done, 1, count - done, stream_));
    if (std::ferror(stream_)) Fail(CFileException::hardIO);
  }
  // An injected failure delivers the bytes that still fit; the next read fails.
  return static_cast<UINT>(Allowance(done));
}

void CStdioFile::Flush() {
  if (!stream_) return;
  if (Fails(FileCall::flush)) {
    InjectError(ENOSPC, ERROR_DISK_FULL);
    Fail(CFileException::diskFull);
  }
  if (std::fflush(stream_) != 0) Fail(CFileException::diskFull);
  if (Fails(FileCall::sync)) {
    InjectError(EIO, ERROR_IO_DEVICE);
    Fail(CFileException::hardIO);
  }
  if (!afx_platform::Default().SyncFile(stream_)) Fail(CFileException::hardIO);
}

void CStdioFile::Close() {
  if (!stream_) return;
  std::FILE* stream = stream_;
  stream_ = nullptr;
  const bool failed = Fails(FileCall::close);
  const bool closed = afx_platform::Default().CloseFile(stream);
  if (failed) InjectError(ENOSPC, ERROR_DISK_FULL);
  if (!closed || failed) Fail(CFileException::diskFull);
}

void CStdioFile::Abort() {
  if (stream_) afx_platform::Default().CloseFile(stream_);
  stream_ = nullptr;
  readAt_ = readEnd_ = 0;
}

void CStdioFile::Fail(int cause) { throw new CFileException(cause, LastOsError()); }

#ifndef _WIN32
// Where the system has no Windows calls the framework answers them itself.

DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer) {
  std::string path;
  if (!afx_platform::Default().CurrentDirectory(path)) return 0;
  if (!buffer || bufferLength <= path.size()) return static_cast<DWORD>(path.size() + 1);
  std::copy(path.c_str(), path.c_str() + path.size() + 1, buffer);
  return static_cast<DWORD>(path.size());
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  if (Fails(FileCall::rename)) {
    SetLastError(ERROR_NOT_SAME_DEVICE);
    return FALSE;
  }
  if (afx_platform::Default().RenameFile(existingFileName, newFileName,
                                         (flags & MOVEFILE_REPLACE_EXISTING) != 0,
                                         (flags & MOVEFILE_WRITE_THROUGH) != 0)) {
    return TRUE;
  }
  SetLastError(afx_platform::WindowsErrorOf(errno));
  return FALSE;
}

BOOL DeleteFileA(LPCSTR fileName) {
  if (afx_platform::Default().RemoveFile(fileName)) return TRUE;
  SetLastError(afx_platform::WindowsErrorOf(errno));
  return FALSE;
}

#endif

CArchive::CArchive(CFile* pFile, UINT nMode, int, void*) : m_pFile(pFile), m_nMode(nMode) {}
