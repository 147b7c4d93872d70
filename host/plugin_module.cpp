#include "plugin_module.h"

#include <dlfcn.h>

PluginModule::PluginModule(const std::string& path, Name name) : name_(name) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* reason = dlerror();
    error_ = reason ? reason : "cannot load " + path;
    return;
  }
  onLoad_ = Resolve<NoArguments>("OnLoad", "_Z6OnLoadv");
  onInitialize_ = Resolve<MapOnly>("OnInitialize", "_Z12OnInitializeR18CMapStringToString");
  onClose_ = Resolve<NoArguments>("OnClose", "_Z7OnClosev");
  onGamesListModified_ =
      Resolve<MapOnly>("OnGamesListModified", "_Z19OnGamesListModifiedR18CMapStringToString");
  onReportLoaded_ = Resolve<MapOnly>("OnReportLoaded", "_Z14OnReportLoadedR18CMapStringToString");
  onUserCommand_ = Resolve<MapOnly>("OnUserCommand", "_Z13OnUserCommandR18CMapStringToString");
  onAbout_ = Resolve<MapOnly>("OnAbout", "_Z7OnAboutR18CMapStringToString");
  onTableProcessor_ = Resolve<MapAndArray>(
      "OnTableProcessor", "_Z16OnTableProcessorR18CMapStringToStringR12CStringArray");
  createConfig_ = Resolve<MapOnly>("CreateConfig", "_Z12CreateConfigR18CMapStringToString");
  onOK_ = Resolve<MapOnly>("OnOK", "_Z4OnOKR18CMapStringToString");
  onCallFunction_ = Resolve<MapAndArray>("OnCallFunction",
                                         "_Z14OnCallFunctionR18CMapStringToStringR12CStringArray");
  onActivate_ = Resolve<MapOnly>("OnActivate", "_Z10OnActivateR18CMapStringToString");
  onPlanetChanged_ =
      Resolve<MapOnly>("OnPlanetChanged", "_Z15OnPlanetChangedR18CMapStringToString");
  if (!error_.empty()) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

PluginModule::~PluginModule() {
  if (handle_) dlclose(handle_);
}

void* PluginModule::Symbol(const char* exportedName) const {
  return handle_ ? dlsym(handle_, exportedName) : nullptr;
}

// Both names must be exported; calls go through the one this host was asked to use.
template <class Function>
Function PluginModule::Resolve(const char* plain, const char* decorated) {
  void* plainAddress = dlsym(handle_, plain);
  void* decoratedAddress = dlsym(handle_, decorated);
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
