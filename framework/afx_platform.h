// What the framework takes from the operating system: the current directory, files opened,
// synced, moved and deleted, modules loaded with their exports, and a module's compiled
// resources. One implementation per platform, chosen when the framework is built
// (afx_platform_posix.cpp, afx_platform_win32.cpp); internal to the framework.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "afx_types.h"

namespace afx_platform {

enum class OpenMode { kRead, kReadWrite, kCreateWrite, kCreateReadWrite };

class Platform {
 public:
  virtual ~Platform() = default;

  // The current directory as the platform spells it; false when it cannot be read.
  virtual bool CurrentDirectory(std::string& path) = 0;

  // Opens a file named by a Windows path as a binary stream; null on failure, `notFound` then
  // telling a missing file or folder from a refusal.
  virtual std::FILE* OpenFile(const char* path, OpenMode mode, bool& notFound) = 0;
  // Commits what the stream has written (and flushed) to the disk.
  virtual bool SyncFile(std::FILE* stream) = 0;
  // Closes a stream opened by OpenFile; false when its last bytes could not be written.
  virtual bool CloseFile(std::FILE* stream) = 0;
  // Moves a file, replacing an existing target only with `replace`. As on Windows, a file that
  // is open cannot be moved, replaced or deleted.
  virtual bool RenameFile(const char* from, const char* to, bool replace, bool writeThrough) = 0;
  virtual bool RemoveFile(const char* path) = 0;

  // A loaded module, or null with `error` saying why.
  virtual HMODULE OpenModule(const char* path, std::string& error) = 0;
  virtual void* ModuleExport(HMODULE module, const char* name) = 0;
  virtual void CloseModule(HMODULE module) = 0;
  // The file the running program was started from; false when it cannot be told.
  virtual bool ProgramFile(std::string& path) = 0;

  // The compiled resource `id` of `type` in `module`, and its language; false when the module
  // has none such. Modules whose resources are compiled in as script text have none at all.
  virtual bool FindModuleResource(HMODULE module, WORD type, WORD id, std::string_view& bytes,
                                  WORD& language) = 0;
  // A resource's UTF-16 text in the single-byte code page the framework's strings hold.
  virtual std::string NarrowText(std::u16string_view text) = 0;
};

// The implementation this framework was built with.
Platform& Default();

#ifdef _WIN32
// The system's own words for an error code, on one line.
std::string SystemErrorText(DWORD code);
#else
// The Windows error code for a POSIX `errno` value.
DWORD WindowsErrorOf(int error);
// A Windows path as this system names the same file (see afx_platform_posix.cpp).
std::string NativePath(const char* path);
#endif

}  // namespace afx_platform
