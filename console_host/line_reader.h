// The person's keyboard in interactive mode: a prompt with line editing, history and completion
// where GNU readline was found when the host was built, a plain line reader where it was not.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "person.h"

class LineReader : public Terminal {
 public:
  // The words that may complete the word being typed, given the words before it; unquoted,
  // in the person's UTF-8 both ways.
  using Completer = std::function<std::vector<std::string>(const std::vector<std::string>&)>;

  static std::unique_ptr<LineReader> Create(Completer completer);
  // Whether line editing is there, for the greeting.
  virtual bool Edits() const = 0;
  // A command line: kept in the history. Ctrl-C clears the line being typed.
  virtual Typed ReadCommand(const std::string& prompt, std::string& line) = 0;
};
