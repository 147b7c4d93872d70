#include "treaty/new_condition_dialog.h"

#include "res/resource.h"
#include "store/storable_text.h"
#include "treaty/refusal.h"

namespace {

constexpr const char* kNoMainText = "Enter the main text of the condition.";
constexpr const char* kNoAbbreviation = "Enter an abbreviation for the condition.";
constexpr const char* kAbbreviation = "An abbreviation";
constexpr const char* kListed = "\"%s\" is already in the list of conditions.";
constexpr const char* kReplace =
    "%s already stands for \"%s\". Replace it with \"%s\"? Every pact with %s will show the new "
    "text.";

}  // namespace

NewConditionDialog::NewConditionDialog(const ConditionDictionary& dictionary,
                                       const CListBox& listed, CWnd* parent)
    : CDialog(IDD_NEW_CONDITION, parent), dictionary_(dictionary), listed_(listed) {}

NewConditionDialog::~NewConditionDialog() = default;

void NewConditionDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ABBREVIATION, Abbreviation);
  DDX_Text(pDX, IDC_MAIN_TEXT, MainText);
  if (pDX->m_bSaveAndValidate) Validate(pDX);
}

void NewConditionDialog::Validate(CDataExchange* pDX) {
  CString message;
  CString text;
  const BOOL inUse = dictionary_.Lookup(Abbreviation, text);
  // The same condition again changes nothing and needs no word.
  if (inUse && text == MainText) return;
  if (MainText.IsEmpty()) {
    pDX->PrepareEditCtrl(IDC_MAIN_TEXT);
    message = kNoMainText;
  } else if (Abbreviation.IsEmpty()) {
    pDX->PrepareEditCtrl(IDC_ABBREVIATION);
    message = kNoAbbreviation;
  } else if (!IsStorableAbbreviation(Abbreviation)) {
    pDX->PrepareEditCtrl(IDC_ABBREVIATION);
    message = RefusalOf(Abbreviation, IsStorableAbbreviation, kAbbreviation);
  } else if (listed_.FindStringExact(-1, MainText) >= 0) {
    // The list could not tell the two apart.
    pDX->PrepareEditCtrl(IDC_MAIN_TEXT);
    message.Format(kListed, MainText.GetString());
  } else if (inUse) {
    message.Format(kReplace, Abbreviation.GetString(), text.GetString(), MainText.GetString(),
                   Abbreviation.GetString());
    if (AfxMessageBox(message, MB_YESNO | MB_ICONQUESTION) == IDYES) return;
    pDX->PrepareEditCtrl(IDC_ABBREVIATION);
    pDX->Fail();
  } else {
    return;
  }
  AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  pDX->Fail();
}
