// The framework on a POSIX system: Windows paths get "/" for "\" and find their files whatever
// the letter case, as on Windows; modules are shared objects; and the rule Windows keeps for
// open files (no moving, replacing or deleting them) is kept here for the files the framework
// has open.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <map>
#include <utility>
#include <vector>

#include "afx_platform.h"

namespace afx_platform {
namespace {

bool Exists(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0;
}

bool SameIgnoringCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == a.size() && !b[i];
}

// The entry of `directory` named `name` ignoring letter case; `name` itself when none is.
std::string EntryIgnoringCase(const std::string& directory, const std::string& name) {
  std::string found = name;
  if (DIR* entries = opendir(directory.empty() ? "." : directory.c_str())) {
    while (const dirent* entry = readdir(entries)) {
      if (SameIgnoringCase(name, entry->d_name)) {
        found = entry->d_name;
        break;
      }
    }
    closedir(entries);
  }
  return found;
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

using FileIdentity = std::pair<dev_t, ino_t>;

}  // namespace

// A Windows path as this system names the same file: "/" for "\\", and each part that exists
// in another letter case spelled as it exists.
std::string NativePath(const char* path) {
  std::string native(path ? path : "");
  std::replace(native.begin(), native.end(), '\\', '/');
  if (native.empty() || Exists(native)) return native;
  std::string resolved;
  bool existing = true;  // every part so far exists
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(native.find('/', start), native.size());
    std::string part = native.substr(start, end - start);
    if (existing && !part.empty() && !Exists(resolved + part)) {
      part = EntryIgnoringCase(resolved, part);
      existing = Exists(resolved + part);
    }
    resolved += part;
    if (end == native.size()) return resolved;
    resolved += '/';
    start = end + 1;
  }
}

namespace {

class PosixPlatform final : public Platform {
 public:
  bool CurrentDirectory(std::string& path) override {
    std::vector<char> buffer(256);
    while (!getcwd(buffer.data(), buffer.size())) {
      if (errno != ERANGE) return false;
      buffer.resize(buffer.size() * 2);
    }
    path = buffer.data();
    return true;
  }

  std::FILE* OpenFile(const char* path, OpenMode mode, bool& notFound) override {
    static constexpr const char* kModes[] = {"rb", "r+b", "wb", "w+b"};
    static constexpr int kFlags[] = {O_RDONLY, O_RDWR, O_WRONLY | O_CREAT | O_TRUNC,
                                     O_RDWR | O_CREAT | O_TRUNC};
    // A pipe opens without waiting for a writer, and is then refused as a folder is.
    const int descriptor =
        open(NativePath(path).c_str(), kFlags[static_cast<int>(mode)] | O_NONBLOCK, 0666);
    notFound = descriptor < 0 && (errno == ENOENT || errno == ENOTDIR);
    if (descriptor < 0) return nullptr;
    // A directory is not a file here, as on Windows.
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
      close(descriptor);
      errno = EACCES;
      return nullptr;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* stream = fdopen(descriptor, kModes[static_cast<int>(mode)]);
    if (!stream) {
      close(descriptor);
      return nullptr;
    }
    open_[stream] = {status.st_dev, status.st_ino};
    return stream;
  }

  bool SyncFile(std::FILE* stream) override { return fsync(fileno(stream)) == 0; }

  bool CloseFile(std::FILE* stream) override {
    open_.erase(stream);
    return std::fclose(stream) == 0;
  }

  bool RenameFile(const char* from, const char* to, bool replace, bool writeThrough) override {
    const std::string source = NativePath(from);
    const std::string target = NativePath(to);
    const bool targetExists = access(target.c_str(), F_OK) == 0;
    if (targetExists && !replace) {
      errno = EEXIST;
      return false;
    }
    if ((targetExists && IsOpen(target)) || IsOpen(source)) {
      errno = EACCES;
      return false;
    }
    if (std::rename(source.c_str(), target.c_str()) != 0) return false;
    if (writeThrough) {
      const int directory = open(ParentOf(target).c_str(), O_RDONLY | O_DIRECTORY);
      if (directory >= 0) {
        fsync(directory);
        close(directory);
      }
    }
    return true;
  }

  bool RemoveFile(const char* path) override {
    const std::string native = NativePath(path);
    if (IsOpen(native)) {
      errno = EACCES;
      return false;
    }
    return unlink(native.c_str()) == 0;
  }

  HMODULE OpenModule(const char* path, std::string& error) override {
    void* handle = dlopen(NativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* reason = dlerror();
      error = reason ? reason : std::string("cannot load ") + path;
    }
    return static_cast<HMODULE>(handle);
  }

  void* ModuleExport(HMODULE module, const char* name) override {
    return module ? dlsym(module, name) : nullptr;
  }

  void CloseModule(HMODULE module) override {
    if (module) dlclose(module);
  }

  bool ProgramFile(std::string& path) override {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return false;
    path.assign(buffer.data(), static_cast<std::size_t>(length));
    return true;
  }

  // Shared objects carry their resource script as text instead.
  bool FindModuleResource(HMODULE, WORD, WORD, std::string_view&, WORD&) override { return false; }

  // Latin-1 for lack of a code page; the resources' texts are plain ASCII.
  std::string NarrowText(std::u16string_view text) override {
    std::string narrow;
    for (char16_t unit : text) narrow += unit < 0x100 ? static_cast<char>(unit) : '?';
    return narrow;
  }

 private:
  bool IsOpen(const std::string& path) const {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return false;
    const FileIdentity identity{status.st_dev, status.st_ino};
    return std::any_of(open_.begin(), open_.end(),
                       [&](const auto& entry) { return entry.second == identity; });
  }

  std::map<std::FILE*, FileIdentity> open_;
};

}  // namespace

Platform& Default() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace afx_platform
