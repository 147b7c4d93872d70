#include "person.h"

#include <algorithm>

#include "console_streams.h"
#include "display.h"
#include "svg.h"

namespace {

constexpr const char* kEcho = "\xC2\xBB ";  // "» "

struct Verb {
  const char* name;
  int words;  // after the verb
  const char* usage;
};
constexpr Verb kVerbs[] = {{"type", 2, "type FIELD TEXT"},
                           {"choose", 2, "choose LIST ITEM"},
                           {"tick", 1, "tick ENTRY"},
                           {"untick", 1, "untick ENTRY"},
                           {"click", 1, "click BUTTON"},
                           {"key", 1, "key KEY"},
                           {"ok", 0, "ok"},
                           {"cancel", 0, "cancel"},
                           {"yes", 0, "yes"},
                           {"no", 0, "no"}};

struct Key {
  const char* name;
  UINT code;
  bool shift;
};
constexpr Key kKeys[] = {
    {"tab", VK_TAB, false},       {"shift-tab", VK_TAB, true},  {"enter", VK_RETURN, false},
    {"escape", VK_ESCAPE, false}, {"space", VK_SPACE, false},   {"up", VK_UP, false},
    {"down", VK_DOWN, false},     {"delete", VK_DELETE, false}, {"backspace", VK_BACK, false}};

struct Button {
  const char* name;
  int id;
};

// The buttons of a message box of `type`, the negative one last.
std::vector<Button> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_YESNOCANCEL:
      return {{"Yes", IDYES}, {"No", IDNO}, {"Cancel", IDCANCEL}};
    case MB_YESNO:
      return {{"Yes", IDYES}, {"No", IDNO}};
    case MB_RETRYCANCEL:
      return {{"Retry", IDRETRY}, {"Cancel", IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{"Abort", IDABORT}, {"Retry", IDRETRY}, {"Ignore", IDIGNORE}};
    default:
      return {{"OK", IDOK}};
  }
}

std::string Lowered(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

std::string Echo(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += (line.empty() ? "" : " ") + QuoteWord(word);
  return kEcho + ShowAnsi(line);
}

std::string ButtonRow(const std::vector<Button>& buttons) {
  std::string row;
  for (const Button& button : buttons)
    row += (row.empty() ? "[ " : "  [ ") + std::string(button.name) + " ]";
  return row;
}

std::string MessageBoxSvg(const std::string& text, const std::string& caption,
                          const std::vector<Button>& buttons) {
  const double width = (std::max)(260.0, TextWidth(text, 11) + 80);
  const double height = 112;
  SvgPicture picture(width + 2, height + 2, caption);
  const std::string font =
      "font-family=\"MS Sans Serif, Microsoft Sans Serif, Tahoma, DejaVu Sans, sans-serif\"";
  const std::string size = " font-size=\"11\"";
  picture.Rect(1, 1, width, height, "#d4d0c8", "#404040");
  picture.Rect(1, 1, width, 18, "#0a246a");
  picture.BeginClip(1, 1, width, 18);
  picture.Text(6, 14, caption, "#ffffff", font + size + " font-weight=\"bold\"");
  picture.EndClip();
  picture.Raw("<circle cx=\"30\" cy=\"46\" r=\"14\" fill=\"#ffffff\" stroke=\"#0a246a\"/>");
  picture.Text(30, 52, "?", "#0a246a", font + " font-size=\"18\" text-anchor=\"middle\"");
  picture.Text(56, 50, text, "#000000", font + size);
  const double buttonWidth = 75;
  double x = (width - static_cast<double>(buttons.size()) * (buttonWidth + 8)) / 2;
  for (const Button& button : buttons) {
    picture.Rect(x, 78, buttonWidth, 23, "#d4d0c8", "#404040");
    picture.Text(x + buttonWidth / 2, 94, button.name, "#000000",
                 font + size + " text-anchor=\"middle\"");
    x += buttonWidth + 8;
  }
  return picture.Finish();
}

bool IsYes(const std::string& answer) {
  const std::string word = Lowered(answer);
  return word == "y" || word == "yes";
}

bool IsNo(const std::string& answer) {
  const std::string word = Lowered(answer);
  return word == "n" || word == "no";
}

}  // namespace

