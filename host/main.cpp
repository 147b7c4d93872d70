// trucelog-host: a console stand-in for the game client. It loads the plug-in module, starts
// it with a real callback, plays a short session against it and prints what it answered.
//
//   trucelog-host [--module PATH] [--game DIR]
//
// --module defaults to Trucelog.so beside this program; --game is the host's working folder,
// where the plug-in keeps PLUGINS/Trucelog.ini (default: the current folder).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

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

std::string DefaultModulePath() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::path(".") : self.parent_path()) / "Trucelog.so";
}

int Usage() {
  std::cerr << "usage: trucelog-host [--module PATH] [--game DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string modulePath = DefaultModulePath();
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
  if (!gameDir.empty() && chdir(gameDir.c_str()) != 0) {
    std::perror(gameDir.c_str());
    return 1;
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
  Fill(startup, host.StartupParameters());
  module.OnInitialize(startup);
  Print("OnInitialize answered:", Snapshot(startup));

  CMapStringToString about;
  module.OnAbout(about);
  Print("OnAbout answered:", Snapshot(about));

  module.OnClose();
  std::cout << "Host calls during the session: " << host.Requests().size() << "\n";
  return 0;
}
