#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "plugin_module.h"
#include "simulated_host.h"

namespace {

struct EntryPoint {
  const char* plain;
  const char* decorated;
};

// The decorated names: those the Windows client resolves in Trucelog.dll, those g++ gives the
// functions in a shared object.
const EntryPoint kEntryPoints[] = {
#ifdef _WIN32
    {"OnLoad", "?OnLoad@@YAXXZ"},
    {"OnInitialize", "?OnInitialize@@YAXAAVCMapStringToString@@@Z"},
    {"OnClose", "?OnClose@@YAXXZ"},
    {"OnGamesListModified", "?OnGamesListModified@@YAXAAVCMapStringToString@@@Z"},
    {"OnReportLoaded", "?OnReportLoaded@@YAXAAVCMapStringToString@@@Z"},
    {"OnUserCommand", "?OnUserCommand@@YAXAAVCMapStringToString@@@Z"},
    {"OnAbout", "?OnAbout@@YAXAAVCMapStringToString@@@Z"},
    {"OnTableProcessor", "?OnTableProcessor@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z"},
    {"CreateConfig", "?CreateConfig@@YAXAAVCMapStringToString@@@Z"},
    {"OnOK", "?OnOK@@YAXAAVCMapStringToString@@@Z"},
    {"OnCallFunction", "?OnCallFunction@@YAXAAVCMapStringToString@@AAVCStringArray@@@Z"},
    {"OnActivate", "?OnActivate@@YAXAAVCMapStringToString@@@Z"},
    {"OnPlanetChanged", "?OnPlanetChanged@@YAXAAVCMapStringToString@@@Z"},
#else
    {"OnLoad", "_Z6OnLoadv"},
    {"OnInitialize", "_Z12OnInitializeR18CMapStringToString"},
    {"OnClose", "_Z7OnClosev"},
    {"OnGamesListModified", "_Z19OnGamesListModifiedR18CMapStringToString"},
    {"OnReportLoaded", "_Z14OnReportLoadedR18CMapStringToString"},
    {"OnUserCommand", "_Z13OnUserCommandR18CMapStringToString"},
    {"OnAbout", "_Z7OnAboutR18CMapStringToString"},
    {"OnTableProcessor", "_Z16OnTableProcessorR18CMapStringToStringR12CStringArray"},
    {"CreateConfig", "_Z12CreateConfigR18CMapStringToString"},
    {"OnOK", "_Z4OnOKR18CMapStringToString"},
    {"OnCallFunction", "_Z14OnCallFunctionR18CMapStringToStringR12CStringArray"},
    {"OnActivate", "_Z10OnActivateR18CMapStringToString"},
    {"OnPlanetChanged", "_Z15OnPlanetChangedR18CMapStringToString"},
#endif
};

#ifndef _WIN32
std::set<std::string> AllExportNames() {
  std::set<std::string> names;
  for (const EntryPoint& entry : kEntryPoints) names.insert({entry.plain, entry.decorated});
  return names;
}

// The names the module defines in its dynamic symbol table.
std::set<std::string> DefinedDynamicSymbols(const std::string& path) {
  std::set<std::string> names;
  FILE* pipe = popen(("nm -D --defined-only '" + path + "'").c_str(), "r");
  if (!pipe) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::size_t space = text.rfind(' ');
    if (space != std::string::npos) names.insert(text.substr(space + 1));
  }
  pclose(pipe);
  return names;
}
#endif

}  // namespace

// Trucelog.dll's export table is read by the test exports.table instead.
#ifndef _WIN32
TEST(Exports, TheModuleExportsTheTwentySixNamesAndNothingElse) {
  EXPECT_EQ(DefinedDynamicSymbols(PluginModule::BesideProgram(TRUCELOG_MODULE_NAME)),
            AllExportNames());
}
#endif

TEST(Exports, BothNamesOfEveryEntryPointResolveToTheSameHandler) {
  const PluginModule module(PluginModule::BesideProgram(TRUCELOG_MODULE_NAME));
  ASSERT_TRUE(module.IsLoaded()) << module.Error();
  for (const EntryPoint& entry : kEntryPoints) {
    EXPECT_NE(module.Symbol(entry.plain), nullptr) << entry.plain;
    EXPECT_EQ(module.Symbol(entry.plain), module.Symbol(entry.decorated)) << entry.plain;
  }
}

TEST(Exports, CallsThroughEitherNameReachThePlugin) {
  for (const auto name : {PluginModule::Name::kPlain, PluginModule::Name::kDecorated}) {
    SimulatedHost host;
    const PluginModule module(PluginModule::BesideProgram(TRUCELOG_MODULE_NAME), name);
    ASSERT_TRUE(module.IsLoaded()) << module.Error();
    module.OnLoad();
    CMapStringToString startup;
    Fill(startup, host.StartupParameters());
    module.OnInitialize(startup);
    CMapStringToString about;
    module.OnAbout(about);
    EXPECT_EQ(Snapshot(about).at("Name"), "Trucelog");
    EXPECT_EQ(Snapshot(about).at("Version"), "v.2.2.3");
    module.OnClose();
  }
}
