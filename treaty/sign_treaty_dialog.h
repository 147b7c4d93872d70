// The "Sign treaty" dialog: the player states one new pact, the other race, its first and last
// turn and its conditions, ticked in a list of the dictionary's texts. It records no pact; its
// only lasting effect is a condition added to the dictionary through "Add", which stays even
// when the dialog is cancelled. OK is refused, with a message, until the race and both turns
// describe a pact the store can keep: what it returns is exactly what the player saw.
#pragma once

#include "common/framework.h"
#include "plugin/host_plugin_base.h"

class SignTreatyDialog : public CDialog {
 public:
  // `raceList` is the host's answer to "List" "Races"; it must outlive the dialog.
  SignTreatyDialog(HostRequest& raceList, int openingTurn, CString selectedConditions,
                   CWnd* parent = nullptr);
  ~SignTreatyDialog() override;

  CCheckListBox ConditionList;
  CString Race;
  CString FromText;
  CString TillText;
  // The initial check marks on entry, the checked conditions on exit.
  CString SelectedConditions;
  int OpeningTurn;
  HostRequest& RaceList;
  // The player's own race, which no pact can be signed with.
  CString OwnRace;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnKillFocusFrom();
  void OnKillFocusTill();
  void OnAddClicked();
  void OnCorrectionSeen();

  DECLARE_MESSAGE_MAP()

 private:
  void ValidateRace(CDataExchange* pDX);
  void ValidateTurns(CDataExchange* pDX);

  CSpinButtonCtrl fromSpin_;
  CSpinButtonCtrl tillSpin_;
  // The turn field that corrected itself when the focus left it, until the player has seen the
  // dialog since: a click on OK takes the focus from the field before it acts.
  int correctedField_ = 0;
  // The highest turn the till spin offers.
  int tillRangeEnd_ = 0;
  // The conditions of the pact in force, listed even where the dictionary lacks them.
  CString conditionsInForce_;
};
