// The host and the person as the fuzz input plays them. The host keeps a settings store and
// answers the plug-in's calls from the input: "Busy" a few times, lists with or without
// "Count" and with odd entries, other errors now and then. The person acts on every dialog the
// plug-in opens (typing, clicking, picking, ticking, keys; OK, Cancel or nothing) and answers
// its message boxes, while the host may go on calling the plug-in. Only one host answers at a
// time: the one constructed last.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "afx_standin.h"
#include "fuzz_input.h"
#include "request_map.h"

namespace fuzz {

class Host {
 public:
  explicit Host(Input& input);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The callback, as the start-up key "DataManager" carries its address.
  static std::string CallbackAddress();

  Entries settings;
  // The host functions called, in order, settings reads and writes left out.
  std::vector<std::string> functions;
  // The settings names written, in order, and whether a write was refused.
  std::vector<std::string> settingsWritten;
  bool writeRefused = false;

  // From now on every call is answered.
  void StopRefusing() { refusalsLeft_ = 0; }

 private:
  static void Callback(CMapStringToString* request);
  void Answer(CMapStringToString& request);
  void AnswerList(CMapStringToString& request);

  Input& input_;
  int refusalsLeft_;
  Host* previous_;
};

class Person : public CSimulatedUser {
 public:
  explicit Person(Input& input);
  ~Person() override;
  Person(const Person&) = delete;
  Person& operator=(const Person&) = delete;

  void OnModalDialog(CDialog& dialog) override;
  int OnMessageBox(const CString& text, const CString& caption, UINT type) override;

  // Acts on any window's controls, `actions` times at most, as on a dialog.
  void ActOn(CWnd& window, int actions);

  // What the host may do while a dialog or a message box is open: call other entry points,
  // which run inside the dialog's message loop.
  std::function<void()> meanwhile;

 private:
  int ControlId();

  Input& input_;
  int depth_ = 0;
  CSimulatedUser* previous_;
};

}  // namespace fuzz
