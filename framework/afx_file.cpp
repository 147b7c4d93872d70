#include "afx_file.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>

#include "afx_faults.h"
#include "afx_platform.h"

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

// Windows text mode takes Ctrl-Z as the end of the file, whatever follows it.
constexpr int kTextEnd = 0x1A;

}  // namespace

namespace afx_faults {

void FailFileIoAfter(std::size_t bytes) { ioBudget = bytes; }
void ClearFileFaults() { ioBudget.reset(); }

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
  stream_ = afx_platform::Default().OpenFile(fileName ? fileName : "", mode, notFound);
  if (error) {
    error->m_cause = stream_    ? CFileException::none
                     : notFound ? CFileException::fileNotFound
                                : CFileException::accessDenied;
    error->m_lOsError = stream_ ? 0 : errno;
  }
  return stream_ != nullptr;
}

BOOL CStdioFile::ReadString(CString& line) {
  if (!stream_ || atTextEnd_) return FALSE;
  std::string bytes;
  int ch = EOF;
  bool readAny = false;
  while ((ch = std::getc(stream_)) != EOF) {
    if (Allowance(1) == 0) Fail(CFileException::hardIO);
    if (text_ && ch == kTextEnd) {
      atTextEnd_ = true;
      break;
    }
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
  if (!afx_platform::Default().SyncFile(stream_)) Fail(CFileException::hardIO);
}

void CStdioFile::Close() {
  if (!stream_) return;
  std::FILE* stream = stream_;
  stream_ = nullptr;
  if (!afx_platform::Default().CloseFile(stream)) Fail(CFileException::diskFull);
}

void CStdioFile::Abort() {
  if (stream_) afx_platform::Default().CloseFile(stream_);
  stream_ = nullptr;
}

void CStdioFile::Fail(int cause) { throw new CFileException(cause, errno); }

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
  return afx_platform::Default().RenameFile(existingFileName, newFileName,
                                            (flags & MOVEFILE_REPLACE_EXISTING) != 0,
                                            (flags & MOVEFILE_WRITE_THROUGH) != 0);
}

BOOL DeleteFileA(LPCSTR fileName) { return afx_platform::Default().RemoveFile(fileName); }

#endif
