#include "treaty/sign_treaty_dialog.h"

#include <algorithm>
#include <utility>

#include "common/decimal.h"
#include "plugin/globals.h"
#include "res/resource.h"
#include "store/storable_text.h"
#include "treaty/new_condition_dialog.h"
#include "treaty/refusal.h"

namespace {

constexpr int kLastTurnOffered = 999;
// One below the largest signed turn, so that the turn after a pact's last is still a turn.
constexpr int kLargestTurn = 0x7FFFFFFE;

constexpr const char* kNoRace = "Enter the race to sign the pact with.";
constexpr const char* kOwnRace = "%s is your own race. Choose the race to sign the pact with.";
constexpr const char* kRaceName = "A race name";
constexpr const char* kFirstTurnField = "First turn of the pact:";
constexpr const char* kLastTurnField = "Last turn of the pact:";
constexpr const char* kTurnRange = "%s\nEnter a turn from %d to %d";
constexpr const char* kCorrected =
    "%s\nLeaving the field changed it to %s. Choose OK again to sign with it.";

constexpr UINT kRefusalBox = MB_OK | MB_ICONEXCLAMATION;

// Says what the field needs and sends the player back to it.
void FailTurn(CDataExchange* pDX, const char* field, int lower, int upper) {
  CString message;
  message.Format(kTurnRange, field, lower, upper);
  AfxMessageBox(message, kRefusalBox);
  pDX->Fail();
}

}  // namespace

BEGIN_MESSAGE_MAP(SignTreatyDialog, CDialog)
ON_EN_KILLFOCUS(IDC_FROM, &SignTreatyDialog::OnKillFocusFrom)
ON_EN_KILLFOCUS(IDC_TILL, &SignTreatyDialog::OnKillFocusTill)
ON_BN_CLICKED(IDC_ADD, &SignTreatyDialog::OnAddClicked)
ON_EN_SETFOCUS(IDC_FROM, &SignTreatyDialog::OnCorrectionSeen)
ON_EN_SETFOCUS(IDC_TILL, &SignTreatyDialog::OnCorrectionSeen)
ON_CLBN_CHKCHANGE(IDC_CONDITIONS, &SignTreatyDialog::OnCorrectionSeen)
END_MESSAGE_MAP()

SignTreatyDialog::SignTreatyDialog(HostRequest& raceList, int openingTurn,
                                   CString selectedConditions, CWnd* parent)
    : CDialog(IDD_SIGN_TREATY, parent),
      SelectedConditions(selectedConditions),
      OpeningTurn(openingTurn),
      RaceList(raceList),
      conditionsInForce_(selectedConditions) {}

SignTreatyDialog::~SignTreatyDialog() = default;

void SignTreatyDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CONDITIONS, ConditionList);
  DDX_Control(pDX, IDC_SPIN_FROM, fromSpin_);
  DDX_Control(pDX, IDC_SPIN_TILL, tillSpin_);
  DDX_CBString(pDX, IDC_RACE, Race);
  if (pDX->m_bSaveAndValidate) ValidateRace(pDX);
  DDX_Text(pDX, IDC_FROM, FromText);
  DDX_Text(pDX, IDC_TILL, TillText);
  if (pDX->m_bSaveAndValidate) {
    ValidateTurns(pDX);
    SelectedConditions = Store.Dictionary.BuildConditions(ConditionList);
  } else {
    Store.Dictionary.SetChecks(SelectedConditions, ConditionList);
  }
}

void SignTreatyDialog::ValidateRace(CDataExchange* pDX) {
  pDX->PrepareCtrl(IDC_RACE);
  CString message;
  if (Race.IsEmpty()) {
    message = kNoRace;
  } else if (Race == OwnRace) {
    message.Format(kOwnRace, Race.GetString());
  } else if (!IsStorableRaceName(Race)) {
    message = RefusalOf(Race, IsStorableRaceName, kRaceName);
  } else {
    return;
  }
  AfxMessageBox(message, kRefusalBox);
  pDX->Fail();
}

