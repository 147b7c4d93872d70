// A whole host session around the loaded module: a game folder (optionally with a store file)
// as the working directory, a simulated host, and the module started the way the host starts it.
#pragma once

#include <unistd.h>

#include <stdexcept>
#include <string>

#include "plugin_module.h"
#include "simulated_host.h"
#include "support/temp_dir.h"

class Session {
 public:
  static constexpr const char* kStoreFile = "PLUGINS/Trucelog.ini";

  // A game folder holding `storeFile` (no file when empty), made the working directory.
  explicit Session(const std::string& storeFile = "") {
    if (!storeFile.empty()) game.Write(kStoreFile, storeFile);
    if (chdir(game.Path().c_str()) != 0) throw std::runtime_error("cannot enter the game folder");
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

  // OnCallFunction with `request`; answers the map as the plug-in left it.
  Entries CallFunction(const Entries& request) {
    CMapStringToString map;
    Fill(map, request);
    CStringArray unused;
    module.OnCallFunction(map, unused);
    return Snapshot(map);
  }

  TempDir game;
  SimulatedHost host;
  PluginModule module{TRUCELOG_MODULE};
};
