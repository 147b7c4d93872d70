#include "plugin_module.h"

#include <vector>

namespace {

// Each entry point's decorated name: what the Windows client's compiler makes of its signature,
// or what g++ makes of it in a shared object.
#ifdef _WIN32
constexpr const char* kOnLoad = "?OnLoad@@YAXXZ";
constexpr const char* kOnInitialize = "?OnInitialize@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnClose = "?OnClose@@YAXXZ";
constexpr const char* kOnGamesListModified = "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnReportLoaded = "?OnReportLoaded@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnUserCommand = "?OnUserCommand@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnAbout = "?OnAbout@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnTableProcessor =
    "?OnTableProcessor@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z";
constexpr const char* kCreateConfig = "?CreateConfig@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnOK = "?OnOK@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnCallFunction =
    "?OnCallFunction@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z";
constexpr const char* kOnActivate = "?OnActivate@@YAXAAVCMapStringToString@@@Z";
constexpr const char* kOnPlanetChanged = "?OnPlanetChanged@@YAXAAVCMapStringToString@@@Z";
#else
constexpr const char* kOnLoad = "_Z6OnLoadv";
constexpr const char* kOnInitialize = "_Z12OnInitializeR18CMapStringToString";
constexpr const char* kOnClose = "_Z7OnClosev";
constexpr const char* kOnGamesListModified = "_Z19OnGamesListModifiedR18CMapStringToString";
constexpr const char* kOnReportLoaded = "_Z14OnReportLoadedR18CMapStringToString";
constexpr const char* kOnUserCommand = "_Z13OnUserCommandR18CMapStringToString";
constexpr const char* kOnAbout = "_Z7OnAboutR18CMapStringToString";
constexpr const char* kOnTableProcessor =
    "_Z16OnTableProcessorR18CMapStringToStringR12CStringArray";
constexpr const char* kCreateConfig = "_Z12CreateConfigR18CMapStringToString";
constexpr const char* kOnOK = "_Z4OnOKR18CMapStringToString";
constexpr const char* kOnCallFunction = "_Z14OnCallFunctionR18CMapStringToStringR12CStringArray";
constexpr const char* kOnActivate = "_Z10OnActivateR18CMapStringToString";
constexpr const char* kOnPlanetChanged = "_Z15OnPlanetChangedR18CMapStringToString";
#endif

}  // namespace

PluginModule::PluginModule(const std::string& path, Name name) : name_(name) {
  handle_ = LoadLibraryA(path.c_str());
  if (!handle_) {
    error_ = AfxGetLoadLibraryError().GetString();
    return;
  }
  onLoad_ = Resolve<NoArguments>("OnLoad", kOnLoad);
  onInitialize_ = Resolve<MapOnly>("OnInitialize", kOnInitialize);
  onClose_ = Resolve<NoArguments>("OnClose", kOnClose);
  onGamesListModified_ = Resolve<MapOnly>("OnGamesListModified", kOnGamesListModified);
  onReportLoaded_ = Resolve<MapOnly>("OnReportLoaded", kOnReportLoaded);
  onUserCommand_ = Resolve<MapOnly>("OnUserCommand", kOnUserCommand);
  onAbout_ = Resolve<MapOnly>("OnAbout", kOnAbout);
  onTableProcessor_ = Resolve<MapAndArray>("OnTableProcessor", kOnTableProcessor);
  createConfig_ = Resolve<MapOnly>("CreateConfig", kCreateConfig);
  onOK_ = Resolve<MapOnly>("OnOK", kOnOK);
  onCallFunction_ = Resolve<MapAndArray>("OnCallFunction", kOnCallFunction);
  onActivate_ = Resolve<MapOnly>("OnActivate", kOnActivate);
  onPlanetChanged_ = Resolve<MapOnly>("OnPlanetChanged", kOnPlanetChanged);
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

void PluginModule::OnLoad() const { onLoad_(); }
void PluginModule::OnInitialize(CMapStringToString& map) const { onInitialize_(map); }
void PluginModule::OnClose() const { onClose_(); }
void PluginModule::OnGamesListModified(CMapStringToString& map) const { onGamesListModified_(map); }
void PluginModule::OnReportLoaded(CMapStringToString& map) const { onReportLoaded_(map); }
void PluginModule::OnUserCommand(CMapStringToString& map) const { onUserCommand_(map); }
void PluginModule::OnAbout(CMapStringToString& map) const { onAbout_(map); }
void PluginModule::OnTableProcessor(CMapStringToString& map, CStringArray& row) const {
  onTableProcessor_(map, row);
}
void PluginModule::CreateConfig(CMapStringToString& map) const { createConfig_(map); }
void PluginModule::OnOK(CMapStringToString& map) const { onOK_(map); }
void PluginModule::OnCallFunction(CMapStringToString& map, CStringArray& parameters) const {
  onCallFunction_(map, parameters);
}
void PluginModule::OnActivate(CMapStringToString& map) const { onActivate_(map); }
void PluginModule::OnPlanetChanged(CMapStringToString& map) const { onPlanetChanged_(map); }