bool IsAnswerVerb(const std::string& verb) {
  return std::any_of(std::begin(kVerbs), std::end(kVerbs),
                     [&](const Verb& known) { return verb == known.name; });
}

void CheckAnswer(const std::vector<std::string>& words) {
  for (const Verb& verb : kVerbs) {
    if (words.empty() || words[0] != verb.name) continue;
    const int given = static_cast<int>(words.size()) - 1;
    if (given == verb.words) return;
    throw SessionError(std::string(given < verb.words ? "too few" : "too many") +
                       " words: expected " + verb.usage);
  }
}

Person::Person(Printer& printer, Snapshots& snapshots, Terminal* terminal)
    : printer_(printer),
      snapshots_(snapshots),
      terminal_(terminal),
      previous_(AfxSetSimulatedUser(this)) {}

Person::~Person() { AfxSetSimulatedUser(previous_); }

std::optional<SessionError> Person::TakeFailure() {
  std::optional<SessionError> failure = std::move(failure_);
  failure_.reset();
  return failure;
}

void Person::Fail(const SessionError& error) {
  if (!failure_) failure_ = error;
  answers_.clear();
}

void Person::Picture(CWnd& window, const std::string& caption, const std::string& when) {
  if (!snapshots_.Enabled()) return;
  const DialogView view(window, caption);
  const std::string path =
      snapshots_.Write(caption + (when.empty() ? "" : " " + when), view.Svg(caption));
  if (!path.empty()) printer_.Line("(picture " + path.substr(path.rfind('/') + 1) + ")");
}

void Person::ActOn(CWnd& window, const std::string& caption, const Answer& answer) {
  const std::vector<std::string>& words = answer.words;
  printer_.Line(Echo(words));
  const DialogView before(window, caption);
  int typedInto = 0;
  Carry(window, before, words, typedInto);
  if (!IsWindow(window.m_hWnd)) return;
  // What the person sees change besides what they did: a field the dialog corrected, a text
  // the field's style changed as it was typed.
  ShowChanges(before, DialogView(window, caption), typedInto,
              words[0] == "type" ? &words[2] : nullptr);
}

void Person::ShowCorrections(const DialogView& before, CWnd& window, const std::string& caption) {
  if (IsWindow(window.m_hWnd)) ShowChanges(before, DialogView(window, caption), 0, nullptr);
}

void Person::ShowChanges(const DialogView& before, const DialogView& after, int typedInto,
                         const std::string* typed) {
  for (const DialogControl& now : after.Controls()) {
    const bool field = now.kind == ControlKind::kEdit || now.kind == ControlKind::kCombo ||
                       now.kind == ControlKind::kDropList;
    if (!field || now.name.empty()) continue;
    const auto was = std::find_if(before.Controls().begin(), before.Controls().end(),
                                  [&](const DialogControl& c) { return c.hWnd == now.hWnd; });
    if (was == before.Controls().end() || (typedInto != 0 && now.id == typedInto && !typed)) {
      continue;
    }
    const std::string& expected = typedInto != 0 && now.id == typedInto ? *typed : was->text;
    if (now.text != expected) {
      printer_.Line("  \xE2\x86\x92 \"" + ShowAnsi(now.name) + "\" shows \"" + ShowAnsi(now.text) +
                    "\"");
    }
  }
}

