// A whole host session around the loaded module: a game folder (optionally with a store file)
// as the working directory, a simulated host, and the module started the way the host starts it.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "host_windows.h"
#include "plugin_module.h"
#include "simulated_host.h"
#include "support/temp_dir.h"

// The host functions the plug-in called, in order, settings reads left out.
inline std::vector<std::string> HostFunctions(const SimulatedHost& host) {
  std::vector<std::string> functions;
  for (const Entries& request : host.Requests()) {
    const auto found = request.find("Function");
    if (found != request.end() && found->second != "ReadRegistry")
      functions.push_back(found->second);
  }
  return functions;
}

class Session {
 public:
  static constexpr const char* kStoreFile = "PLUGINS/Trucelog.ini";

  // A game folder holding `storeFile` (no file when empty), made the working directory.
  explicit Session(const std::string& storeFile = "") {
    if (!storeFile.empty()) game.Write(kStoreFile, storeFile);
    std::filesystem::current_path(game.Path());
  }

  // OnLoad and OnInitialize with the host's start-up keys (and `extra` ones); answers the map
  // as the plug-in left it.
  Entries Start(const Entries& extra = {}, bool withCallback = true) {
    Entries parameters = withCallback ? host.StartupParameters() : Entries{};
    for (const auto& [key, value] : extra) parameters[key] = value;
    module.OnLoad();
    CMapStringToString map;
    Fill(map, parameters);
    module.OnInitialize(map);
    return Snapshot(map);
  }

  // An entry point taking only the request map, called with `request`; answers the map as the
  // plug-in left it.
  Entries Send(void (PluginModule::*entry)(CMapStringToString&) const, const Entries& request) {
    CMapStringToString map;
    Fill(map, request);
    (module.*entry)(map);
    return Snapshot(map);
  }

  // The player picks `command` in the menu of `view`, in the session's game and race at `turn`.
  void Command(const std::string& command, const std::string& view,
               const std::string& turn = "12") {
    Send(&PluginModule::OnUserCommand, {{"GameName", gameName},
                                        {"RaceName", raceName},
                                        {"Turn", turn},
                                        {"Command", command},
                                        {"SID", view}});
  }

  // A script's GetPact of `other` in the session's game and race at `turn`: its "Return".
  std::string PactEnd(const std::string& other, const std::string& turn = "12") {
    const Entries answer = CallFunction({{"GameName", gameName},
                                         {"RaceName", raceName},
                                         {"Turn", turn},
                                         {"FuncName", "GetPact"},
                                         {"Parameters.Count", "1"},
                                         {"Parameter.1", other}});
    return answer.count("Return") ? answer.at("Return") : "(none)";
  }

  // One row of the race table through the table hook, as the host sends it for the session's
  // game and race.
  std::vector<std::string> TableRow(const std::vector<std::string>& cells,
                                    const std::string& turn = "12", const std::string& id = "13") {
    CMapStringToString map;
    Fill(map, {{"ID", id}, {"GameName", gameName}, {"RaceName", raceName}, {"Turn", turn}});
    CStringArray row;
    for (const std::string& cell : cells) row.Add(cell.c_str());
    module.OnTableProcessor(map, row);
    std::vector<std::string> result;
    for (INT_PTR i = 0; i < row.GetSize(); ++i) result.push_back(row[i].GetString());
    return result;
  }

  // OnCallFunction with `request`; answers the map as the plug-in left it.
  Entries CallFunction(const Entries& request) {
    CMapStringToString map;
    Fill(map, request);
    CStringArray unused;
    module.OnCallFunction(map, unused);
    return Snapshot(map);
  }

  // The game and own race the session's commands, rows and script calls are in.
  std::string gameName = "Alpha";
  std::string raceName = "Xar";

  TempDir game;
  SimulatedHost host;
  PluginModule module{PluginModule::BesideProgram(TRUCELOG_MODULE_NAME)};
  // After the module, so that its windows close before the module unloads.
  HostMainWindow windows;
};
