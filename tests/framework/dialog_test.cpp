#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "afx_standin.h"
#include "support/scripted_user.h"

namespace {

constexpr UINT kProbe = 100;
constexpr int kNumber = 10, kNumberSpin = 11, kCode = 12, kRace = 13, kList = 14, kRadioA = 15,
              kRadioB = 16, kFlag = 17, kMore = 18;

const char kScript[] = R"(
LANGUAGE 9, 1
100 DIALOG 0, 0, 200, 100
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION
CAPTION "Probe"
FONT 8, "MS Sans Serif"
BEGIN
    DEFPUSHBUTTON "OK", IDOK, 10, 80, 50, 14
    PUSHBUTTON "Cancel", IDCANCEL, 70, 80, 50, 14
    LTEXT "Number", -1, 5, 5, 30, 12
    EDITTEXT 10, 40, 5, 30, 12, ES_NUMBER | ES_AUTOHSCROLL
    CONTROL "", 11, "msctls_updown32", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 70, 5, 11, 12
    EDITTEXT 12, 40, 20, 30, 12, ES_UPPERCASE | ES_AUTOHSCROLL
    COMBOBOX 13, 40, 35, 60, 50, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP
    LISTBOX 14, 110, 5, 80, 40, LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOSEL | WS_TABSTOP
    CONTROL "A", 15, "Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 50, 30, 10
    CONTROL "B", 16, "Button", BS_AUTORADIOBUTTON, 5, 60, 30, 10
    LTEXT "after", -1, 40, 50, 30, 10
    AUTOCHECKBOX "Flag", 17, 5, 70, 40, 10
    PUSHBUTTON "More", 18, 130, 80, 50, 14
END
)";

// A dialog of the probe template with every kind of exchange and two handlers.
class ProbeDialog : public CDialog {
 public:
  ProbeDialog() : CDialog(kProbe) {}

