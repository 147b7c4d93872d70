// The "New condition" dialog: the player names one more pact condition, its main text and its
// abbreviation. Opened by the sign-treaty dialog's "Add" button, which decides what to do with
// the answer; the dialog itself changes nothing and checks nothing.
#pragma once

#include "plugin/framework.h"

class NewConditionDialog : public CDialog {
 public:
  explicit NewConditionDialog(CWnd* parent = nullptr);
  ~NewConditionDialog() override;

  CString Abbreviation;  // typed in capitals
  CString MainText;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