// Each turn within its spin's range, the first not after the last. The texts become the
// numbers read, so that the caller's conversion gives exactly the turns checked.
void SignTreatyDialog::ValidateTurns(CDataExchange* pDX) {
  int lower = 0;
  int upper = 0;
  BOOL error = FALSE;
  pDX->PrepareEditCtrl(IDC_FROM);
  const int from = fromSpin_.GetPos32(&error);
  if (error) {
    fromSpin_.GetRange32(lower, upper);
    FailTurn(pDX, kFirstTurnField, lower, upper);
  }
  pDX->PrepareEditCtrl(IDC_TILL);
  const int till = tillSpin_.GetPos32(&error);
  tillSpin_.GetRange32(lower, upper);
  if (error) FailTurn(pDX, kLastTurnField, lower, upper);
  if (from > till) FailTurn(pDX, kLastTurnField, from, upper);
  FromText = DecimalText(from);
  TillText = DecimalText(till);
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

  // A turn the host gives outside the turns a pact can hold opens on the nearest one.
  const int turn = (std::clamp)(OpeningTurn, 0, kLargestTurn);
  const long long proposed = static_cast<long long>(turn) + Settings.DefLen;
  const int last = static_cast<int>(
      (std::clamp)(proposed, static_cast<long long>(turn), static_cast<long long>(kLargestTurn)));
  // A long game may sign a pact of any length.
  tillRangeEnd_ = last <= kLastTurnOffered ? kLastTurnOffered : kLargestTurn;
  fromSpin_.SetRange32(0, last);
  fromSpin_.SetPos32(turn);
  FromText = DecimalText(turn);
  tillSpin_.SetRange32(turn, tillRangeEnd_);
  tillSpin_.SetPos32(last);
  TillText = DecimalText(last);

  ConditionList.SetCheckStyle(BS_AUTOCHECKBOX);
  Store.Dictionary.FillCheckList(ConditionList, conditionsInForce_);
  UpdateData(FALSE);
  return TRUE;
}

// An empty or out-of-range first turn takes the last turn; the last turn may not go below it.
void SignTreatyDialog::OnKillFocusFrom() {
  BOOL error = FALSE;
  const int till = tillSpin_.GetPos32();
  int from = fromSpin_.GetPos32(&error);
  if (error) {
    fromSpin_.SetPos32(till);
    from = till;
    correctedField_ = IDC_FROM;
  }
  tillSpin_.SetRange32(from, tillRangeEnd_);
}

// An empty or out-of-range last turn takes the first turn; the first turn may not pass it.
void SignTreatyDialog::OnKillFocusTill() {
  BOOL error = FALSE;
  const int from = fromSpin_.GetPos32();
  int till = tillSpin_.GetPos32(&error);
  if (error) {
    tillSpin_.SetPos32(from);
    till = from;
    correctedField_ = IDC_TILL;
  }
  fromSpin_.SetRange32(0, till);
}

void SignTreatyDialog::OnCorrectionSeen() { correctedField_ = 0; }

// A field that corrected itself as the OK button took the focus was never seen corrected.
void SignTreatyDialog::OnOK() {
  const int corrected = std::exchange(correctedField_, 0);
  if (corrected == 0) {
    CDialog::OnOK();
    return;
  }
  CString shown;
  GetDlgItemText(corrected, shown);
  CString message;
  message.Format(kCorrected, corrected == IDC_FROM ? kFirstTurnField : kLastTurnField,
                 shown.GetString());
  AfxMessageBox(message, kRefusalBox);
  GotoDlgCtrl(GetDlgItem(corrected));
}

void SignTreatyDialog::OnAddClicked() {
  correctedField_ = 0;
  NewConditionDialog added(Store.Dictionary, ConditionList);
  if (added.DoModal() != IDOK) return;
  CString text;
  if (Store.Dictionary.Lookup(added.Abbreviation, text) && text == added.MainText) return;
  // The list is refilled, so the player's check marks are carried over through the string.
  SelectedConditions = Store.Dictionary.BuildConditions(ConditionList);
  Store.Dictionary.AddCondition(added.Abbreviation, added.MainText);
  Store.Dictionary.FillCheckList(ConditionList, conditionsInForce_);
  Store.Dictionary.SetChecks(SelectedConditions, ConditionList);
}