  CCheckListBox list;
  CString number = "5", code, race;
  int radio = -1;
  int flag = 0;
  std::vector<std::string> races;
  std::vector<std::string> events;
  std::unique_ptr<ProbeDialog> nested;
  INT_PTR nestedResult = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, kList, list);
    DDX_Text(pDX, kNumber, number);
    DDX_Text(pDX, kCode, code);
    DDX_CBString(pDX, kRace, race);
    DDX_Radio(pDX, kRadioA, radio);
    DDX_Check(pDX, kFlag, flag);
    if (pDX->m_bSaveAndValidate && code == "BAD") {
      pDX->PrepareEditCtrl(kCode);
      pDX->Fail();
    }
  }

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    for (const std::string& name : races) {
      SendDlgItemMessage(kRace, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    for (const char* text : {"beta", "Alpha", "gamma"}) list.AddString(text);
    SendDlgItemMessage(kNumberSpin, UDM_SETRANGE, 0, MAKELPARAM(20, 1));
    UpdateData(FALSE);
    return TRUE;
  }

  void OnKillFocusNumber() {
    const auto answer = static_cast<DWORD_PTR>(SendDlgItemMessage(kNumberSpin, UDM_GETPOS));
    events.push_back("number left: " + std::to_string(LOWORD(answer)) +
                     (HIWORD(answer) ? " invalid" : ""));
  }

  void OnMore() {
    events.push_back("more");
    nested = std::make_unique<ProbeDialog>();
    nestedResult = nested->DoModal();
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
ON_EN_KILLFOCUS(kNumber, &ProbeDialog::OnKillFocusNumber)
ON_BN_CLICKED(kMore, &ProbeDialog::OnMore)
END_MESSAGE_MAP()

// The probe template as the current module's resources.
class ProbeModule {
 public:
  ProbeModule() : state_(kScript), current_(&state_) {}

 private:
  AFX_MODULE_STATE state_;
  AFX_MAINTAIN_STATE2 current_;
};

}  // namespace

TEST(Dialog, IsBuiltFromItsTemplateAndHandedToThePersonInitialised) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog dialog;
  dialog.races = {"Vor", "lum", "Kel"};
  dialog.race = "L";
  user.InDialog(kProbe, [](CDialog& shown, CUserInput& input) {
    CString caption;
    shown.GetWindowText(caption);
    EXPECT_EQ(caption, "Probe");
    EXPECT_EQ(input.Text(kNumber), "5");
    EXPECT_EQ(input.Text(kRace), "lum") << "the first entry beginning with the text, any case";
    CStringArray items;
    input.Items(kRace, items);
    ASSERT_EQ(items.GetSize(), 3);
    EXPECT_EQ(items[0], "Kel");
    EXPECT_EQ(items[1], "lum");
    input.Items(kList, items);
    EXPECT_EQ(items[0], "Alpha") << "sorted ignoring case";
    EXPECT_EQ(input.FocusId(), IDOK) << "the first tab stop";

    // The up-down sits at its field's right edge, and the field makes room for it.
    RECT field{}, spin{};
    shown.GetDlgItem(kNumber)->GetWindowRect(&field);
    shown.GetDlgItem(kNumberSpin)->GetWindowRect(&spin);
    EXPECT_EQ(field.right, 59);
    EXPECT_EQ(spin.left, 59);
    EXPECT_EQ(spin.right, 70);

    // Tab skips labels and the up-down.
    std::vector<int> order;
    for (int i = 0; i < 9; ++i) {
      input.Key(VK_TAB);
      order.push_back(input.FocusId());
    }
    EXPECT_EQ(order, (std::vector<int>{IDCANCEL, kNumber, kCode, kRace, kList, kRadioA, kFlag,
                                       kMore, IDOK}));
    input.Key(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.race, "lum");
  EXPECT_EQ(user.dialogsSeen, std::vector<UINT>{kProbe});
  EXPECT_EQ(dialog.list.m_hWnd, nullptr) << "the bound control let go of its window";
}

TEST(Dialog, TypedTextFollowsTheFieldsStyles) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog dialog;
  dialog.races = {"Vor"};
  user.InDialog(kProbe, [](CDialog& shown, CUserInput& input) {
    input.Type(kNumber, "1a2-");
    EXPECT_EQ(input.Text(kNumber), "12") << "digits only";
    input.Type(kCode, "na\xe4x");
    EXPECT_EQ(input.Text(kCode), "NA\xc4X") << "capitals, in the code page too";
    input.TypeChars("\b");
    EXPECT_EQ(input.Text(kCode), "NA\xc4");
    shown.SetDlgItemText(kNumber, "x9");
    EXPECT_EQ(input.Text(kNumber), "x9") << "setting the text is not typing";
    input.Type(kRace, "Newcomer");
    input.Click(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.number, "x9");
  EXPECT_EQ(dialog.code, "NA\xc4");
  EXPECT_EQ(dialog.race, "Newcomer");
}

TEST(Dialog, TheUpDownWritesItsFieldAndFlagsTextOutsideItsRange) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog dialog;
  user.InDialog(kProbe, [](CDialog& shown, CUserInput& input) {
    CWnd& spin = *shown.GetDlgItem(kNumberSpin);
    EXPECT_EQ(spin.SendMessage(UDM_GETRANGE), MAKELONG(20, 1));
    spin.SendMessage(UDM_SETPOS, 0, MAKELPARAM(7, 0));
    EXPECT_EQ(input.Text(kNumber), "7");
    EXPECT_EQ(spin.SendMessage(UDM_SETPOS, 0, MAKELPARAM(50, 0)), 7) << "answers the old one";
    EXPECT_EQ(input.Text(kNumber), "20") << "clamped to the range";

    const struct {
      const char* text;
      DWORD answer;
    } cases[] = {{"012", MAKELONG(12, 0)}, {"", MAKELONG(12, 1)},   {"abc", MAKELONG(12, 1)},
                 {"21", MAKELONG(12, 1)},  {"1 ", MAKELONG(12, 1)}, {"1", MAKELONG(1, 0)}};
    for (const auto& probe : cases) {
      shown.SetDlgItemText(kNumber, probe.text);
      EXPECT_EQ(static_cast<DWORD>(spin.SendMessage(UDM_GETPOS)), probe.answer) << probe.text;
    }
    shown.SetDlgItemText(kNumber, "012");
    EXPECT_EQ(spin.SendMessage(UDM_GETPOS), MAKELONG(12, 0));
    EXPECT_EQ(input.Text(kNumber), "012") << "a valid text is left as it is";

    input.Focus(kNumber);
    input.Key(VK_UP);
    EXPECT_EQ(input.Text(kNumber), "13");
    shown.SetDlgItemText(kNumber, "20");
    input.Key(VK_UP);
    EXPECT_EQ(input.Text(kNumber), "20") << "no step past the top";
  });
  dialog.DoModal();
}

TEST(Dialog, TheUpDownCarries32BitRangesAndPositions) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog dialog;
  user.InDialog(kProbe, [](CDialog& shown, CUserInput& input) {
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.SubclassDlgItem(kNumberSpin, &shown));
    spin.SetRange32(32767, 2147483646);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, 32767);
    EXPECT_EQ(upper, 2147483646);
    EXPECT_EQ(spin.SetPos32(65536), 0) << "answers the previous position";
    EXPECT_EQ(input.Text(kNumber), "65536");
    EXPECT_EQ(spin.GetPos(), MAKELONG(0, 0)) << "the 16-bit answer holds the low word";

    const struct {
      const char* text;
      int position;
      BOOL error;
    } cases[] = {{"2147483646", 2147483646, FALSE},
                 {"2147483647", 2147483646, TRUE},
                 {"99999999999999999999", 2147483646, TRUE},
                 {"32768", 32768, FALSE},
                 {"32766", 32768, TRUE},
                 {"", 32768, TRUE},
                 {"1000000", 1000000, FALSE}};
    for (const auto& probe : cases) {
      shown.SetDlgItemText(kNumber, probe.text);
      BOOL error = !probe.error;
      EXPECT_EQ(spin.GetPos32(&error), probe.position) << probe.text;
      EXPECT_EQ(error, probe.error) << probe.text;
    }
    EXPECT_EQ(spin.GetPos32(), 1000000) << "no error flag asked for";
    spin.SetPos32(-5);
    EXPECT_EQ(input.Text(kNumber), "32767");
    input.Focus(kNumber);
    shown.SetDlgItemText(kNumber, "2147483646");
    input.Key(VK_UP);
    EXPECT_EQ(input.Text(kNumber), "2147483646") << "no step past the top, nor round";
    spin.Detach();
  });
  dialog.DoModal();
}

