// The person at the screen, as the console host plays them: they act on dialogs, the
// configuration page and message boxes with the answers a script gave ahead (or that were typed
// at the prompt), in order, and in interactive mode they are asked on the terminal for whatever
// was not answered. They act only through CUserInput, so the controls' styles and the dialogs'
// handlers apply as on a screen. No exception ever leaves a call from the framework: a bad
// answer is kept as the failure, and every dialog still open is cancelled.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "afx_standin.h"
#include "console_streams.h"
#include "dialog_view.h"
#include "printer.h"
#include "script_words.h"

// The person's keyboard in interactive mode.
class Terminal {
 public:
  virtual ~Terminal() = default;
  // Shows `prompt` and reads a line: the line, Ctrl-C, or the end of the input (which stays
  // ended).
  virtual Typed Ask(const std::string& prompt, std::string& line) = 0;
};

// One answer: its words ("type", "till", "20") and the script line that gave it.
struct Answer {
  std::vector<std::string> words;
  int line = 0;
};

// Whether `verb` is one of the answers (type, choose, tick, untick, click, key, ok, ...).
bool IsAnswerVerb(const std::string& verb);
// Throws SessionError when the answer has too few or too many words.
void CheckAnswer(const std::vector<std::string>& words);

class Person : public CSimulatedUser {
 public:
  // Installs itself as the framework's simulated user until destroyed. `terminal` may be null:
  // then nothing is asked and a dialog without answers is a failure.
  Person(Printer& printer, Snapshots& snapshots, Terminal* terminal);
  ~Person() override;
  Person(const Person&) = delete;
  Person& operator=(const Person&) = delete;

  void Give(Answer answer) { answers_.push_back(std::move(answer)); }
  const std::deque<Answer>& Pending() const { return answers_; }
  void Forget() { answers_.clear(); }

  // The first failure since the last call, with the line it belongs to; empty when none.
  std::optional<SessionError> TakeFailure();

  // Carries out one answer on an open dialog or page at once and shows what it changed.
  // `caption` names the window in messages. Throws SessionError.
  void ActOn(CWnd& window, const std::string& caption, const Answer& answer);
  // Shows the fields of `window` whose text is no longer what `before` saw: what the dialog
  // corrected on its own.
  void ShowCorrections(const DialogView& before, CWnd& window, const std::string& caption);

  void OnModalDialog(CDialog& dialog) override;
  int OnMessageBox(const CString& text, const CString& caption, UINT type) override;

 private:
  void Fail(const SessionError& error);
  // As ShowCorrections; the field `typedInto` shows what was typed (`typed`), or is skipped
  // when null, as a field the person picked in.
  void ShowChanges(const DialogView& before, const DialogView& after, int typedInto,
                   const std::string* typed);
  // Carries out the answer; `typedInto` receives the field typed into or picked in.
  void Carry(CWnd& window, const DialogView& view, const std::vector<std::string>& words,
             int& typedInto);
  // Asks for the dialog field by field, then for a button; answers the button that ended it.
  int AskDialog(CDialog& dialog);
  // False when the person cancels the dialog (Ctrl-C) or the input ends.
  bool AskField(CWnd& window, const DialogView& view, const DialogControl& control);
  bool Ask(const std::string& prompt, std::string& line);
  void Picture(CWnd& window, const std::string& caption, const std::string& when);

  Printer& printer_;
  Snapshots& snapshots_;
  Terminal* terminal_;
  CSimulatedUser* previous_;
  std::deque<Answer> answers_;
  std::optional<SessionError> failure_;
};
