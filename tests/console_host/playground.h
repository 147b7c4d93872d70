// The game folders the console host's tests play in: a game folder with a store file, inside a
// fresh folder the host is started from, and the scripts that set a session up.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host_process.h"
#include "support/temp_dir.h"

inline constexpr const char* kStore = "PLUGINS/Trucelog.ini";
inline constexpr const char* kSettings = "client-settings.txt";

// Alpha at turn 12, played as Xar; Vor's pact ends this turn, Lum's in 3.
inline const std::string kAlphaStore = "@Alpha/Xar\r\nVor,1,12,\r\nLum,5,15,\r\n\r\n";

inline const std::string kStartAlpha =
    "game Alpha Xar turn 12 races Xar Vor Lum Kel\n"
    "activate Alpha\n";

inline const std::string kSignKelWithACondition =
    "select races Kel\n"
    "type \"till the turn\" 30\n"
    "click Add\n"
    "type \"Main text\" \"Open borders\"\n"
    "type Abbreviation ob\n"
    "ok\n"
    "tick \"Open borders\"\n"
    "ok\n"
    "menu races \"Sign treaty\"\n";

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A game folder holding `store`, inside a fresh folder the host is started from.
struct Playground {
  explicit Playground(const std::string& store = kAlphaStore) {
    if (!store.empty()) temp.Write(std::string("game/") + kStore, store);
    std::filesystem::create_directories(Game());
  }
  std::filesystem::path Game() const { return temp.Path() / "game"; }
  // Plays `script` in the game folder; `options` come before it.
  HostRun Play(const std::string& script, std::vector<std::string> options = {}) const {
    const std::string file = "session" + std::to_string(++runs) + ".txt";
    temp.Write(file, script);
    options.insert(options.begin(), {"--game", "game", "--color=never"});
    options.push_back(file);
    return RunHost(options, temp.Path());
  }
  // The store file and the settings file: all a session leaves behind.
  std::string Folder() const {
    return ReadFile(Game() / kStore) + "\n--\n" + ReadFile(Game() / kSettings);
  }

  TempDir temp;
  mutable int runs = 0;
};
