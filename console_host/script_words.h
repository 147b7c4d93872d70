// The words of one line of the session language: blanks separate words, double quotes keep
// blanks and take backslash escapes (\" \\ \n \r \t \xHH, so any byte can be written), and "#"
// outside quotes starts a comment. Also the way back: a word written so that it reads the same.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A mistake in what the script or the person asked for, worded for them. `line` names the script
// line it belongs to when that is not the line being run (an answer given ahead); 0 otherwise.
class SessionError : public std::runtime_error {
 public:
  explicit SessionError(const std::string& message, int line = 0)
      : std::runtime_error(message), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

// Throws SessionError on an unterminated quote or an unknown escape.
std::vector<std::string> SplitWords(const std::string& line);

// The word as a script would write it: quoted when it is empty or holds blanks, quotes or
// bytes outside printable ASCII, with control bytes escaped; bare otherwise.
std::string QuoteWord(const std::string& word);
// The same for a word in the person's UTF-8: letters beyond ASCII need no quotes there.
std::string QuoteTyped(const std::string& utf8);
