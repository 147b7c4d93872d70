// The framework on Windows: files through the system's handles with the sharing a Windows
// program's files get (others may read and write, nobody may delete or replace them while
// open), modules and their resources through the system's loader.
#include <fcntl.h>
#include <io.h>

#include <cctype>
#include <string>
#include <vector>

#include "afx_platform.h"

namespace afx_platform {

std::string SystemErrorText(DWORD code) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  while (length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1]))) --length;
  return length > 0 ? std::string(text, length) : "error " + std::to_string(code);
}

namespace {

// The system calls it back in its own convention, CALLBACK, which only on 32-bit Windows differs
// from a lambda's.
BOOL CALLBACK TakeFirstLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR into) {
  *reinterpret_cast<WORD*>(into) = language;
  return FALSE;
}

class Win32Platform final : public Platform {
 public:
  bool CurrentDirectory(std::string& path) override {
    std::vector<char> buffer(MAX_PATH);
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length >= buffer.size()) {
      buffer.resize(length);
      length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length >= buffer.size()) return false;
    path.assign(buffer.data(), length);
    return true;
  }

  std::FILE* OpenFile(const char* path, OpenMode mode, bool& notFound) override {
    const bool create = mode == OpenMode::kCreateWrite || mode == OpenMode::kCreateReadWrite;
    const bool read = mode != OpenMode::kCreateWrite;
    const bool write = mode != OpenMode::kRead;
    HANDLE file =
        CreateFileA(path, (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0),
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      notFound = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      return nullptr;
    }
    notFound = false;
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | (write ? 0 : _O_RDONLY));
    if (descriptor == -1) {
      CloseHandle(file);
      return nullptr;
    }
    static constexpr const char* kModes[] = {"rb", "r+b", "wb", "w+b"};
    std::FILE* stream = _fdopen(descriptor, kModes[static_cast<int>(mode)]);
    if (!stream) _close(descriptor);
    return stream;
  }

  bool SyncFile(std::FILE* stream) override {
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    return handle != -1 && FlushFileBuffers(reinterpret_cast<HANDLE>(handle));
  }

  bool CloseFile(std::FILE* stream) override { return std::fclose(stream) == 0; }

  bool RenameFile(const char* from, const char* to, bool replace, bool writeThrough) override {
    return MoveFileExA(
        from, to,
        (replace ? MOVEFILE_REPLACE_EXISTING : 0) | (writeThrough ? MOVEFILE_WRITE_THROUGH : 0));
  }

  bool RemoveFile(const char* path) override { return DeleteFileA(path); }

  HMODULE OpenModule(const char* path, std::string& error) override {
    HMODULE module = LoadLibraryA(path);
    if (!module) error = SystemErrorText(GetLastError());
    return module;
  }

  void* ModuleExport(HMODULE module, const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(module, name));
  }

  void CloseModule(HMODULE module) override {
    if (module) FreeLibrary(module);
  }

  bool ProgramFile(std::string& path) override {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
      const DWORD length =
          GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return false;
      if (length < buffer.size()) {
        path.assign(buffer.data(), length);
        return true;
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  bool FindModuleResource(HMODULE module, WORD type, WORD id, std::string_view& bytes,
                          WORD& language) override {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    bytes = std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
    // The language the loader picked is the first one the resource comes in.
    language = 0;
    EnumResourceLanguagesA(module, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), TakeFirstLanguage,
                           reinterpret_cast<LONG_PTR>(&language));
    return true;
  }

  std::string NarrowText(std::u16string_view text) override {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
      WideCharToMultiByte(CP_ACP, 0, wide, units, narrow.data(), size, nullptr, nullptr);
    return narrow;
  }
};

}  // namespace

Platform& Default() {
  static Win32Platform platform;
  return platform;
}

}  // namespace afx_platform
