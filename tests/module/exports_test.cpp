#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "plugin_module.h"
#include "res/entry_points.h"
#include "simulated_host.h"

namespace {

struct EntryPoint {
  const char* plain;
  const char* decorated;
};

// The decorated names: those the Windows client resolves in Trucelog.dll, those g++ gives the
// functions in a shared object.
#ifdef _WIN32
#define ENTRY_POINT(name, kind, windowsName, gnuName) {#name, windowsName},
#else
#define ENTRY_POINT(name, kind, windowsName, gnuName) {#name, gnuName},
#endif
const EntryPoint kEntryPoints[] = {TRUCELOG_ENTRY_POINTS(ENTRY_POINT)};
#undef ENTRY_POINT

// The names a linker file of the module's sources lists: its words (letters, digits and the
// decorations' "?@_") that are not `keywords`, outside comments and quoted text.
std::multiset<std::string> NamesListedIn(const std::string& file, char lineComment,
                                         const std::set<std::string>& keywords) {
  std::ifstream in(std::string(TRUCELOG_SOURCE_DIR) + "/" + file);
  std::stringstream read;
  read << in.rdbuf();
  std::string text = read.str();
  for (std::size_t open; (open = text.find("/*")) != std::string::npos;) {
    const std::size_t close = text.find("*/", open);
    text.erase(open, close == std::string::npos ? close : close + 2 - open);
  }
  std::multiset<std::string> names;
  std::string word;
  bool comment = false;
  bool quoted = false;
  for (const char ch : text + "\n") {
    comment = (comment || ch == lineComment) && ch != '\n';
    if (ch == '"') quoted = !quoted;
    if (!comment && !quoted &&
        (std::isalnum(static_cast<unsigned char>(ch)) || ch == '?' || ch == '@' || ch == '_')) {
      word += ch;
    } else if (!word.empty()) {
      if (!keywords.count(word)) names.insert(word);
      word.clear();
    }
  }
  return names;
}

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

TEST(Exports, TheWindowsExportListAndTheVersionScriptNameEachEntryPointUnderBothNamesOnce) {
  std::multiset<std::string> windows;
  std::multiset<std::string> gnu;
#define ENTRY_POINT(name, kind, windowsName, gnuName) \
  windows.insert({#name, windowsName, windowsName});  \
  gnu.insert({#name, gnuName});
  TRUCELOG_ENTRY_POINTS(ENTRY_POINT)
#undef ENTRY_POINT
  // The export list names each plain name once and its decorated name twice: as the plain
  // name's target and on its own line.
  EXPECT_EQ(NamesListedIn("res/Trucelog.def", ';', {"LIBRARY", "EXPORTS"}), windows);
  EXPECT_EQ(NamesListedIn("res/Trucelog.version", '\0', {"global", "local"}), gnu);
}

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
