// trucelog-host: the game client, played on a console around the Trucelog module. It loads the
// module as the client does, starts it in a game folder and plays a session of the client and
// of the person in front of it, from a script or at a prompt; see docs/session-language.md.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "console.h"
#include "console_streams.h"
#include "plugin_module.h"

namespace {

constexpr const char* kUsage =
    "usage: trucelog-host [options] [SCRIPT]\n"
    "\n"
    "Plays the game client around the Trucelog module: loads it, starts it in a game folder and\n"
    "runs a session of the client and of the person in front of it, one command a line, from\n"
    "SCRIPT, from standard input (SCRIPT \"-\", or a pipe), or at a prompt on a terminal.\n"
    "\n"
    "options:\n"
    "  --module PATH      the plug-in module (default: " TRUCELOG_MODULE_NAME
    " beside this program)\n"
    "  --game DIR         the game folder, the client's working directory: it keeps the store\n"
    "                     file PLUGINS/Trucelog.ini and the client's settings (default: a fresh\n"
    "                     folder, named on the first line)\n"
    "  --trace            show every entry-point call and every host function call\n"
    "  --color=WHEN       colour the warning windows: auto (on a terminal), always or never\n"
    "  --snapshots DIR    draw every warning window and dialog as an SVG picture in DIR,\n"
    "                     numbered on from the pictures already there\n"
    "  -h, --help         show this help\n"
    "  --version          show the version of this program\n"
    "\n"
    "Type help at the prompt for the commands; docs/session-language.md describes them all.\n"
    "Exit status: 0 done, 1 the game folder cannot be used, 2 a mistake in the script or the\n"
    "options, 3 the module cannot be loaded, 4 a picture cannot be written, 130 Ctrl-C stopped\n"
    "the script.\n";

int Usage(const std::string& complaint) {
  std::cerr << "trucelog-host: " << complaint << "\n" << kUsage;
  return kExitBadInput;
}

bool ColourWanted(const std::string& when) {
  if (when == "always") return true;
  if (when == "never") return false;
  const char* noColour = std::getenv("NO_COLOR");
  const char* term = std::getenv("TERM");
  return OutputIsTerminal() && PrepareTerminalOutput() && !(noColour && *noColour) &&
         !(term && std::strcmp(term, "dumb") == 0);
}

}  // namespace

int main(int argc, char** argv) {
  PrepareTerminalOutput();
  ConsoleOptions options;
  options.module = PluginModule::BesideProgram(TRUCELOG_MODULE_NAME);
  std::string colour = "auto";
  bool scriptGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    std::string value;
    const std::size_t equals = option.find('=');
    if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = option.substr(equals + 1);
      option = option.substr(0, equals);
    } else if (option == "--module" || option == "--game" || option == "--snapshots" ||
               option == "--color" || option == "--colour") {
      if (i + 1 >= argc) return Usage(option + " needs a value");
      value = argv[++i];
    }
    const bool hasValue = equals != std::string::npos;
    if (option == "-h") option = "--help";
    if ((option == "--help" || option == "--trace" || option == "--version") && hasValue) {
      return Usage(option + " takes no value");
    } else if (option == "--help") {
      std::cout << kUsage;
      return kExitOk;
    } else if (option == "--version") {
      std::cout << "trucelog-host " TRUCELOG_VERSION "\n";
      return kExitOk;
    } else if (option == "--trace") {
      options.trace = true;
    } else if (option == "--module") {
      options.module = value;
    } else if (option == "--game") {
      options.game = value;
    } else if (option == "--snapshots") {
      options.snapshots = value;
    } else if (option == "--color" || option == "--colour") {
      if (value != "auto" && value != "always" && value != "never") {
        return Usage("--color takes auto, always or never, not \"" + value + "\"");
      }
      colour = value;
    } else if (option.size() > 1 && option[0] == '-') {
      return Usage("unknown option " + option);
    } else if (scriptGiven) {
      return Usage("one script at a time: " + options.script + " or " + option);
    } else {
      options.script = option;
      scriptGiven = true;
    }
  }
  options.color = ColourWanted(colour);
  // The session runs in the game folder; what was named from here must still be found.
  std::error_code error;
  options.module = std::filesystem::absolute(options.module, error).string();
  if (!options.snapshots.empty()) {
    std::filesystem::create_directories(options.snapshots, error);
    options.snapshots = std::filesystem::absolute(options.snapshots, error).string();
  }
  if (!options.script.empty() && options.script != "-") {
    // A folder opens as a stream on some systems and reads as empty: the reason is said instead.
    const auto kind = std::filesystem::status(options.script, error).type();
    if (kind == std::filesystem::file_type::directory)
      error = std::make_error_code(std::errc::is_a_directory);
    if (error) {
      std::cerr << "trucelog-host: cannot read the script " << options.script << ": "
                << error.message() << "\n";
      return kExitBadInput;
    }
  }
  return RunConsole(options);
}
