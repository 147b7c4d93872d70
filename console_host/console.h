// One run of the console host: the module loaded and started as the game client starts it, in
// its game folder, with the client's world, its main window and the person around it, all
// driven by the session language line by line, from a script or from the terminal.
#pragma once

#include <string>

struct ConsoleOptions {
  std::string module;     // the plug-in module
  std::string game;       // the game folder as given; empty: a fresh one
  std::string script;     // as given; "-" or empty: standard input (a prompt on a terminal)
  std::string snapshots;  // where the pictures go; empty: nowhere
  bool trace = false;
  bool color = false;
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;        // the game folder or a file could not be used
inline constexpr int kExitBadInput = 2;       // a script mistake, or a bad option
inline constexpr int kExitNoModule = 3;       // the module cannot be loaded or lacks an entry point
inline constexpr int kExitNoPicture = 4;      // a picture could not be written (the session closed)
inline constexpr int kExitInterrupted = 130;  // Ctrl-C stopped the script (the session closed)

// Plays the whole session; answers the exit status.
int RunConsole(const ConsoleOptions& options);
