// The pact store file as the operating system sees it: whether it is there and a plain file
// that can be read, the stamp that tells this version of it from the next, the file a link
// names, the lock that lets one client at a time save it, and the system's words for a
// failure. Knows nothing of what the file holds.
#pragma once

#include "common/framework.h"

// Which file, how long, when last written: a file that another program replaced or wrote has
// another stamp.
struct FileStamp {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  DWORD sizeHigh = 0;
  DWORD sizeLow = 0;
  DWORD writtenLow = 0;
  DWORD writtenHigh = 0;

  bool operator==(const FileStamp& other) const = default;
};

// How a file stands at one moment.
struct FilePlace {
  enum State { absent, plain, unreadable };
  State state = absent;
  // A plain file's stamp.
  FileStamp stamp;
  // The file a save replaces: the one a link names, or the path itself.
  CString target;
  // Why an unreadable file cannot be read, as a Windows error code.
  DWORD error = 0;
};

// Looks at `path` without reading it and without waiting: a folder, a pipe or a device is
// unreadable, and so is a file the system will not open.
FilePlace LookAt(const char* path);

// Holds the save lock of one store file, a file of its own beside it, for as long as it lives;
// the system releases it when the process ends. Another client saving the same file waits a
// few seconds for it, then gives up.
class SaveLock {
 public:
  SaveLock() = default;
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;
  ~SaveLock();

  // FALSE when the lock could not be had; `error` then says why.
  BOOL Take(const CString& storeFile, DWORD& error);

 private:
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};

// Moves `from` over `to` and commits it to the disk. A target that another program (a virus
// scanner, an indexer) holds open for a moment is tried again for a few seconds. FALSE with
// `error` when it was not moved.
BOOL ReplaceWith(const CString& from, const CString& to, DWORD& error);

// A temporary file beside `file` that no other process would choose.
CString TemporaryBeside(const CString& file);

// The system's words for `error`, on one line.
CString SystemReason(DWORD error);