TEST(Dialog, AFailedValidationKeepsTheDialogOpenWithTheFieldSelected) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog dialog;
  user.InDialog(kProbe, [](CDialog& shown, CUserInput& input) {
    input.Type(kCode, "bad");
    input.Focus(kNumber);
    input.Key(VK_RETURN);
    EXPECT_FALSE(AfxIsDialogEnded(shown));
    EXPECT_EQ(input.FocusId(), kCode);
    EXPECT_EQ(static_cast<DWORD>(shown.SendDlgItemMessage(kCode, EM_GETSEL)), MAKELONG(0, 3));
    input.Type(kCode, "good");
    input.Key(VK_RETURN);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.code, "GOOD");
}

TEST(Dialog, LeavingAFieldNotifiesTheDialogButEnterDoesNotMoveTheFocus) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog enter, click;
  user.InDialog(kProbe, [](CDialog&, CUserInput& input) {
    input.Type(kNumber, "3");
    input.Key(VK_RETURN);
  });
  user.InDialog(kProbe, [](CDialog&, CUserInput& input) {
    input.Type(kNumber, "30");
    input.Key(VK_TAB);
    input.Type(kNumber, "4");
    input.Click(IDOK);
  });
  EXPECT_EQ(enter.DoModal(), IDOK);
  EXPECT_TRUE(enter.events.empty());
  EXPECT_EQ(enter.number, "3");
  EXPECT_EQ(click.DoModal(), IDOK);
  EXPECT_EQ(click.events, (std::vector<std::string>{"number left: 0 invalid", "number left: 4"}));
}

