#include "store/file_place.h"

#include <vector>

namespace {

constexpr const char* kLockSuffix = ".lock";
constexpr DWORD kRetryPause = 50;  // milliseconds
constexpr int kLockTries = 200;    // ten seconds: a save of the largest stores takes one
constexpr int kDeletionTries = 3;
constexpr int kReplaceTries = 40;  // two seconds

BOOL IsNotThere(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What a program holding a file open for a moment makes a move fail with.
BOOL IsMomentary(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

CString FinalPathOf(HANDLE file, const char* path) {
  std::vector<char> buffer(260);
  DWORD length = GetFinalPathNameByHandleA(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                           FILE_NAME_NORMALIZED);
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = GetFinalPathNameByHandleA(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                       FILE_NAME_NORMALIZED);
  }
  // Without it the link itself is replaced, which loses nothing.
  return length > 0 && length < buffer.size() ? CString(buffer.data(), static_cast<int>(length))
                                              : CString(path);
}

}  // namespace

FilePlace LookAt(const char* path) {
  FilePlace place;
  place.target = path;
  // No access asked: this neither waits for a pipe's writer nor disturbs another program.
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    place.error = GetLastError();
    place.state = IsNotThere(place.error) ? FilePlace::absent : FilePlace::unreadable;
    return place;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    place.state = FilePlace::unreadable;
    place.error = ERROR_ACCESS_DENIED;
  } else if (!GetFileInformationByHandle(file, &information)) {
    place.state = FilePlace::unreadable;
    place.error = GetLastError();
  } else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    place.state = FilePlace::unreadable;
    place.error = ERROR_ACCESS_DENIED;
  } else {
    place.state = FilePlace::plain;
    place.stamp = {information.dwVolumeSerialNumber,
                   information.nFileIndexHigh,
                   information.nFileIndexLow,
                   information.nFileSizeHigh,
                   information.nFileSizeLow,
                   information.ftLastWriteTime.dwLowDateTime,
                   information.ftLastWriteTime.dwHighDateTime};
    place.target = FinalPathOf(file, path);
  }
  CloseHandle(file);
  return place;
}

SaveLock::~SaveLock() {
  if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
}

BOOL SaveLock::Take(const CString& storeFile, DWORD& error) {
  const CString lockFile = storeFile + kLockSuffix;
  for (int tries = 1;; ++tries) {
    // Opened sharing nothing: while it is open no other client can open it. It goes when it is
    // closed, also by the system when the process ends.
    lock_ = CreateFileA(lockFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock_ != INVALID_HANDLE_VALUE) return TRUE;
    error = GetLastError();
    // A lock file whose deletion is pending refuses access until it is gone, a moment later; a
    // folder nobody may write to refuses it for good.
    const BOOL held = error == ERROR_SHARING_VIOLATION && tries < kLockTries;
    const BOOL going = error == ERROR_ACCESS_DENIED && tries < kDeletionTries;
    if (!held && !going) return FALSE;
    Sleep(kRetryPause);
  }
}

BOOL ReplaceWith(const CString& from, const CString& to, DWORD& error) {
  for (int tries = 1;; ++tries) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return TRUE;
    error = GetLastError();
    if (!IsMomentary(error) || tries == kReplaceTries) return FALSE;
    Sleep(kRetryPause);
  }
}

CString TemporaryBeside(const CString& file) {
  CString name;
  name.Format("%s.%lu.new", file.GetString(), static_cast<unsigned long>(GetCurrentProcessId()));
  return name;
}

CString SystemReason(DWORD error) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  while (length > 0 &&
         (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) {
    --length;
  }
  if (length > 0) return CString(text, static_cast<int>(length));
  CString code;
  code.Format("Error %lu.", static_cast<unsigned long>(error));
  return code;
}
