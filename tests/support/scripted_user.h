// The person at the screen, as a test scripts them: what to do in each modal dialog that opens
// (by template, in order) and how to answer message boxes. A dialog nobody scripted is left
// open, which cancels it; a message box nobody scripted gets "No".
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "afx_standin.h"

class ScriptedUser : public CSimulatedUser {
 public:
  using Action = std::function<void(CDialog& dialog, CUserInput& input)>;

  struct MessageBoxSeen {
    std::string text;
    std::string caption;
    UINT type;
  };

  ScriptedUser() : previous_(AfxSetSimulatedUser(this)) {}
  ~ScriptedUser() override { AfxSetSimulatedUser(previous_); }
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // The next dialog built from `templateId` gets `action`.
  void InDialog(UINT templateId, Action action) {
    actions_.push_back({templateId, std::move(action)});
  }
  void AnswerMessageBox(int answer) { answers_.push_back(answer); }

  void OnModalDialog(CDialog& dialog) override {
    dialogsSeen.push_back(AfxGetDialogTemplateID(dialog));
    for (auto at = actions_.begin(); at != actions_.end(); ++at) {
      if (at->first != AfxGetDialogTemplateID(dialog)) continue;
      Action action = std::move(at->second);
      actions_.erase(at);
      CUserInput input(dialog);
      action(dialog, input);
      return;
    }
  }

  int OnMessageBox(const CString& text, const CString& caption, UINT type) override {
    messageBoxes.push_back({text.GetString(), caption.GetString(), type});
    if (answers_.empty()) return IDNO;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  std::vector<UINT> dialogsSeen;
  std::vector<MessageBoxSeen> messageBoxes;

 private:
  CSimulatedUser* previous_;
  std::deque<std::pair<UINT, Action>> actions_;
  std::deque<int> answers_;
};