void Person::Carry(CWnd& window, const DialogView& view, const std::vector<std::string>& words,
                   int& typedInto) {
  const std::string& verb = words.at(0);
  CUserInput input(window);
  if (verb == "yes" || verb == "no") {
    throw SessionError("\"" + verb + "\" answers a confirmation, but the \"" +
                       ShowAnsi(view.Caption()) + "\" dialog is open: use ok or cancel");
  }
  if (verb == "ok" || verb == "cancel") {
    const int id = verb == "ok" ? IDOK : IDCANCEL;
    if (!window.GetDlgItem(id) || !input.Click(id)) input.Key(id == IDOK ? VK_RETURN : VK_ESCAPE);
    return;
  }
  if (verb == "type") {
    const DialogControl& field =
        view.Find(words[1], {ControlKind::kEdit, ControlKind::kCombo}, "a text field");
    input.Type(field.id, words[2].c_str());
    typedInto = field.id;
    return;
  }
  if (verb == "choose") {
    const DialogControl& control = view.Find(
        words[1],
        {ControlKind::kDropList, ControlKind::kCombo, ControlKind::kList, ControlKind::kGroupBox},
        "a list or a group of choices");
    if (control.kind != ControlKind::kGroupBox) {
      typedInto = control.id;
      const int item = view.FindItem(control, words[2]);
      input.Pick(control.id, control.items[static_cast<std::size_t>(item)].c_str());
      return;
    }
    DialogControl group = control;
    group.items.clear();
    std::vector<int> ids;
    for (const DialogControl& member : view.Controls()) {
      if (member.kind == ControlKind::kRadio && member.group == control.name) {
        group.items.push_back(member.name);
        ids.push_back(member.id);
      }
    }
    input.Click(ids[static_cast<std::size_t>(view.FindItem(group, words[2]))]);
    return;
  }
  if (verb == "tick" || verb == "untick") {
    const bool wanted = verb == "tick";
    const bool hasCheckList = std::any_of(
        view.Controls().begin(), view.Controls().end(),
        [](const DialogControl& c) { return c.kind == ControlKind::kList && c.checkList; });
    try {
      const DialogControl& box = view.Find(words[1], {ControlKind::kCheckBox}, "a check box");
      if (box.checked != wanted) input.Click(box.id);
      return;
    } catch (const SessionError&) {
      if (!hasCheckList) throw;
    }
    int item = -1;
    const DialogControl& list = view.FindTick(words[1], item);
    input.Tick(list.id, list.items[static_cast<std::size_t>(item)].c_str(), wanted);
    return;
  }
  if (verb == "click") {
    const DialogControl& button = view.Find(
        words[1], {ControlKind::kButton, ControlKind::kCheckBox, ControlKind::kRadio}, "a button");
    if (!input.Click(button.id)) {
      throw SessionError("\"" + ShowAnsi(button.name) + "\" cannot be clicked now");
    }
    return;
  }
  if (verb == "key") {
    for (const Key& key : kKeys) {
      if (Lowered(words[1]) != key.name) continue;
      if (key.code == VK_BACK) {
        input.TypeChars("\b");
      } else {
        input.Key(key.code, key.shift);
      }
      return;
    }
    std::string names;
    for (const Key& key : kKeys) names += (names.empty() ? "" : ", ") + std::string(key.name);
    throw SessionError("no key \"" + ShowAnsi(words[1]) + "\": expected one of " + names);
  }
  throw SessionError("\"" + ShowAnsi(verb) + "\" is not an answer to a dialog");
}

void Person::OnModalDialog(CDialog& dialog) {
  // Once an answer failed, whatever else opens is cancelled without a look.
  if (failure_) return;
  const DialogView opened(dialog);
  const std::string caption = opened.Caption();
  printer_.OpenBox(ShowAnsi(caption));
  for (const std::string& line : opened.TextLines()) printer_.Line(line);
  int pressed = IDCANCEL;
  try {
    Picture(dialog, caption, "");
    while (!AfxIsDialogEnded(dialog) && IsWindow(dialog.m_hWnd) && !failure_) {
      if (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.pop_front();
        try {
          ActOn(dialog, caption, answer);
          const std::string& verb = answer.words[0];
          if (verb == "ok" || (verb == "click" && NameFit(answer.words[1], "OK") == 2)) {
            pressed = IDOK;
          }
          if (verb == "key" && Lowered(answer.words[1]) == "enter") pressed = IDOK;
        } catch (const SessionError& error) {
          Fail(SessionError(error.what(), answer.line));
        }
      } else if (terminal_) {
        pressed = AskDialog(dialog);
        break;
      } else {
        Fail(SessionError("the \"" + ShowAnsi(caption) +
                          "\" dialog opened and nothing answered it: give its answers (type, "
                          "choose, tick, click, then ok or cancel) on the lines just before "
                          "this command"));
      }
    }
    if (AfxIsDialogEnded(dialog) && IsWindow(dialog.m_hWnd)) {
      Picture(dialog, caption, pressed == IDOK ? "ok" : "cancel");
    }
  } catch (const SessionError& error) {
    Fail(error);
  } catch (const std::exception& error) {
    Fail(SessionError(std::string("the console host failed: ") + error.what()));
  }
  printer_.CloseBox(AfxIsDialogEnded(dialog) && pressed == IDOK ? "OK" : "Cancel");
}

