// Files and the current directory: CStdioFile in the original's text and binary modes, the
// framework's file exception, the archive a document is serialized through, and the Windows
// calls for the current directory and for moving and deleting files. Paths are Windows paths:
// each "\" is taken as the platform's separator.
//
// Text mode reads CR LF as a line feed and writes each line feed as CR LF, and a Ctrl-Z byte
// ends what it reads of a file, as Windows text mode does; no other byte is ever converted. Opening
// reports failure by returning FALSE; reading, writing, flushing and closing report it by throwing
// a `CFileException*`, which the catcher releases with Delete().
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

#include "afx_object.h"
#include "afx_string.h"

class CException : public CObject {
 public:
  CException() = default;
  // An exception thrown from a static object says FALSE, so that Delete() leaves it alone.
  explicit CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

  // Releases an exception caught by pointer.
  void Delete() {
    if (m_bAutoDelete) delete this;
  }

 protected:
  BOOL m_bAutoDelete = TRUE;
};

class CSimpleException : public CException {
 public:
  CSimpleException() = default;
  explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
};

// What `new` of a framework object throws when the memory is not to be had.
class CMemoryException : public CSimpleException {};

// Throws the framework's one CMemoryException*, which needs no memory of its own.
[[noreturn]] void AfxThrowMemoryException();

class CFileException : public CException {
 public:
  enum { none, genericException, fileNotFound, accessDenied, diskFull, hardIO };
  explicit CFileException(int cause = none, LONG osError = -1)
      : m_cause(cause), m_lOsError(osError) {}

  int m_cause;
  LONG m_lOsError;
};

class CFile : public CObject {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    modeCreate = 0x1000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
};

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  ~CStdioFile() override;  // closes an open file, without reporting errors

  // modeRead opens an existing file; modeCreate | modeWrite creates or truncates one.
  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  // The next line without its line end; FALSE at the end of the file. A zero byte ends the
  // line's text, as it does in the original; the rest of that line is skipped.
  BOOL ReadString(CString& line);
  void WriteString(const char* text);
  // Up to `count` bytes; fewer only at the end of the file (or of a text-mode file's text).
  UINT Read(void* buffer, UINT count);
  // All `count` bytes, in text mode each line feed written as CR LF.
  void Write(const void* buffer, UINT count);
  // Writes what is buffered and commits it to the disk.
  void Flush();
  void Close();
  // Closes without reporting errors.
  void Abort();

 private:
  void Fail(int cause);
  void WriteBytes(const char* bytes, std::size_t size);
  // Refills readBlock_ from the stream; false at its end.
  bool ReadBlock();

  std::FILE* stream_ = nullptr;
  bool text_ = false;
  bool atTextEnd_ = false;  // a Ctrl-Z was read in text mode

  // Reading goes a block at a time, so that each line costs a search rather than a call per
  // byte; a file is either read or written, never both.
  std::string readBlock_;
  std::size_t readAt_ = 0;
  std::size_t readEnd_ = 0;
  // The line being read, line end included; it grows to the longest line and is kept.
  std::string lineBytes_;
  // Text-mode lines are written from here, carriage returns added, in one piece.
  std::string writeBuffer_;
};

// The stream a document is stored to or loaded from. Documents here are never stored; the
// class exists for Serialize's signature.
class CArchive {
 public:
  enum Mode { store = 0, load = 1 };
  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  CFile* GetFile() const { return m_pFile; }

 private:
  CFile* m_pFile;
  UINT m_nMode;
};

#ifndef _WIN32
// Windows calls on files and directories; Windows itself declares them in <windows.h>. Each
// sets the calling thread's last error on failure, as a Windows error code.
inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;
inline constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;
inline constexpr DWORD FILE_TYPE_UNKNOWN = 0;
inline constexpr DWORD FILE_TYPE_DISK = 1;
inline constexpr DWORD FILE_TYPE_CHAR = 2;
inline constexpr DWORD FILE_TYPE_PIPE = 3;
inline constexpr DWORD FILE_NAME_NORMALIZED = 0;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_INVALID_FUNCTION = 1;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_NOT_SAME_DEVICE = 17;
inline constexpr DWORD ERROR_WRITE_PROTECT = 19;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_LOCK_VIOLATION = 33;
inline constexpr DWORD ERROR_DISK_FULL = 112;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
inline constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;
inline constexpr DWORD ERROR_IO_DEVICE = 1117;
inline constexpr DWORD ERROR_CANT_RESOLVE_FILENAME = 1921;

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
};
using LPBY_HANDLE_FILE_INFORMATION = BY_HANDLE_FILE_INFORMATION*;

DWORD GetLastError();
void SetLastError(DWORD errorCode);
// The system's words for an error code; only FORMAT_MESSAGE_FROM_SYSTEM, with inserts ignored.
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId,
                     LPSTR buffer, DWORD size, va_list* arguments);
DWORD GetCurrentProcessId();
void Sleep(DWORD milliseconds);

// Opens a file as Windows does, sharing included: a handle opened for reading or writing with
// no sharing at all excludes every other such handle until it is closed, also across processes
// (the others fail with ERROR_SHARING_VIOLATION); a handle with no access shares with all. A
// folder opens only with FILE_FLAG_BACKUP_SEMANTICS; a pipe or device opens without waiting.
// FILE_FLAG_DELETE_ON_CLOSE deletes the file when its handle is closed.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
BOOL CloseHandle(HANDLE object);
DWORD GetFileType(HANDLE file);
BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information);
// The path of the file the handle has open, links followed; the length written without the
// terminator, or the size needed with it when `length` is too small; 0 on failure.
DWORD GetFinalPathNameByHandleA(HANDLE file, LPSTR path, DWORD length, DWORD flags);

// Writes the current directory into `buffer` and answers its length without the terminator;
// when `bufferLength` is too small, writes nothing and answers the size needed, terminator
// included. Answers 0 on failure.
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
BOOL DeleteFileA(LPCSTR fileName);
#endif
