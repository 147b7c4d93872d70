// The commands of the session language as the help and the completion know them: what each
// is called, how it is written, what it does, an example. The console runs them.
#pragma once

#include <string>
#include <vector>

struct CommandInfo {
  const char* name;
  const char* usage;
  const char* summary;
  const char* example;
  const char* section;
  const char* details = "";
};

const std::vector<CommandInfo>& Commands();
const CommandInfo* FindCommand(const std::string& name);
// The command names closest to a mistyped one, for "did you mean".
std::string Suggestion(const std::string& typed);
// Of `names`, the one closest to `typed`, letter case aside; empty when none is near.
std::string Closest(const std::string& typed, const std::vector<std::string>& names);
// The help: all commands by section, or one command in full.
std::vector<std::string> HelpLines(const std::string& command);
