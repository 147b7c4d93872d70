// The thirteen entry points the host calls. Each is exported under the decorated name of its
// C++ signature and, as an alias of the same code, under its plain name; a linker version
// script keeps every other symbol of the module local.
#include "afx.h"
#include "plugin/globals.h"

#define EXPORTED __attribute__((visibility("default")))

// Declares the plain name `name` as an alias of the decorated entry point.
#define PLAIN_ALIAS(name, decorated, ...) \
  extern "C" EXPORTED void Plain##name(__VA_ARGS__) __asm__(#name) __attribute__((alias(decorated)))

EXPORTED void OnLoad() {}
EXPORTED void OnInitialize(CMapStringToString& map) { theApp.OnInitialize(map); }
EXPORTED void OnClose() { theApp.OnClose(); }
EXPORTED void OnGamesListModified(CMapStringToString& map) { theApp.OnGamesListModified(map); }
EXPORTED void OnReportLoaded(CMapStringToString& map) { theApp.OnReportLoaded(map); }
EXPORTED void OnUserCommand(CMapStringToString& map) { theApp.OnUserCommand(map); }
EXPORTED void OnAbout(CMapStringToString& map) { theApp.OnAbout(map); }
EXPORTED void OnTableProcessor(CMapStringToString& map, CStringArray& row) {
  theApp.OnTableProcessor(map, row);
}
EXPORTED void CreateConfig(CMapStringToString& map) { theApp.CreateConfig(map); }
EXPORTED void OnOK(CMapStringToString& map) { theApp.OnOK(map); }
EXPORTED void OnCallFunction(CMapStringToString& map, CStringArray& unused) {
  theApp.OnCallFunction(map, unused);
}
EXPORTED void OnActivate(CMapStringToString& map) { theApp.OnActivate(map); }
EXPORTED void OnPlanetChanged(CMapStringToString& map) { theApp.OnPlanetChanged(map); }

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
