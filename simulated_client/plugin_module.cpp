#include "plugin_module.h"

#include <vector>

// Calls go through the name the Windows client resolves there, through g++'s name here.
#ifdef _WIN32
#define DECORATED(windowsName, gnuName) windowsName
#else
#define DECORATED(windowsName, gnuName) gnuName
#endif

PluginModule::PluginModule(const std::string& path, Name name) : name_(name) {
  handle_ = LoadLibraryA(path.c_str());
  if (!handle_) {
    error_ = AfxGetLoadLibraryError().GetString();
    return;
  }
#define RESOLVE_ENTRY_POINT(name, kind, windowsName, gnuName) \
  entries_.name = Resolve<kind>(#name, DECORATED(windowsName, gnuName));
  TRUCELOG_ENTRY_POINTS(RESOLVE_ENTRY_POINT)
#undef RESOLVE_ENTRY_POINT
  if (!error_.empty()) {
    FreeLibrary(handle_);
    handle_ = nullptr;
  }
}

PluginModule::~PluginModule() {
  if (handle_) FreeLibrary(handle_);
}

std::string PluginModule::BesideProgram(const std::string& fileName) {
  std::vector<char> path(4096);
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return fileName;
  std::string folder(path.data(), length);
  const std::size_t separator = folder.find_last_of("\\/");
  return separator == std::string::npos ? fileName : folder.substr(0, separator + 1) + fileName;
}

void* PluginModule::Symbol(const char* exportedName) const {
  return handle_ ? reinterpret_cast<void*>(GetProcAddress(handle_, exportedName)) : nullptr;
}

// Both names must be exported; calls go through the one this host was asked to use.
template <class Function>
Function PluginModule::Resolve(const char* plain, const char* decorated) {
  void* plainAddress = Symbol(plain);
  void* decoratedAddress = Symbol(decorated);
  if (!plainAddress || !decoratedAddress) {
    error_ += std::string(error_.empty() ? "" : "; ") + "missing export " +
              (plainAddress ? decorated : plain);
    return nullptr;
  }
  return reinterpret_cast<Function>(name_ == Name::kPlain ? plainAddress : decoratedAddress);
}

void PluginModule::OnLoad() const { entries_.OnLoad(); }
void PluginModule::OnInitialize(CMapStringToString& map) const { entries_.OnInitialize(map); }
void PluginModule::OnClose() const { entries_.OnClose(); }
void PluginModule::OnGamesListModified(CMapStringToString& map) const {
  entries_.OnGamesListModified(map);
}
void PluginModule::OnReportLoaded(CMapStringToString& map) const { entries_.OnReportLoaded(map); }
void PluginModule::OnUserCommand(CMapStringToString& map) const { entries_.OnUserCommand(map); }
void PluginModule::OnAbout(CMapStringToString& map) const { entries_.OnAbout(map); }
void PluginModule::OnTableProcessor(CMapStringToString& map, CStringArray& row) const {
  entries_.OnTableProcessor(map, row);
}
void PluginModule::CreateConfig(CMapStringToString& map) const { entries_.CreateConfig(map); }
void PluginModule::OnOK(CMapStringToString& map) const { entries_.OnOK(map); }
void PluginModule::OnCallFunction(CMapStringToString& map, CStringArray& parameters) const {
  entries_.OnCallFunction(map, parameters);
}
void PluginModule::OnActivate(CMapStringToString& map) const { entries_.OnActivate(map); }
void PluginModule::OnPlanetChanged(CMapStringToString& map) const { entries_.OnPlanetChanged(map); }
