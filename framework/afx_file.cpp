#include "afx_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "afx_faults.h"

namespace {

// Bytes that may still pass through CStdioFile before an injected fault; none when unset.
std::optional<std::size_t> ioBudget;

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

void FailFileIoAfter(std::size_t bytes) { ioBudget = bytes; }
void ClearFileFaults() { ioBudget.reset(); }

}  // namespace afx_faults

CStdioFile::~CStdioFile() { Abort(); }

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  Abort();
  text_ = (openFlags & typeText) != 0;
  const bool readWrite = (openFlags & modeReadWrite) != 0;
  const bool write = readWrite || (openFlags & modeWrite) != 0;
  const char* mode = (openFlags & modeCreate) ? (readWrite ? "w+b" : "wb") : (write ? "r+b" : "rb");
  stream_ = std::fopen(NativePath(fileName).c_str(), mode);
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
  std::string bytes;
  int ch = EOF;
  bool readAny = false;
  while ((ch = std::getc(stream_)) != EOF) {
    if (Allowance(1) == 0) Fail(CFileException::hardIO);
    readAny = true;
    if (ch == '\n') break;
    bytes += static_cast<char>(ch);
  }
  if (std::ferror(stream_)) Fail(CFileException::hardIO);
  if (!readAny) return FALSE;
  if (text_ && ch == '\n' && !bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  line = CString(bytes.data(), static_cast<int>(bytes.size()));
  return TRUE;
}

void CStdioFile::WriteString(const char* text) {
  if (!stream_) Fail(CFileException::genericException);
  std::string bytes;
  for (const char* p = text; p && *p; ++p) {
    if (*p == '\n' && text_) bytes += '\r';
    bytes += *p;
  }
  const std::size_t allowed = Allowance(bytes.size());
  if (std::fwrite(bytes.data(), 1, allowed, stream_) != allowed || allowed < bytes.size()) {
    Fail(CFileException::diskFull);
  }
}

void CStdioFile::Flush() {
  if (!stream_) return;
  if (std::fflush(stream_) != 0) Fail(CFileException::diskFull);
  if (fsync(fileno(stream_)) != 0) Fail(CFileException::hardIO);
}

void CStdioFile::Close() {
  if (!stream_) return;
  std::FILE* stream = stream_;
  stream_ = nullptr;
  if (std::fclose(stream) != 0) Fail(CFileException::diskFull);
}

void CStdioFile::Abort() {
  if (stream_) std::fclose(stream_);
  stream_ = nullptr;
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
