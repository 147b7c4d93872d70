// trucelog-host: a console stand-in for the game client. It loads the plug-in module, starts
// it with a real callback, plays a short session against it and prints what it answered.
//
//   trucelog-host [--module PATH] [--game DIR]
//
// --module defaults to the module beside this program (Trucelog.so, or Trucelog.dll on Windows);
// --game is the host's working folder, where the plug-in keeps PLUGINS/Trucelog.ini (default: the
// current folder).
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "display.h"
#include "plugin_module.h"
#include "simulated_host.h"

namespace {

void Print(const std::string& title, const Entries& entries) {
  std::cout << title << "\n";
  for (const auto& [key, value] : entries) {
    std::cout << "  " << key << " = " << ShowAnsi(value) << "\n";
  }
}

// Calls a script function as a script in game Alpha, played as Xar, would at turn 12.
void AskScript(const PluginModule& module, const std::string& function,
               const std::vector<std::string>& races) {
  Entries request = {{"GameName", "Alpha"},
                     {"RaceName", "Xar"},
                     {"Turn", "12"},
                     {"FuncName", function},
                     {"Parameters.Count", std::to_string(races.size())}};
  std::string call = function + "(";
  for (std::size_t i = 0; i < races.size(); ++i) {
    request["Parameter." + std::to_string(i + 1)] = races[i];
    call += (i ? ", " : "") + races[i];
  }
  CMapStringToString map;
  Fill(map, request);
  CStringArray unused;
  module.OnCallFunction(map, unused);
  std::cout << "  " << call << ") = " << Snapshot(map)["Return"] << "\n";
}

int Usage() {
  std::cerr << "usage: trucelog-host [--module PATH] [--game DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string modulePath = PluginModule::BesideProgram(TRUCELOG_MODULE_NAME);
  std::string gameDir;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return Usage();
    if (option == "--module") {
      modulePath = argv[++i];
    } else if (option == "--game") {
      gameDir = argv[++i];
    } else {
      return Usage();
    }
  }
  modulePath = std::filesystem::absolute(modulePath).string();
  if (!gameDir.empty()) {
    std::error_code error;
    std::filesystem::current_path(gameDir, error);
    if (error) {
      std::cerr << gameDir << ": " << error.message() << "\n";
      return 1;
    }
  }

  SimulatedHost host;
  PluginModule module(modulePath);
  if (!module.IsLoaded()) {
    std::cerr << "cannot load the plug-in: " << module.Error() << "\n";
    return 1;
  }
  std::cout << "Loaded " << modulePath << "\n";
  module.OnLoad();

  CMapStringToString startup;
  const Entries parameters = host.StartupParameters();
  Fill(startup, parameters);
  module.OnInitialize(startup);
  Entries registrations = Snapshot(startup);
  for (const auto& [key, value] : parameters) registrations.erase(key);
  Print("OnInitialize registered:", registrations);

  CMapStringToString about;
  module.OnAbout(about);
  Print("OnAbout answered:", Snapshot(about));

  std::cout << "Scripts ask, in game Alpha as race Xar at turn 12:\n";
  AskScript(module, "GetPact", {"Vor"});
  AskScript(module, "GetPact", {"Lum"});
  AskScript(module, "GetPact", {"Kel"});
  AskScript(module, "GetPactEx", {"Xar", "Vor"});

  module.OnClose();
  Print("Settings stored by the host at the end:", host.settings);
  return 0;
}
