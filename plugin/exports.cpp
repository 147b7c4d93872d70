// The thirteen entry points the host calls, each exported under its plain name and under the
// decorated name the client resolves, both at the same function. This file holds all of the
// module's compiler-specific export code:
//  - The Visual C++ toolchain gives each function that decorated name itself (a __cdecl free
//    function of its signature); Trucelog.def exports it under both names.
//  - mingw-w64's g++ is told to give each function the same name, so that the same export list
//    serves; on 32-bit Windows the target's leading underscore goes before it.
//  - A shared object exports each under its g++ name and, as an alias of the same code, under
//    its plain name; a linker version script keeps every other symbol of the module local.
#include "plugin/framework.h"
#include "plugin/globals.h"

#if defined(_MSC_VER)
#define EXPORTED
#define DECORATED_AS(name)
#elif defined(_WIN32)
#define EXPORTED
#define LABEL_TEXT(text) #text
#define LABEL_PREFIX(prefix) LABEL_TEXT(prefix)
// Quoted, since the assembler takes no '?' or '@' in a bare name.
#define DECORATED_AS(name) __asm__("\"" LABEL_PREFIX(__USER_LABEL_PREFIX__) name "\"")
#else
#define EXPORTED __attribute__((visibility("default")))
#define DECORATED_AS(name)

// Declares the plain name `name` as an alias of the decorated entry point.
#define PLAIN_ALIAS(name, decorated, ...) \
  extern "C" EXPORTED void Plain##name(__VA_ARGS__) __asm__(#name) __attribute__((alias(decorated)))
#endif

EXPORTED void __cdecl OnLoad() DECORATED_AS("?OnLoad@@YAXXZ");
EXPORTED void __cdecl OnInitialize(CMapStringToString& map)
    DECORATED_AS("?OnInitialize@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnClose() DECORATED_AS("?OnClose@@YAXXZ");
EXPORTED void __cdecl OnGamesListModified(CMapStringToString& map)
    DECORATED_AS("?OnGamesListModified@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnReportLoaded(CMapStringToString& map)
    DECORATED_AS("?OnReportLoaded@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnUserCommand(CMapStringToString& map)
    DECORATED_AS("?OnUserCommand@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnAbout(CMapStringToString& map)
    DECORATED_AS("?OnAbout@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnTableProcessor(CMapStringToString& map, CStringArray& row)
    DECORATED_AS("?OnTableProcessor@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z");
EXPORTED void __cdecl CreateConfig(CMapStringToString& map)
    DECORATED_AS("?CreateConfig@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnOK(CMapStringToString& map)
    DECORATED_AS("?OnOK@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnCallFunction(CMapStringToString& map, CStringArray& unused)
    DECORATED_AS("?OnCallFunction@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z");
EXPORTED void __cdecl OnActivate(CMapStringToString& map)
    DECORATED_AS("?OnActivate@@YAXAAVCMapStringToString@@@Z");
EXPORTED void __cdecl OnPlanetChanged(CMapStringToString& map)
    DECORATED_AS("?OnPlanetChanged@@YAXAAVCMapStringToString@@@Z");

namespace {

// No exception may reach the host: a call that runs out of memory ends there, having changed
// nothing it could not finish (the store makes its room before it changes a pact).
template <class Call>
void Guarded(Call call) {
  try {
    call();
  } catch (CException* error) {
    error->Delete();
  } catch (...) {
  }
}

}  // namespace

// Each entry point first makes the module's own state current, so that the framework finds the
// module's dialogs and strings; the previous state returns when it does.
void __cdecl OnLoad() { AFX_MANAGE_STATE(AfxGetStaticModuleState()); }
void __cdecl OnInitialize(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnInitialize(map); });
}
void __cdecl OnClose() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnClose(); });
}
void __cdecl OnGamesListModified(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnGamesListModified(map); });
}
void __cdecl OnReportLoaded(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnReportLoaded(map); });
}
void __cdecl OnUserCommand(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnUserCommand(map); });
}
void __cdecl OnAbout(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnAbout(map); });
}
void __cdecl OnTableProcessor(CMapStringToString& map, CStringArray& row) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnTableProcessor(map, row); });
}
void __cdecl CreateConfig(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.CreateConfig(map); });
}
void __cdecl OnOK(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnOK(map); });
}
void __cdecl OnCallFunction(CMapStringToString& map, CStringArray& unused) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnCallFunction(map, unused); });
}
void __cdecl OnActivate(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnActivate(map); });
}
void __cdecl OnPlanetChanged(CMapStringToString& map) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { theApp.OnPlanetChanged(map); });
}

#if !defined(_WIN32)
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
