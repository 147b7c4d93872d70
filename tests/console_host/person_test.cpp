// The person at the dialogs, with dialogs built in this process from the module's own
// templates: answers taken in order and handed on to nested dialogs, mistakes kept as the
// failure while every dialog after them is cancelled, and the questions of interactive mode.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "afx_standin.h"
#include "person.h"
#include "printer.h"
#include "res/resource.h"

extern const char afxResourceScript[];

namespace {

// The sign-treaty layout with a check list of two conditions and an "Add" button that opens
// the new-condition dialog, as the plug-in's dialog has them.
class SignDialog : public CDialog {
 public:
  SignDialog() : CDialog(IDD_SIGN_TREATY) {}

  CCheckListBox conditions;
  CString till, race;
  std::vector<std::string> ticked;  // on OK
  INT_PTR nested = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_CONDITIONS, conditions);
    DDX_CBString(pDX, IDC_RACE, race);
    DDX_Text(pDX, IDC_TILL, till);
    if (!pDX->m_bSaveAndValidate) return;
    for (int i = 0; i < conditions.GetCount(); ++i) {
      CString text;
      conditions.GetText(i, text);
      if (conditions.GetCheck(i) == BST_CHECKED) ticked.push_back(text.GetString());
    }
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    conditions.SetCheckStyle(BS_AUTOCHECKBOX);
    for (const char* text : {"Trade routes", "Non-aggression"}) conditions.AddString(text);
    SendDlgItemMessage(IDC_RACE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Vor"));
    return TRUE;
  }
  void OnAdd() {
    CDialog condition(IDD_NEW_CONDITION);
    nested = condition.DoModal();
    if (nested == IDOK) conditions.AddString("Open borders");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SignDialog, CDialog)
ON_BN_CLICKED(IDC_ADD, &SignDialog::OnAdd)
END_MESSAGE_MAP()

class Keyboard : public Terminal {
 public:
  explicit Keyboard(std::deque<std::string> lines) : lines_(std::move(lines)) {}
  // The line "^C" stands for Ctrl-C.
  Typed Ask(const std::string& prompt, std::string& line) override {
    prompts.push_back(prompt);
    if (lines_.empty()) return Typed::kEnded;
    line = lines_.front();
    lines_.pop_front();
    return line == "^C" ? Typed::kInterrupted : Typed::kLine;
  }
  std::vector<std::string> prompts;

 private:
  std::deque<std::string> lines_;
};

struct Desk {
  explicit Desk(Terminal* terminal = nullptr) : person(printer, snapshots, terminal) {}

  void Give(int line, std::vector<std::string> words) { person.Give({std::move(words), line}); }
  bool Shown(const std::string& text) const { return out.str().find(text) != std::string::npos; }

  AFX_MODULE_STATE state{afxResourceScript};
  AFX_MAINTAIN_STATE2 current{&state};
  std::ostringstream out;
  Printer printer{out, false};
  Snapshots snapshots{""};
  Person person;
};

}  // namespace

TEST(Person, AnswersGoInOrderAndANestedDialogTakesThoseBetweenItsOpeningAndItsEnd) {
  Desk desk;
  desk.Give(1, {"type", "till", "25"});
  desk.Give(2, {"click", "Add"});
  desk.Give(3, {"type", "main text", "Open borders"});
  desk.Give(4, {"type", "abbreviation", "ob"});
  desk.Give(5, {"ok"});
  desk.Give(6, {"tick", "open borders"});
  desk.Give(7, {"tick", "non-agg"});
  desk.Give(8, {"untick", "Trade routes"});
  desk.Give(9, {"ok"});
  SignDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(desk.person.TakeFailure(), std::nullopt);
  EXPECT_TRUE(desk.person.Pending().empty());
  EXPECT_EQ(dialog.nested, IDOK);
  EXPECT_EQ(dialog.till, "25");
  EXPECT_EQ(dialog.ticked, (std::vector<std::string>{"Non-aggression", "Open borders"}));
  EXPECT_TRUE(desk.Shown("\xE2\x94\x82 \xE2\x94\x8C\xE2\x94\x80 New condition\n"))
      << desk.out.str();
  EXPECT_TRUE(
      desk.Shown("\xE2\x94\x82 \xE2\x94\x82   \xE2\x86\x92 \"Abbreviation\" shows \"OB\"\n"))
      << "shown inside the nested box";
  EXPECT_TRUE(desk.Shown("\xE2\x94\x82 \xE2\x94\x94\xE2\x94\x80 OK\n"));
  EXPECT_TRUE(desk.Shown("\xE2\x94\x94\xE2\x94\x80 OK\n"));
}

TEST(Person, AMistakenAnswerCancelsItsDialogAndEveryOneAfterAndIsKeptWithItsLine) {
  Desk desk;
  desk.Give(3, {"type", "till", "25"});
  desk.Give(4, {"type", "until", "30"});
  desk.Give(5, {"ok"});
  SignDialog first;
  EXPECT_EQ(first.DoModal(), IDCANCEL);
  EXPECT_TRUE(desk.person.Pending().empty()) << "the answers after the mistake are dropped";
  SignDialog second;
  EXPECT_EQ(second.DoModal(), IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO | MB_ICONQUESTION), IDNO);
  const std::optional<SessionError> failure = desk.person.TakeFailure();
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Line(), 4);
  EXPECT_EQ(std::string(failure->what()).rfind("the \"Sign treaty\" dialog has no text field", 0),
            0u)
      << failure->what();
  EXPECT_EQ(desk.person.TakeFailure(), std::nullopt) << "taken once";
}

