// The simulated user: whatever a person would do on a screen goes through here. Whoever plays
// the person (a test, the console host's scripts, its interactive mode) installs a handler; the
// framework hands it every modal dialog once the dialog is initialised, and asks it for the
// answer to every message box. CUserInput is the person's hands on a window: keystrokes, clicks
// and picks that reach the controls through their messages, so that the controls' styles and
// the dialog's handlers apply as they would on the screen.
#pragma once

#include "afx_dialog.h"

class CSimulatedUser {
 public:
  virtual ~CSimulatedUser() = default;
  // Acts on the dialog; ends it with OK or Cancel (leaving it open cancels it).
  virtual void OnModalDialog(CDialog& dialog) = 0;
  // Answers IDOK, IDCANCEL, IDYES, IDNO, ... for a message box with `type`'s buttons.
  virtual int OnMessageBox(const CString& text, const CString& caption, UINT type) = 0;
};

// Installs the handler (null: nobody); answers the one it replaces.
CSimulatedUser* AfxSetSimulatedUser(CSimulatedUser* user);
CSimulatedUser* AfxGetSimulatedUser();

class CUserInput {
 public:
  explicit CUserInput(CWnd& window) : window_(window) {}

  // What a control shows: its text, or for a check box or radio button its caption.
  CString Text(int id) const;
  BOOL IsChecked(int id) const;
  // The items of a list or combo box, top to bottom, and for a check list their check marks.
  void Items(int id, CStringArray& items) const;
  BOOL IsTicked(int id, const char* itemText) const;
  // The control that has the keyboard focus; 0 when none of this window's has it.
  int FocusId() const;

  // Clicks into a control, moving the focus there.
  BOOL Focus(int id);
  // Clicks into a field, selects what it holds and types `text` over it, key by key.
  BOOL Type(int id, const char* text);
  // Types into the focused control.
  void TypeChars(const char* text);
  // A key: Tab (Shift+Tab with `shift`), Enter, Escape and Space as the dialog manager takes
  // them, other keys (arrows, Delete) to the focused control.
  void Key(UINT virtualKey, BOOL shift = FALSE);
  // Clicks a button, a check box or a radio button, which takes the focus first.
  BOOL Click(int id);
  // Picks the item whose whole text is `itemText` (ignoring case) in a list or combo box.
  BOOL Pick(int id, const char* itemText);
  // Clicks the check box of a check-list item until it shows `ticked`, if it will.
  BOOL Tick(int id, const char* itemText, BOOL ticked = TRUE);

 private:
  CWnd* Control(int id) const;
  CWnd& window_;
};
