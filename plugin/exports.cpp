// The thirteen entry points the host calls. A shared object exports each under the decorated
// name of its C++ signature and, as an alias of the same code, under its plain name; a linker
// version script keeps every other symbol of the module local. Trucelog.dll exports both names
// through its export list (res/Trucelog.def) instead.
#include "plugin/framework.h"
#include "plugin/globals.h"

#ifdef _WIN32
#define EXPORTED
#else
#define EXPORTED __attribute__((visibility("default")))

// Declares the plain name `name` as an alias of the decorated entry point.
#define PLAIN_ALIAS(name, decorated, ...) \
  extern "C" EXPORTED void Plain##name(__VA_ARGS__) __asm__(#name) __attribute__((alias(decorated)))
#endif

// Each entry point first makes the module's own state current, so that the framework finds the
// module's dialogs and strings; the previous state returns when it does.
EXPORTED void OnLoad() { AFX_MANAGE_STATE(AfxGetStaticModuleState()); }
EXPORTED void OnInitialize(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnInitialize(map);
}
EXPORTED void OnClose() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnClose();
}
EXPORTED void OnGamesListModified(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnGamesListModified(map);
}
EXPORTED void OnReportLoaded(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnReportLoaded(map);
}
EXPORTED void OnUserCommand(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnUserCommand(map);
}
EXPORTED void OnAbout(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnAbout(map);
}
EXPORTED void OnTableProcessor(CMapStringToString& map, CStringArray& row) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnTableProcessor(map, row);
}
EXPORTED void CreateConfig(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.CreateConfig(map);
}
EXPORTED void OnOK(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnOK(map);
}
EXPORTED void OnCallFunction(CMapStringToString& map, CStringArray& unused) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnCallFunction(map, unused);
}
EXPORTED void OnActivate(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnActivate(map);
}
EXPORTED void OnPlanetChanged(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  theApp.OnPlanetChanged(map);
}

#ifndef _WIN32
PLAIN_ALIAS(OnLoad, "_Z6OnLoadv");
PLAIN_ALIAS(OnInitialize, "_Z12OnInitializeR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnClose, "_Z7OnClosev");
PLAIN_ALIAS(OnGamesListModified, "_Z19OnGamesListModifiedR18CMapStringToString",
            CMapStringToString&);
PLAIN_ALIAS(OnReportLoaded, "_Z14OnReportLoadedR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnUserCommand, "_Z13OnUserCommandR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnAbout, "_Z7OnAboutR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnTableProcessor, "_Z16OnTableProcessorR18CMapStringToStringR12CStringArray",
            CMapStringToString&, CStringArray&);
PLAIN_ALIAS(CreateConfig, "_Z12CreateConfigR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnOK, "_Z4OnOKR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnCallFunction, "_Z14OnCallFunctionR18CMapStringToStringR12CStringArray",
            CMapStringToString&, CStringArray&);
PLAIN_ALIAS(OnActivate, "_Z10OnActivateR18CMapStringToString", CMapStringToString&);
PLAIN_ALIAS(OnPlanetChanged, "_Z15OnPlanetChangedR18CMapStringToString", CMapStringToString&);
#endif
