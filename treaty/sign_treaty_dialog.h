// The "Sign treaty" dialog: the player states one new pact, the other race, its first and last
// turn and its conditions, ticked in a list of the dictionary's texts. It records no pact; its
// only lasting effect is a condition added to the dictionary through "Add", which stays even
// when the dialog is cancelled.
#pragma once

#include "plugin/framework.h"
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

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnKillFocusFrom();
  void OnKillFocusTill();
  void OnAddClicked();

  DECLARE_MESSAGE_MAP()

 private:
  // The highest turn the till spin offers.
  int tillRangeEnd_ = 0;
};
