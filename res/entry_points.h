// The thirteen entry points the host calls, in one list: each with the arguments it takes
// (NoArguments; MapOnly: the request map; MapAndArray: the map and a string array), the
// decorated name the Windows client resolves, and the name g++ gives the same function in a
// shared object. The module's exports, the simulated client's table of them and the checks of
// Trucelog.def and Trucelog.version are made from it.
//
//   X(name, arguments, Windows name, g++ name)
#pragma once

#define TRUCELOG_ENTRY_POINTS(X)                                                                   \
  X(OnLoad, NoArguments, "?OnLoad@@YAXXZ", "_Z6OnLoadv")                                           \
  X(OnInitialize, MapOnly, "?OnInitialize@@YAXAAVCMapStringToString@@@Z",                          \
    "_Z12OnInitializeR18CMapStringToString")                                                       \
  X(OnClose, NoArguments, "?OnClose@@YAXXZ", "_Z7OnClosev")                                        \
  X(OnGamesListModified, MapOnly, "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z",            \
    "_Z19OnGamesListModifiedR18CMapStringToString")                                                \
  X(OnReportLoaded, MapOnly, "?OnReportLoaded@@YAXAAVCMapStringToString@@@Z",                      \
    "_Z14OnReportLoadedR18CMapStringToString")                                                     \
  X(OnUserCommand, MapOnly, "?OnUserCommand@@YAXAAVCMapStringToString@@@Z",                        \
    "_Z13OnUserCommandR18CMapStringToString")                                                      \
  X(OnAbout, MapOnly, "?OnAbout@@YAXAAVCMapStringToString@@@Z", "_Z7OnAboutR18CMapStringToString") \
  X(OnTableProcessor, MapAndArray,                                                                 \
    "?OnTableProcessor@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z",                            \
    "_Z16OnTableProcessorR18CMapStringToStringR12CStringArray")                                    \
  X(CreateConfig, MapOnly, "?CreateConfig@@YAXAAVCMapStringToString@@@Z",                          \
    "_Z12CreateConfigR18CMapStringToString")                                                       \
  X(OnOK, MapOnly, "?OnOK@@YAXAAVCMapStringToString@@@Z", "_Z4OnOKR18CMapStringToString")          \
  X(OnCallFunction, MapAndArray, "?OnCallFunction@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z", \
    "_Z14OnCallFunctionR18CMapStringToStringR12CStringArray")                                      \
  X(OnActivate, MapOnly, "?OnActivate@@YAXAAVCMapStringToString@@@Z",                              \
    "_Z10OnActivateR18CMapStringToString")                                                         \
  X(OnPlanetChanged, MapOnly, "?OnPlanetChanged@@YAXAAVCMapStringToString@@@Z",                    \
    "_Z15OnPlanetChangedR18CMapStringToString")
