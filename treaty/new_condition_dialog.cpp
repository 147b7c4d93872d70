#include "treaty/new_condition_dialog.h"

#include "res/resource.h"

NewConditionDialog::NewConditionDialog(CWnd* parent) : CDialog(IDD_NEW_CONDITION, parent) {}

NewConditionDialog::~NewConditionDialog() = default;

void NewConditionDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ABBREVIATION, Abbreviation);
  DDX_Text(pDX, IDC_MAIN_TEXT, MainText);
}
