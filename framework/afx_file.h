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
  // Writes what is buffered and commits it to the disk.
  void Flush();
  void Close();
  // Closes without reporting errors.
  void Abort();

 private:
  void Fail(int cause);
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
// Windows calls on files and directories; Windows itself declares them in <windows.h>.
inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

// Writes the current directory into `buffer` and answers its length without the terminator;
// when `bufferLength` is too small, writes nothing and answers the size needed, terminator
// included. Answers 0 on failure.
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);
BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
BOOL DeleteFileA(LPCSTR fileName);
#endif
