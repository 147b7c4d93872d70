// The "New condition" dialog: the player names one more pact condition, its main text and its
// abbreviation. Opened by the sign-treaty dialog's "Add" button, which adds what it returns;
// the dialog changes nothing itself. OK is refused, with a message, for an empty field, an
// abbreviation the store file could not carry, or a text the list already shows; a new text
// for an abbreviation in use is asked about first.
#pragma once

#include "common/framework.h"
#include "treaty/condition_dictionary.h"

class NewConditionDialog : public CDialog {
 public:
  // `listed` is the check list the condition is for; both must outlive the dialog.
  NewConditionDialog(const ConditionDictionary& dictionary, const CListBox& listed,
                     CWnd* parent = nullptr);
  ~NewConditionDialog() override;

  CString Abbreviation;  // typed in capitals
  CString MainText;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void Validate(CDataExchange* pDX);

  const ConditionDictionary& dictionary_;
  const CListBox& listed_;
};
