#include "line_reader.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "script_words.h"

#ifdef TRUCELOG_HAVE_READLINE
#include <readline/history.h>
#include <readline/readline.h>
#endif

namespace {

class PlainReader : public LineReader {
 public:
  bool Edits() const override { return false; }
  bool Ask(const std::string& prompt, std::string& line) override {
    std::cout << prompt << std::flush;
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  bool ReadCommand(const std::string& prompt, std::string& line) override {
    return Ask(prompt, line);
  }
};

#ifdef TRUCELOG_HAVE_READLINE

// Readline completes through plain C functions; they reach the one reader through here.
LineReader::Completer* activeCompleter = nullptr;
std::vector<std::string> candidates;

char* NextCandidate(const char* text, int state) {
  static std::size_t next = 0;
  if (state == 0) next = 0;
  const std::string typed = text;
  while (next < candidates.size()) {
    const std::string& candidate = candidates[next++];
    if (candidate.compare(0, typed.size(), typed) == 0) return strdup(candidate.c_str());
  }
  return nullptr;
}

char** Complete(const char* text, int start, int) {
  rl_attempted_completion_over = 1;  // no file names
  candidates.clear();
  if (activeCompleter) {
    std::vector<std::string> before;
    try {
      std::string typed(rl_line_buffer, static_cast<std::size_t>(start));
      // The quote that opens the word being completed is not part of the words before it.
      if (rl_completion_quote_character != 0 && !typed.empty()) typed.pop_back();
      before = SplitWords(typed);
    } catch (const SessionError&) {
      return nullptr;
    }
    candidates = (*activeCompleter)(before);
    // Inside an opened quote the words go as they are; outside, one with blanks opens its own.
    if (rl_completion_quote_character == 0) {
      for (std::string& candidate : candidates) candidate = QuoteWord(candidate);
    }
  }
  return rl_completion_matches(text, NextCandidate);
}

class ReadlineReader : public LineReader {
 public:
  explicit ReadlineReader(Completer completer) : completer_(std::move(completer)) {
    rl_readline_name = "trucelog-host";
    rl_attempted_completion_function = Complete;
    rl_completer_quote_characters = "\"";
    rl_basic_word_break_characters = " \t";
    activeCompleter = &completer_;
  }
  ~ReadlineReader() override { activeCompleter = nullptr; }

  bool Edits() const override { return true; }

  bool Ask(const std::string& prompt, std::string& line) override {
    // Questions in a dialog complete nothing and stay out of the history.
    Completer* saved = activeCompleter;
    activeCompleter = nullptr;
    const bool read = Read(prompt, line);
    activeCompleter = saved;
    return read;
  }

  bool ReadCommand(const std::string& prompt, std::string& line) override {
    if (!Read(prompt, line)) return false;
    if (!line.empty() && line != last_) {
      add_history(line.c_str());
      last_ = line;
    }
    return true;
  }

 private:
  static bool Read(const std::string& prompt, std::string& line) {
    std::cout.flush();
    char* read = readline(prompt.c_str());
    if (!read) return false;
    line = read;
    std::free(read);
    return true;
  }

  Completer completer_;
  std::string last_;
};

#endif

}  // namespace

std::unique_ptr<LineReader> LineReader::Create(Completer completer) {
#ifdef TRUCELOG_HAVE_READLINE
  return std::make_unique<ReadlineReader>(std::move(completer));
#else
  (void)completer;
  return std::make_unique<PlainReader>();
#endif
}
