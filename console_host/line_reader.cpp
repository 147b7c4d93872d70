#include "line_reader.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "console_streams.h"
#include "script_words.h"

#ifdef TRUCELOG_HAVE_READLINE
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// What the person sees of Ctrl-C, which the terminal no longer echoes by itself.
constexpr const char* kInterruptEcho = "^C\n";

class PlainReader : public LineReader {
 public:
  bool Edits() const override { return false; }

  Typed Ask(const std::string& prompt, std::string& line) override {
    if (ended_) return Typed::kEnded;
    TakeInterrupt();  // pressed before the question, so no answer to it
    std::cout << prompt << std::flush;
    const Typed typed = ReadInputLine(line);
    if (typed == Typed::kLine && !line.empty() && line.back() == '\r') line.pop_back();
    // The terminal dropped what was typed and showed the key; the next prompt goes below.
    if (typed == Typed::kInterrupted) std::cout << '\n';
    ended_ = typed == Typed::kEnded;
    return typed;
  }

  Typed ReadCommand(const std::string& prompt, std::string& line) override {
    return Ask(prompt, line);
  }

 private:
  bool ended_ = false;
};

#ifdef TRUCELOG_HAVE_READLINE

// Readline completes through plain C functions; they reach the one reader through here.
LineReader::Completer* activeCompleter = nullptr;
// What the word typed so far is matched against, and what replaces it: a name with blanks is
// matched as it reads but goes in quoted.
struct Candidate {
  std::string name;
  std::string written;
};
std::vector<Candidate> candidates;
// Set by the key Ctrl-C stands for while readline reads.
bool lineInterrupted = false;

// Ctrl-C never reaches readline as a key (the terminal makes it a signal), so its code can
// stand for the signal: the key reader hands it on when Ctrl-C ended its wait.
constexpr int kInterruptKey = 3;

int ReadKey(FILE* stream) {
  for (;;) {
    if (!AwaitInput(fileno(stream))) return kInterruptKey;
    unsigned char key = 0;
    const ssize_t got = read(fileno(stream), &key, 1);
    if (got == 1) return key;
    if (got == 0 || errno != EINTR) return EOF;
  }
}

int ClearLine(int, int) {
  // Shown after what was typed, while readline still knows where that ends: once it returns it
  // puts the cursor back at the start of the line, over the prompt.
  rl_point = rl_end;
  rl_redisplay();
  std::fputs(kInterruptEcho, rl_outstream ? rl_outstream : stdout);
  std::fflush(rl_outstream ? rl_outstream : stdout);
  rl_replace_line("", 0);
  lineInterrupted = true;
  rl_done = 1;
  return 0;
}

char* NextCandidate(const char* text, int state) {
  static std::size_t next = 0;
  if (state == 0) next = 0;
  const std::string typed = text;
  while (next < candidates.size()) {
    const Candidate& candidate = candidates[next++];
    if (candidate.name.compare(0, typed.size(), typed) == 0 ||
        candidate.written.compare(0, typed.size(), typed) == 0)
      return strdup(candidate.written.c_str());
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
    // Inside an opened quote the words go as they are; outside, one with blanks opens its own.
    for (const std::string& name : (*activeCompleter)(before)) {
      candidates.push_back({name, rl_completion_quote_character == 0 ? QuoteTyped(name) : name});
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
    // Ctrl-C is the host's (CatchInterrupts): readline leaves the signals alone, and its key
    // reader turns an interrupted read into the key that clears the line.
    rl_catch_signals = 0;
    rl_getc_function = ReadKey;
    rl_bind_key(kInterruptKey, ClearLine);
    activeCompleter = &completer_;
  }
  ~ReadlineReader() override { activeCompleter = nullptr; }

  bool Edits() const override { return true; }

  Typed Ask(const std::string& prompt, std::string& line) override {
    // Questions in a dialog complete nothing and stay out of the history.
    Completer* saved = activeCompleter;
    activeCompleter = nullptr;
    const Typed typed = Read(prompt, line);
    activeCompleter = saved;
    return typed;
  }

  Typed ReadCommand(const std::string& prompt, std::string& line) override {
    const Typed typed = Read(prompt, line);
    if (typed == Typed::kLine && !line.empty() && line != last_) {
      add_history(line.c_str());
      last_ = line;
    }
    return typed;
  }

 private:
  Typed Read(const std::string& prompt, std::string& line) {
    if (ended_) return Typed::kEnded;
    std::cout.flush();
    TakeInterrupt();  // pressed before the question, so no answer to it
    lineInterrupted = false;
    char* read = readline(prompt.c_str());
    if (!read) {
      ended_ = true;
      return Typed::kEnded;
    }
    line = read;
    std::free(read);
    if (lineInterrupted) {
      line.clear();
      return Typed::kInterrupted;
    }
    return Typed::kLine;
  }

  Completer completer_;
  std::string last_;
  bool ended_ = false;
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