TEST(Person, ConfirmationsTakeOnlyTheirButtonsAndNobodyAnsweringIsAFailure) {
  {
    Desk desk;
    desk.Give(1, {"yes"});
    EXPECT_EQ(AfxMessageBox("Break?", MB_YESNO), IDYES);
    EXPECT_TRUE(desk.Shown("[ Yes ]  [ No ]\n"));
    EXPECT_TRUE(desk.Shown("\xE2\x94\x94\xE2\x94\x80 Yes\n"));
  }
  {
    Desk desk;
    desk.Give(7, {"ok"});
    EXPECT_EQ(AfxMessageBox("Break?", MB_YESNO), IDNO);
    const auto failure = desk.person.TakeFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Line(), 7);
    EXPECT_EQ(std::string(failure->what()),
              "the confirmation \"Break?\" takes yes or no, not \"ok\"");
  }
  {
    Desk desk;
    EXPECT_EQ(AfxMessageBox("Break?", MB_YESNO), IDNO);
    SignDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const auto failure = desk.person.TakeFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Line(), 0) << "the command's own line";
    EXPECT_NE(std::string(failure->what()).find("opened and nothing answered it"),
              std::string::npos);
  }
  {
    Desk desk;
    desk.Give(2, {"yes"});
    SignDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(desk.person.TakeFailure()->Line(), 2);
  }
}

TEST(Person, OnATerminalTheDialogIsAskedFieldByFieldUntilAButtonEndsIt) {
  Keyboard keyboard({"", "", "30", "", "", "Add", "Open borders", "ob", "", "", "", "", "maybe",
                     "n", "y", "y", "ok"});
  Desk desk(&keyboard);
  SignDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.till, "30");
  EXPECT_EQ(dialog.nested, IDOK);
  const std::vector<std::string> expected = {
      "\xE2\x94\x82 With [] (Vor): ",
      "\xE2\x94\x82 From turn []: ",
      "\xE2\x94\x82 till the turn []: ",
      "\xE2\x94\x82 [ ] Non-aggression (y/N): ",
      "\xE2\x94\x82 [ ] Trade routes (y/N): ",
      "\xE2\x94\x82 OK, Add or Cancel? [OK] ",
      "\xE2\x94\x82 \xE2\x94\x82 Main text []: ",
      "\xE2\x94\x82 \xE2\x94\x82 Abbreviation []: ",
      "\xE2\x94\x82 \xE2\x94\x82 OK or Cancel? [OK] ",
      "\xE2\x94\x82 With [] (Vor): ",
      "\xE2\x94\x82 From turn []: ",
      "\xE2\x94\x82 till the turn [30]: ",
      "\xE2\x94\x82 [ ] Non-aggression (y/N): ",
      "\xE2\x94\x82 [ ] Non-aggression (y/N): ",
      "\xE2\x94\x82 [ ] Open borders (y/N): ",
      "\xE2\x94\x82 [ ] Trade routes (y/N): ",
      "\xE2\x94\x82 OK, Add or Cancel? [OK] ",
  };
  EXPECT_EQ(keyboard.prompts, expected);
  EXPECT_EQ(dialog.ticked, (std::vector<std::string>{"Open borders", "Trade routes"}));

  Keyboard confirming({"maybe", "y"});
  Desk asked(&confirming);
  EXPECT_EQ(AfxMessageBox("Break?", MB_YESNO), IDYES);
  EXPECT_EQ(confirming.prompts,
            (std::vector<std::string>{"\xE2\x94\x82 yes or no? ", "\xE2\x94\x82 yes or no? "}));

  Keyboard leaving({""});  // then the end of input: the dialog is cancelled
  Desk left(&leaving);
  SignDialog cancelled;
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST(Person, CtrlCCancelsTheDialogBeingAskedAloneAndAnswersAConfirmationWithNo) {
  Keyboard keyboard({"", "", "", "", "", "Add", "^C", "^C"});
  Desk desk(&keyboard);
  SignDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.nested, IDCANCEL);
  ASSERT_GE(keyboard.prompts.size(), 2u);
  EXPECT_EQ(keyboard.prompts[keyboard.prompts.size() - 2],
            "\xE2\x94\x82 \xE2\x94\x82 Main text []: ");
  EXPECT_EQ(keyboard.prompts.back(), "\xE2\x94\x82 With [] (Vor): ")
      << "the sign dialog asks on after the nested one is cancelled";
  EXPECT_TRUE(desk.Shown("Enter keeps what a field shows, Ctrl-C cancels the dialog.\n"));
  EXPECT_EQ(desk.person.TakeFailure(), std::nullopt) << "cancelling is no mistake";

  Keyboard interrupting({"^C"});
  Desk asked(&interrupting);
  EXPECT_EQ(AfxMessageBox("Break?", MB_YESNO), IDNO);
}