int Person::OnMessageBox(const CString& text, const CString& caption, UINT type) {
  const std::vector<Button> buttons = ButtonsOf(type);
  int result = buttons.back().id;
  printer_.OpenBox(ShowAnsi(caption.GetString()));
  const bool question = (type & 0xF0) == MB_ICONQUESTION;
  printer_.Line((question ? "(?) " : "") + ShowAnsi(text.GetString()));
  printer_.Line(ButtonRow(buttons));
  try {
    if (snapshots_.Enabled()) {
      const std::string path = snapshots_.Write(
          caption.GetString(), MessageBoxSvg(text.GetString(), caption.GetString(), buttons));
      if (!path.empty()) printer_.Line("(picture " + path.substr(path.rfind('/') + 1) + ")");
    }
    std::string choices;
    for (const Button& button : buttons) {
      choices += (choices.empty() ? "" : " or ") + Lowered(button.name);
    }
    // A message with nothing to choose (the plug-in telling why it kept a dialog open, or that
    // it could not save) takes the "ok" given for it, and is acknowledged without one.
    const bool onlyOk = buttons.size() == 1 && buttons[0].id == IDOK;
    const bool okGiven = !answers_.empty() && answers_.front().words.size() == 1 &&
                         answers_.front().words[0] == "ok";
    if (failure_) {
      // Answered negatively: the command the failure belongs to must change nothing.
    } else if (onlyOk && !okGiven && !terminal_) {
      printer_.Line("(acknowledged)");
    } else if (!answers_.empty()) {
      const Answer answer = answers_.front();
      answers_.pop_front();
      printer_.Line(Echo(answer.words));
      const auto chosen = std::find_if(buttons.begin(), buttons.end(), [&](const Button& b) {
        return answer.words.size() == 1 && Lowered(b.name) == answer.words[0];
      });
      if (chosen == buttons.end()) {
        Fail(SessionError("the confirmation \"" + ShowAnsi(text.GetString()) + "\" takes " +
                              choices + ", not \"" + ShowAnsi(answer.words[0]) + "\"",
                          answer.line));
      } else {
        result = chosen->id;
      }
    } else if (terminal_) {
      for (std::string line;;) {
        if (terminal_->Ask(printer_.Prefix() + choices + "? ", line) != Typed::kLine) break;
        const auto chosen = std::find_if(buttons.begin(), buttons.end(), [&](const Button& b) {
          return Lowered(line) == Lowered(b.name) || (b.id == IDYES && IsYes(line)) ||
                 (b.id == IDNO && IsNo(line));
        });
        if (chosen != buttons.end()) {
          result = chosen->id;
          break;
        }
        printer_.Line("? answer " + choices);
      }
    } else {
      Fail(SessionError("the confirmation \"" + ShowAnsi(text.GetString()) +
                        "\" opened and nothing answered it: put " + choices +
                        " on the line just before this command"));
    }
  } catch (const SessionError& error) {
    Fail(error);
  }
  const auto shown =
      std::find_if(buttons.begin(), buttons.end(), [&](const Button& b) { return b.id == result; });
  printer_.CloseBox(shown->name);
  return result;
}