TEST(Dialog, RadioGroupsCheckBoxesAndCheckListsAnswerClicks) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog dialog;
  user.InDialog(kProbe, [&dialog](CDialog&, CUserInput& input) {
    EXPECT_FALSE(input.IsChecked(kRadioA));
    EXPECT_FALSE(input.Tick(kList, "beta")) << "plain check boxes do not toggle themselves";
    dialog.list.SetCheckStyle(BS_AUTOCHECKBOX);
    EXPECT_TRUE(input.Tick(kList, "BETA"));
    EXPECT_TRUE(input.IsTicked(kList, "beta"));
    EXPECT_TRUE(input.Tick(kList, "beta", FALSE));
    EXPECT_TRUE(input.Tick(kList, "gamma"));
    EXPECT_FALSE(input.Tick(kList, "delta"));
    input.Click(kRadioA);
    input.Click(kRadioB);
    EXPECT_FALSE(input.IsChecked(kRadioA));
    input.Click(kFlag);
    input.Key(VK_ESCAPE);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.radio, -1) << "Cancel exchanges nothing";

  ProbeDialog saved;
  saved.radio = 1;
  user.InDialog(kProbe, [](CDialog&, CUserInput& input) {
    EXPECT_TRUE(input.IsChecked(kRadioB));
    input.Click(kFlag);
    input.Click(IDOK);
  });
  EXPECT_EQ(saved.DoModal(), IDOK);
  EXPECT_EQ(saved.radio, 1);
  EXPECT_EQ(saved.flag, 1);

  ProbeDialog none;
  none.radio = 7;
  user.InDialog(kProbe, [](CDialog&, CUserInput& input) { input.Click(IDOK); });
  none.DoModal();
  EXPECT_EQ(none.radio, -1) << "no button of the group checked";
}

TEST(Dialog, NestedDialogsReachTheSamePersonAndUnansweredOnesAreCancelled) {
  ProbeModule module;
  ScriptedUser user;
  ProbeDialog outer;
  user.InDialog(kProbe, [](CDialog& shown, CUserInput& input) {
    input.Click(kMore);
    EXPECT_FALSE(AfxIsDialogEnded(shown));
    input.Click(IDOK);
  });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(outer.nestedResult, IDCANCEL) << "nobody answered the inner one";
  EXPECT_EQ(user.dialogsSeen, (std::vector<UINT>{kProbe, kProbe}));

  AfxSetSimulatedUser(nullptr);
  ProbeDialog alone;
  EXPECT_EQ(alone.DoModal(), IDCANCEL);
  AfxSetSimulatedUser(&user);

  CDialog missing(4242);
  EXPECT_EQ(missing.DoModal(), -1);
}

TEST(Dialog, TemplatesAreFoundOnlyInTheModuleWhoseStateIsCurrent) {
  AFX_MODULE_STATE probe(kScript);
  EXPECT_EQ(AfxFindDialogTemplate(kProbe), nullptr);
  {
    AFX_MANAGE_STATE(&probe);
    ASSERT_NE(AfxFindDialogTemplate(kProbe), nullptr);
    {
      AFX_MAINTAIN_STATE2 host(AfxGetAppModuleState());
      EXPECT_EQ(AfxFindDialogTemplate(kProbe), nullptr);
    }
    EXPECT_EQ(AfxGetModuleState(), &probe);
  }
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
}

TEST(MessageBox, AsksThePersonWithTheApplicationsNameOrTakesTheNegativeAnswer) {
  EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(AfxMessageBox("Done", MB_OK), IDOK);
  EXPECT_EQ(AfxMessageBox("Again?", MB_OKCANCEL), IDCANCEL);

  CWinApp app("Probe app");
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO | MB_ICONQUESTION), IDYES);
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].caption, "Probe app");
  EXPECT_EQ(user.messageBoxes[0].type, MB_YESNO | MB_ICONQUESTION);
}
