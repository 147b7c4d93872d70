// Windows' file handles, last error and system messages on a POSIX system: what a Windows
// program uses to lock a file, to tell one version of a file from the next and to say why a
// file call failed. Sharing is kept as far as the plug-in's files need it: a handle that reads
// or writes and shares nothing holds an exclusive lock on its file, which every other such
// open, in this process or another, waits for in vain.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "afx_file.h"
#include "afx_platform.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

struct FileHandle {
  int descriptor;
  std::string deleteOnClose;  // the path, when the file goes with the handle
};

BOOL FailWith(DWORD code) {
  SetLastError(code);
  return FALSE;
}

int DescriptorOf(HANDLE file) {
  return file && file != INVALID_HANDLE_VALUE ? static_cast<FileHandle*>(file)->descriptor : -1;
}

// Windows' texts for the codes the framework's calls answer.
struct SystemMessage {
  DWORD code;
  const char* text;
};
constexpr SystemMessage kMessages[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "Incorrect function."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive."},
    {ERROR_WRITE_PROTECT, "The media is write protected."},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process."},
    {ERROR_LOCK_VIOLATION,
     "The process cannot access the file because another process has locked a portion of the "
     "file."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_IO_DEVICE, "The request could not be performed because of an I/O device error."},
    {ERROR_CANT_RESOLVE_FILENAME, "The name of the file cannot be resolved by the system."},
};

FILETIME FileTimeOf(const timespec& time) {
  // 100-nanosecond intervals since 1601, as Windows counts them.
  constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000ULL +
      static_cast<std::uint64_t>(time.tv_nsec) / 100;
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// Takes the exclusive lock of an open file, which must still be the file its path names: a file
// deleted while this handle waited is not the one the next opener finds.
bool LockedAsNamed(int descriptor, const std::string& path) {
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) return false;
  struct stat opened {};
  struct stat named {};
  return fstat(descriptor, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

namespace afx_platform {

DWORD WindowsErrorOf(int error) {
  switch (error) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EEXIST:
      return ERROR_ACCESS_DENIED;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case EIO:
      return ERROR_IO_DEVICE;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
      return ERROR_SHARING_VIOLATION;
    case ELOOP:
      return ERROR_CANT_RESOLVE_FILENAME;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    default:
      return ERROR_GEN_FAILURE;
  }
}

}  // namespace afx_platform

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD errorCode) { lastError = errorCode; }

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                     va_list*) {
  if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || !buffer) return FailWith(ERROR_INVALID_FUNCTION);
  for (const SystemMessage& message : kMessages) {
    if (message.code != messageId) continue;
    // The system's messages end with a line break.
    const std::string text = std::string(message.text) + "\r\n";
    if (text.size() >= size) return FailWith(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
  }
  return FailWith(ERROR_MR_MID_NOT_FOUND);
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

void Sleep(DWORD milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
  const std::string path = afx_platform::NativePath(fileName);
  const bool reads = (desiredAccess & GENERIC_READ) != 0;
  const bool writes = (desiredAccess & GENERIC_WRITE) != 0;
  int flags = writes ? (reads ? O_RDWR : O_WRONLY) : O_RDONLY;
  switch (creationDisposition) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    default:
      break;
  }
  // Neither a pipe nor a device waits for its other end here.
  const int descriptor = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    SetLastError(afx_platform::WindowsErrorOf(errno));
    return INVALID_HANDLE_VALUE;
  }
  struct stat status {};
  const bool isFolder = fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
  const bool sharesNothing = (reads || writes) && shareMode == 0;
  if ((isFolder && !(flagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS)) ||
      (sharesNothing && !LockedAsNamed(descriptor, path))) {
    close(descriptor);
    SetLastError(isFolder ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  return new FileHandle{descriptor,
                        (flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) ? path : std::string()};
}

BOOL CloseHandle(HANDLE object) {
  const int descriptor = DescriptorOf(object);
  if (descriptor < 0) return FailWith(ERROR_INVALID_HANDLE);
  auto* handle = static_cast<FileHandle*>(object);
  // Deleted while still held, so that no other handle can lock what is about to go.
  if (!handle->deleteOnClose.empty()) unlink(handle->deleteOnClose.c_str());
  delete handle;
  return close(descriptor) == 0 ? TRUE : FailWith(afx_platform::WindowsErrorOf(errno));
}

DWORD GetFileType(HANDLE file) {
  struct stat status {};
  if (fstat(DescriptorOf(file), &status) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FILE_TYPE_UNKNOWN;
  }
  SetLastError(ERROR_SUCCESS);
  if (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) return FILE_TYPE_DISK;
  if (S_ISCHR(status.st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)) return FILE_TYPE_PIPE;
  return FILE_TYPE_UNKNOWN;
}

BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information) {
  struct stat status {};
  if (!information || fstat(DescriptorOf(file), &status) != 0) {
    return FailWith(ERROR_INVALID_HANDLE);
  }
  const auto size = static_cast<std::uint64_t>(status.st_size);
  const auto index = static_cast<std::uint64_t>(status.st_ino);
  *information = {};
  information->dwFileAttributes =
      S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  information->ftCreationTime = FileTimeOf(status.st_ctim);
  information->ftLastAccessTime = FileTimeOf(status.st_atim);
  information->ftLastWriteTime = FileTimeOf(status.st_mtim);
  information->dwVolumeSerialNumber = static_cast<DWORD>(status.st_dev);
  information->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  information->nFileSizeLow = static_cast<DWORD>(size);
  information->nNumberOfLinks = static_cast<DWORD>(status.st_nlink);
  information->nFileIndexHigh = static_cast<DWORD>(index >> 32);
  information->nFileIndexLow = static_cast<DWORD>(index);
  return TRUE;
}

DWORD GetFinalPathNameByHandleA(HANDLE file, LPSTR path, DWORD length, DWORD) {
  const int descriptor = DescriptorOf(file);
  if (descriptor < 0) return FailWith(ERROR_INVALID_HANDLE);
  const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
  std::string target(4096, '\0');
  const ssize_t read = readlink(link.c_str(), target.data(), target.size());
  if (read <= 0 || static_cast<std::size_t>(read) >= target.size()) {
    return FailWith(ERROR_CANT_RESOLVE_FILENAME);
  }
  target.resize(static_cast<std::size_t>(read));
  // A file another program replaced meanwhile still has its name, as on Windows.
  const std::string deleted = " (deleted)";
  if (target.size() > deleted.size() &&
      target.compare(target.size() - deleted.size(), deleted.size(), deleted) == 0) {
    target.resize(target.size() - deleted.size());
  }
  if (!path || target.size() >= length) return static_cast<DWORD>(target.size() + 1);
  std::memcpy(path, target.c_str(), target.size() + 1);
  return static_cast<DWORD>(target.size());
}
