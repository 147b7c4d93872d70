#include "plugin_session.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "store/owned_map.h"

namespace fuzz {

namespace {

const char* const kNumberKeys[] = {
    "Trucelog\\DefLen",     "Trucelog\\ExpThr",      "Trucelog\\ColNum",    "Trucelog\\InfNum",
    "Trucelog\\ShowAll",    "Trucelog\\ShowInfo",    "Trucelog\\pos\\left", "Trucelog\\pos\\top",
    "Trucelog\\pos\\right", "Trucelog\\pos\\bottom",
};

}  // namespace

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  const std::string folder = ScratchFolder();
  std::filesystem::create_directories(folder + "/PLUGINS");
  // The plug-in takes its store path from the working directory at start-up only; the fuzzer's
  // own folders are relative to the one it was started in.
  const std::filesystem::path fuzzerFolder = std::filesystem::current_path();
  if (chdir(folder.c_str()) != 0) std::abort();
  AsEntryPoint([&] {
    CMapStringToString startup;
    startup.SetAt("MainFrame", "65814");
    startup.SetAt("DataManager", Host::CallbackAddress().c_str());
    startup.SetAt("EventMask", "255");
    startup.SetAt("MainFramePtr", "4259840");
    theApp.OnInitialize(startup);
  });
  std::filesystem::current_path(fuzzerFolder);
}

void Restart() {
  AsEntryPoint([] {
    // A fresh store, as the module's load makes it: no pacts, no dictionary, nothing known of
    // the file and no change waiting for a save.
    Store.~PactStore();
    new (&Store) PactStore;
    SeenKeys.RemoveAll();
    CurrentContext = GameContext{};
    PlanetContext = PlanetRecord{};
    WarningOptions = WarningFlags{};
    Settings = PluginSettings{};
    CString why;
    Store.Load(StorePath, why);
    Settings.LoadSettings(theApp);
    HostSettings settings(theApp);
    Store.Dictionary.LoadConditions(settings);
  });
}

void WriteStoreFile(Input& input) {
  std::string path = StorePath.GetString();
  std::replace(path.begin(), path.end(), '\\', '/');
  std::string file;
  for (int sections = input.Pick(4); sections > 0; --sections) {
    file += "@" + input.Name() + (input.Pick(4) == 0 ? "" : "/" + input.Name()) + "\r\n";
    for (int pacts = input.Pick(8); pacts > 0; --pacts) {
      file += input.Name() + "," + input.Number() + "," + input.Number() + "," +
              (input.Coin() ? "NA/TR" : input.Name()) + "\r\n";
    }
    file += "\r\n";
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
}

void FillSettings(Input& input, std::map<std::string, std::string>& settings) {
  settings.clear();
  for (const char* key : kNumberKeys) {
    if (input.Coin()) settings[key] = input.Pick(4) == 0 ? input.Text() : input.Number();
  }
  if (input.Coin()) {
    // Flags: the six digits, fewer or more, or any bytes.
    std::string flags = input.Pick(3) == 0 ? input.Bytes(12) : std::string();
    for (int i = input.Pick(9); flags.empty() && i > 0; --i) flags += "0123x"[input.Pick(5)];
    settings["Trucelog\\flags"] = flags;
  }
  if (input.Coin()) {
    const std::string count = input.Count();
    settings["Trucelog\\Conditions"] = count;
    const int entries = std::atoi(count.c_str());
    for (int i = 0; i < entries && i < kHostCountBound; ++i) {
      const std::string key = "Trucelog\\Conditions\\" + std::to_string(i);
      if (input.Pick(8) != 0) settings[key] = input.Pick(4) == 0 ? input.Text() : input.Name();
      if (input.Pick(8) != 0) settings[key + "\\string"] = input.Text();
    }
  }
}

}  // namespace fuzz
