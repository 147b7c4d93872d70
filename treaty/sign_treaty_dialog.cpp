#include "treaty/sign_treaty_dialog.h"

#include <algorithm>

#include "plugin/decimal.h"
#include "plugin/globals.h"
#include "plugin/spin_control.h"
#include "res/resource.h"
#include "store/storable_text.h"
#include "treaty/new_condition_dialog.h"

namespace {

constexpr int kLastTurnOffered = 999;
// An up-down control's positions are 16-bit.
constexpr int kHighestSpinPosition = 0x7FFF;

}  // namespace

BEGIN_MESSAGE_MAP(SignTreatyDialog, CDialog)
ON_EN_KILLFOCUS(IDC_FROM, &SignTreatyDialog::OnKillFocusFrom)
ON_EN_KILLFOCUS(IDC_TILL, &SignTreatyDialog::OnKillFocusTill)
ON_BN_CLICKED(IDC_ADD, &SignTreatyDialog::OnAddClicked)
END_MESSAGE_MAP()

SignTreatyDialog::SignTreatyDialog(HostRequest& raceList, int openingTurn,
                                   CString selectedConditions, CWnd* parent)
    : CDialog(IDD_SIGN_TREATY, parent),
      SelectedConditions(selectedConditions),
      OpeningTurn(openingTurn),
      RaceList(raceList) {}

SignTreatyDialog::~SignTreatyDialog() = default;

void SignTreatyDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CONDITIONS, ConditionList);
  DDX_CBString(pDX, IDC_RACE, Race);
  DDX_Text(pDX, IDC_FROM, FromText);
  DDX_Text(pDX, IDC_TILL, TillText);
  if (pDX->m_bSaveAndValidate) {
    SelectedConditions = Store.Dictionary.BuildConditions(ConditionList);
  } else {
    Store.Dictionary.SetChecks(SelectedConditions, ConditionList);
  }
}

BOOL SignTreatyDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  CString count;
  if (RaceList.Lookup("Count", count)) {
    const int races = ReadDecimal(count);
    for (int i = 1; i <= races; ++i) {
      CString race;
      if (RaceList.Lookup(DecimalText(i), race)) {
        SendDlgItemMessage(IDC_RACE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(race.GetString()));
      }
    }
  }

  const int turn = OpeningTurn;
  const int last = WrappingSum(turn, Settings.DefLen);
  // Long games reach past turn 999: the proposed last turn must stay within the till range.
  tillRangeEnd_ = (std::max)(kLastTurnOffered, (std::min)(last, kHighestSpinPosition));
  SetSpinRange(*this, IDC_SPIN_FROM, 0, last);
  SetSpinPos(*this, IDC_SPIN_FROM, turn);
  FromText = DecimalText(turn);
  SetSpinRange(*this, IDC_SPIN_TILL, turn, tillRangeEnd_);
  SetSpinPos(*this, IDC_SPIN_TILL, last);
  TillText = DecimalText(last);

  ConditionList.SetCheckStyle(BS_AUTOCHECKBOX);
  Store.Dictionary.FillCheckList(ConditionList);
  UpdateData(FALSE);
  return TRUE;
}

// An empty or out-of-range first turn takes the last turn; the last turn may not go below it.
void SignTreatyDialog::OnKillFocusFrom() {
  const SpinPosition till = GetSpinPos(*this, IDC_SPIN_TILL);
  SpinPosition from = GetSpinPos(*this, IDC_SPIN_FROM);
  if (!from.valid) {
    SetSpinPos(*this, IDC_SPIN_FROM, till.position);
    from.position = till.position;
  }
  SetSpinRange(*this, IDC_SPIN_TILL, from.position, tillRangeEnd_);
}

// An empty or out-of-range last turn takes the first turn; the first turn may not pass it.
void SignTreatyDialog::OnKillFocusTill() {
  const SpinPosition from = GetSpinPos(*this, IDC_SPIN_FROM);
  SpinPosition till = GetSpinPos(*this, IDC_SPIN_TILL);
  if (!till.valid) {
    SetSpinPos(*this, IDC_SPIN_TILL, from.position);
    till.position = from.position;
  }
  SetSpinRange(*this, IDC_SPIN_FROM, 0, till.position);
}

// Enter in a turn field ends the dialog while the field keeps the focus: the field's correction
// applies all the same, so that what reaches the store is never an emptied or stray turn.
void SignTreatyDialog::OnOK() {
  CWnd* focus = GetFocus();
  if (focus && focus == GetDlgItem(IDC_FROM)) OnKillFocusFrom();
  if (focus && focus == GetDlgItem(IDC_TILL)) OnKillFocusTill();
  CDialog::OnOK();
}

void SignTreatyDialog::OnAddClicked() {
  NewConditionDialog added;
  if (added.DoModal() != IDOK || ConditionList.FindStringExact(-1, added.MainText) >= 0) return;
  // An entry the store file or the settings store could not carry back is not made.
  if (!IsStorableAbbreviation(added.Abbreviation) || added.MainText.IsEmpty()) return;
  // The list is refilled, so the player's check marks are carried over through the string.
  SelectedConditions = Store.Dictionary.BuildConditions(ConditionList);
  Store.Dictionary.AddCondition(added.Abbreviation, added.MainText);
  Store.Dictionary.FillCheckList(ConditionList);
  Store.Dictionary.SetChecks(SelectedConditions, ConditionList);
}