bool Person::Ask(const std::string& prompt, std::string& line) {
  printer_.Flush();
  if (terminal_->Ask(printer_.Prefix() + prompt, line) != Typed::kLine) return false;
  line = TypedAnsi(line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return true;
}

bool Person::AskField(CWnd& window, const DialogView& view, const DialogControl& control) {
  CUserInput input(window);
  const std::string name = ShowAnsi(control.name.empty() ? control.text : control.name);
  std::string line;
  switch (control.kind) {
    case ControlKind::kEdit:
    case ControlKind::kCombo: {
      std::string prompt = name + " [" + ShowAnsi(control.text) + "]";
      if (!control.items.empty()) {
        std::string items;
        for (const std::string& item : control.items)
          items += (items.empty() ? "" : ", ") + ShowAnsi(item);
        prompt += " (" + items + ")";
      }
      if (!Ask(prompt + ": ", line)) return false;
      if (line.empty()) return true;
      // Clicking into the field may make the one left correct itself; both are shown.
      const DialogView before(window, view.Caption());
      input.Type(control.id, line.c_str());
      ShowChanges(before, DialogView(window, view.Caption()), control.id, &line);
      return true;
    }
    case ControlKind::kCheckBox:
    case ControlKind::kRadio:
      for (;;) {
        const char* mark = control.kind == ControlKind::kRadio
                               ? (control.checked ? "(\xE2\x80\xA2) " : "( ) ")
                               : (control.checked ? "[x] " : "[ ] ");
        if (!Ask(mark + name + (control.checked ? " (Y/n): " : " (y/N): "), line)) return false;
        if (line.empty()) return true;
        if (IsYes(line) || IsNo(line)) {
          const DialogView before(window, view.Caption());
          if (IsYes(line) != control.checked) input.Click(control.id);
          ShowCorrections(before, window, view.Caption());
          return true;
        }
        printer_.Line("? answer y or n");
      }
    case ControlKind::kList:
      if (control.checkList) {
        for (std::size_t i = 0; i < control.items.size(); ++i) {
          const bool ticked = control.ticks[i];
          for (;;) {
            if (!Ask(std::string(ticked ? "[x] " : "[ ] ") + ShowAnsi(control.items[i]) +
                         (ticked ? " (Y/n): " : " (y/N): "),
                     line)) {
              return false;
            }
            if (line.empty()) break;
            if (IsYes(line) || IsNo(line)) {
              const DialogView before(window, view.Caption());
              input.Tick(control.id, control.items[i].c_str(), IsYes(line));
              ShowCorrections(before, window, view.Caption());
              break;
            }
            printer_.Line("? answer y or n");
          }
        }
        return true;
      }
      [[fallthrough]];
    case ControlKind::kDropList:
      for (;;) {
        std::string items;
        for (const std::string& item : control.items)
          items += (items.empty() ? "" : ", ") + ShowAnsi(item);
        if (!Ask(name + " [" + ShowAnsi(control.text) + "] (" + items + "): ", line)) return false;
        if (line.empty()) return true;
        try {
          const int item = view.FindItem(control, line);
          input.Pick(control.id, control.items[static_cast<std::size_t>(item)].c_str());
          return true;
        } catch (const SessionError& error) {
          printer_.Line(std::string("? ") + error.what());
        }
      }
    default:
      return true;
  }
}

int Person::AskDialog(CDialog& dialog) {
  printer_.Line(std::string("Answer field by field; Enter keeps what a field shows, ") +
                kInterruptKeys + " cancels the dialog.");
  CUserInput input(dialog);
  for (;;) {
    const DialogView view(dialog);
    std::vector<const DialogControl*> buttons;
    for (const DialogControl& control : view.Controls()) {
      if (!control.enabled) continue;
      if (control.kind == ControlKind::kButton) {
        if (control.id != IDOK && control.id != IDCANCEL) buttons.push_back(&control);
        continue;
      }
      if (!AskField(dialog, view, control)) {
        input.Key(VK_ESCAPE);
        return IDCANCEL;
      }
      if (AfxIsDialogEnded(dialog)) return IDCANCEL;
    }
    std::string choices = "OK";
    for (const DialogControl* button : buttons) choices += ", " + ShowAnsi(button->name);
    choices += " or Cancel";
    for (std::string line;;) {
      if (!Ask(choices + "? [OK] ", line)) {
        input.Key(VK_ESCAPE);
        return IDCANCEL;
      }
      if (line.empty() || NameFit(line, "OK") == 2) {
        const DialogView before(dialog);
        if (!input.Click(IDOK)) input.Key(VK_RETURN);
        if (AfxIsDialogEnded(dialog)) return IDOK;
        // The dialog refused; the field left for the button may have corrected itself.
        ShowCorrections(before, dialog, view.Caption());
        break;  // its fields again
      }
      if (NameFit(line, "Cancel") == 2) {
        if (!input.Click(IDCANCEL)) input.Key(VK_ESCAPE);
        return IDCANCEL;
      }
      const auto button = std::find_if(buttons.begin(), buttons.end(), [&](const DialogControl* b) {
        return NameFit(line, b->name) > 0;
      });
      if (button == buttons.end()) {
        printer_.Line("? answer " + choices);
        continue;
      }
      input.Click((*button)->id);
      if (AfxIsDialogEnded(dialog)) return IDCANCEL;
      break;  // what the button did may have changed the fields
    }
  }
}
