#include "commands.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kClient = "The game client";
constexpr const char* kPerson =
    "Answers in dialogs (given ahead, or at once on the open settings page)";
constexpr const char* kWindows = "Warning windows";
constexpr const char* kSession = "Looking and the session";

std::string Lowered(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

// Edit distance, for suggesting a command to one mistyped.
std::size_t Distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = (std::min)({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> commands = {
      {"game", "game NAME RACE [turn N] [races RACE...]",
       "adds or changes a game; sends the games list", "game Beta Xar turn 30 races Xar Kel Dro",
       kClient},
      {"races", "races GAME RACE...", "sets the races the client lists for a game",
       "races Alpha Xar Vor Lum Kel Sar Dro", kClient},
      {"games", "games", "shows the client's games list", "games", kClient},
      {"activate", "activate GAME", "makes GAME the game the player works in", "activate Alpha",
       kClient},
      {"report", "report GAME TURN", "loads GAME's report of TURN and shows that turn",
       "report Alpha 12", kClient},
      {"select", "select VIEW [VALUE...]", "selects rows in a view (help select)",
       "select races Lum Vor", kClient,
       "VIEW is races (the race table: NAME...) or relations (FROM TO pairs); no values\nselects "
       "nothing"},
      {"planet", "planet [OWNER]", "shows a planet of the active game and its owner, or nobody",
       "planet Kel", kClient},
      {"menu", "menu VIEW ITEM", "chooses ITEM in a view's menu (help menu)",
       "menu races \"Sign treaty\"", kClient,
       "VIEW is races, planet, relations, or main for the main menu; ITEM is the item's\ntext or "
       "its first words: menu races sign"},
      {"table", "table [picture [FILE]]",
       "shows the race table with the plug-in's pact cells; picture draws it too", "table picture",
       kClient},
      {"call", "call FUNCTION [ARGUMENT...]", "calls a script function, shows what it returns",
       "call GetPactEx Xar Vor", kClient},
      {"config", "config", "opens the settings dialog on the plug-in's page", "config", kClient},
      {"about", "about", "shows what the plug-in says about itself", "about", kClient},
      {"type", "type FIELD TEXT", "types TEXT over what a field holds", "type \"till the turn\" 20",
       kPerson},
      {"choose", "choose LIST ITEM", "picks ITEM in a drop-down, a list or a group",
       "choose \"Use column\" Custom2", kPerson},
      {"tick", "tick ENTRY", "ticks a check box or a check-list entry", "tick \"Open borders\"",
       kPerson},
      {"untick", "untick ENTRY", "clears a check box or a check-list entry",
       "untick \"Declare war when breaking pact\"", kPerson},
      {"click", "click BUTTON", "clicks a button, a check box or a radio button", "click Add",
       kPerson},
      {"key", "key KEY", "presses a key in the dialog (help key)", "key tab", kPerson,
       "KEY is tab, shift-tab, enter, escape, space, up, down, delete or backspace"},
      {"ok", "ok", "clicks OK, which takes the focus first", "ok", kPerson},
      {"cancel", "cancel", "cancels the dialog", "cancel", kPerson},
      {"yes", "yes", "answers a confirmation with Yes", "yes", kPerson},
      {"no", "no", "answers a confirmation with No", "no", kPerson},
      {"windows", "windows", "lists the warning windows", "windows", kWindows},
      {"window", "window N [ACTION]", "shows window N, or acts on it (help window)",
       "window 2 escape", kWindows,
       "ACTION is show (the default), activate, minimize, maximize, restore, escape (the\nEscape "
       "key in it), close (its close box) or move X Y [WIDTH HEIGHT]"},
      {"timeline", "timeline [FILE]", "draws the active game's pacts as an SVG picture", "timeline",
       kSession},
      {"settings", "settings", "shows the client's settings store", "settings", kSession},
      {"store", "store", "shows the plug-in's pact store file", "store", kSession},
      {"trace", "trace on|off", "shows every call between client and plug-in, or not", "trace on",
       kSession},
      {"help", "help [COMMAND]", "lists the commands, or tells about one", "help window", kSession},
      {"quit", "quit", "ends the session (as the script's end or Ctrl-D do)", "quit", kSession},
  };
  return commands;
}

const CommandInfo* FindCommand(const std::string& name) {
  for (const CommandInfo& command : Commands()) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

std::string Suggestion(const std::string& typed) {
  std::vector<std::string> names;
  for (const CommandInfo& command : Commands()) names.push_back(command.name);
  return Closest(typed, names);
}

std::string Closest(const std::string& typed, const std::vector<std::string>& names) {
  std::string best;
  std::size_t bestDistance = 3;
  for (const std::string& name : names) {
    const std::size_t distance = Distance(Lowered(typed), Lowered(name));
    if (distance < bestDistance) {
      best = name;
      bestDistance = distance;
    }
  }
  return best;
}

std::vector<std::string> HelpLines(const std::string& name) {
  std::vector<std::string> lines;
  if (const CommandInfo* command = FindCommand(name)) {
    lines.push_back(std::string(command->usage));
    std::string summary = command->summary;
    const std::size_t pointer = summary.find(" (help ");
    if (pointer != std::string::npos) summary.erase(pointer);
    lines.push_back("  " + summary);
    std::string details = command->details;
    for (std::size_t at = 0; at < details.size();) {
      const std::size_t end = (std::min)(details.find('\n', at), details.size());
      lines.push_back("  " + details.substr(at, end - at));
      at = end + 1;
    }
    lines.push_back(std::string("  for example: ") + command->example);
    return lines;
  }
  std::string section;
  for (const CommandInfo& command : Commands()) {
    if (section != command.section) {
      section = command.section;
      if (!lines.empty()) lines.push_back("");
      lines.push_back(section + ":");
    }
    std::string usage = command.usage;
    usage.resize((std::max)(usage.size() + 2, std::size_t{42}), ' ');
    lines.push_back("  " + usage + command.summary);
  }
  lines.push_back("");
  lines.push_back(
      "Words with blanks go in double quotes; # starts a comment. Controls are named by");
  lines.push_back("their captions or labels, or the first words of them: type till 20.");
  lines.push_back("help COMMAND tells more; docs/session-language.md has every command.");
  return lines;
}
