#include "treaty/sign_treaty_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "plugin/globals.h"
#include "res/resource.h"
#include "simulated_host.h"
#include "support/scripted_user.h"
#include "treaty/new_condition_dialog.h"

namespace {

// The plug-in connected to a simulated host, its own module state current, a person at hand.
class SignDialogTest : public testing::Test {
 protected:
  SignDialogTest() {
    CMapStringToString startup;
    Fill(startup, host.StartupParameters());
    theApp.ReadStartupParameters(startup);
    CurrentContext.raceName = "Xar";
    host.AnswerList("Races", {"Vor", "Lum", "Kel"});
  }

  struct Signed {
    BOOL confirmed;
    CString race;
    int from = -1;
    int to = -1;
    CString conditions;
  };

  Signed Show(int turn, const char* race = "Vor", const char* conditions = "") {
    Signed result{FALSE, race, -1, -1, conditions};
    result.confirmed = theApp.ShowSignTreatyDialog("Alpha", turn, result.race, result.from,
                                                   result.to, result.conditions);
    return result;
  }

  AFX_MAINTAIN_STATE2 moduleState{AfxGetStaticModuleState()};
  SimulatedHost host;
  ScriptedUser user;
};

}  // namespace

TEST_F(SignDialogTest, OpensOnTheTurnWithTheDefaultLengthAndReturnsWhatWasChosen) {
  user.InDialog(IDD_SIGN_TREATY, [](CDialog& dialog, CUserInput& input) {
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Sign treaty");
    EXPECT_EQ(input.Text(IDC_RACE), "Vor");
    EXPECT_EQ(input.Text(IDC_FROM), "30");
    EXPECT_EQ(input.Text(IDC_TILL), "40");
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_SPIN_FROM, UDM_GETRANGE), MAKELONG(40, 0));
    EXPECT_EQ(dialog.SendDlgItemMessage(IDC_SPIN_TILL, UDM_GETRANGE), MAKELONG(999, 30));
    CStringArray races;
    input.Items(IDC_RACE, races);
    ASSERT_EQ(races.GetSize(), 3);
    EXPECT_EQ(races[0], "Kel");
    input.Pick(IDC_RACE, "lum");
    input.Type(IDC_TILL, "45");
    input.Click(IDOK);
  });
  const Signed result = Show(30);
  EXPECT_TRUE(result.confirmed);
  EXPECT_EQ(result.race, "Lum");
  EXPECT_EQ(result.from, 30);
  EXPECT_EQ(result.to, 45);
  EXPECT_EQ(result.conditions, "");
  ASSERT_EQ(host.Calls("List").size(), 1u);
  const Entries list = host.Calls("List")[0];
  EXPECT_EQ(list.at("Parameter.1"), "Races");
  EXPECT_EQ(list.at("GameName"), "Alpha");
  EXPECT_EQ(list.at("RaceName"), "Xar");
  EXPECT_EQ(list.at("Turn"), "30");
}

TEST_F(SignDialogTest, AFieldLeftEmptyOrOutOfOrderTakesTheOtherFieldsTurn) {
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    input.Type(IDC_FROM, "");
    input.Key(VK_TAB);
    EXPECT_EQ(input.Text(IDC_FROM), "40");
    input.Type(IDC_FROM, "32");
    input.Type(IDC_TILL, "25");
    input.Key(VK_TAB);
    EXPECT_EQ(input.Text(IDC_TILL), "32") << "the last turn may not go below the first";
    input.Type(IDC_FROM, "33");
    input.Key(VK_TAB);
    EXPECT_EQ(input.Text(IDC_FROM), "32") << "the first turn may not pass the last";
    input.Type(IDC_TILL, "7");
    input.Key(VK_RETURN);
    EXPECT_EQ(input.Text(IDC_TILL), "7") << "OK corrects nothing";
    EXPECT_EQ(input.FocusId(), IDC_TILL);
    input.Type(IDC_TILL, "33");
    input.Key(VK_RETURN);
  });
  const Signed result = Show(30);
  EXPECT_EQ(result.from, 32);
  EXPECT_EQ(result.to, 33);
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text, "Last turn of the pact:\nEnter a turn from 32 to 999");
}

TEST_F(SignDialogTest, TicksTheConditionsInForceAndJoinsTheTickedOnesInTextOrder) {
  Store.Dictionary.AddCondition("B", "Beta");
  Store.Dictionary.AddCondition("A", "Gamma");
  Store.Dictionary.AddCondition("C", "alpha");
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "Gamma"));
    EXPECT_FALSE(input.IsTicked(IDC_CONDITIONS, "Beta"));
    EXPECT_FALSE(input.IsTicked(IDC_CONDITIONS, "alpha"));
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "ZZ")) << "lacking from the dictionary, still shown";
    EXPECT_TRUE(input.Tick(IDC_CONDITIONS, "Beta"));
    input.Click(IDOK);
  });
  const Signed result = Show(12, "Vor", "A/ZZ");
  EXPECT_EQ(result.conditions, "B/A/ZZ") << "Beta before Gamma, not A before B";
  CString text;
  EXPECT_FALSE(Store.Dictionary.Lookup("ZZ", text)) << "a condition shown is not one added";
}

TEST_F(SignDialogTest, AnUnknownAbbreviationTicksNoEntryNotEvenOneWithoutText) {
  Store.Dictionary.AddCondition("E", "");
  Store.Dictionary.AddCondition("NA", "Non-aggression");
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) { input.Click(IDOK); });
  EXPECT_EQ(Show(12, "Vor", "ZZ/NA").conditions, "NA/ZZ");
}

TEST_F(SignDialogTest, AddExtendsTheDictionaryKeepingTheTicksEvenWhenCancelled) {
  Store.Dictionary.AddCondition("NA", "Non-aggression");
  Store.Dictionary.AddCondition("TR", "Trade");
  user.AnswerMessageBox(IDYES);
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    input.Click(IDC_ADD);
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "No aggression at all"));
    EXPECT_FALSE(input.IsTicked(IDC_CONDITIONS, "Non-aggression"));
    input.Click(IDC_ADD);
    CStringArray items;
    input.Items(IDC_CONDITIONS, items);
    EXPECT_EQ(items.GetSize(), 2) << "a text differing only in case adds nothing";
    input.Click(IDC_ADD);
    EXPECT_FALSE(input.IsTicked(IDC_CONDITIONS, "Open borders")) << "a new entry comes unticked";
    input.Key(VK_ESCAPE);
  });
  user.InDialog(IDD_NEW_CONDITION, [](CDialog& dialog, CUserInput& input) {
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "New condition");
    input.Type(IDC_MAIN_TEXT, "No aggression at all");
    input.Type(IDC_ABBREVIATION, "na");
    EXPECT_EQ(input.Text(IDC_ABBREVIATION), "NA");
    input.Click(IDOK);
  });
  user.InDialog(IDD_NEW_CONDITION, [](CDialog&, CUserInput& input) {
    input.Type(IDC_MAIN_TEXT, "TRADE");
    input.Type(IDC_ABBREVIATION, "X");
    input.Click(IDOK);
  });
  user.InDialog(IDD_NEW_CONDITION, [](CDialog&, CUserInput& input) {
    input.Type(IDC_MAIN_TEXT, "Open borders");
    input.Type(IDC_ABBREVIATION, "ob");
    input.Key(VK_RETURN);
  });
  const Signed result = Show(12, "Vor", "NA");
  EXPECT_FALSE(result.confirmed);
  EXPECT_EQ(result.from, -1) << "outputs are left alone on Cancel";
  CString text;
  EXPECT_TRUE(Store.Dictionary.Lookup("NA", text));
  EXPECT_EQ(text, "No aggression at all");
  EXPECT_TRUE(Store.Dictionary.Lookup("OB", text));
  EXPECT_FALSE(Store.Dictionary.Lookup("X", text));
  ASSERT_EQ(user.messageBoxes.size(), 2u);
  EXPECT_EQ(user.messageBoxes[0].text,
            "NA already stands for \"Non-aggression\". Replace it with \"No aggression at all\"? "
            "Every pact with NA will show the new text.");
  EXPECT_EQ(user.messageBoxes[1].text, "\"TRADE\" is already in the list of conditions.");
}

TEST_F(SignDialogTest, WithoutARaceListTheTypedRaceIsReturned) {
  host.AnswerListWith("Races", {{"1", "Vor"}});
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    CStringArray races;
    input.Items(IDC_RACE, races);
    EXPECT_EQ(races.GetSize(), 0);
    EXPECT_EQ(input.Text(IDC_RACE), "Vor");
    input.Type(IDC_RACE, "Stranger");
    input.Click(IDOK);
  });
  EXPECT_EQ(Show(5).race, "Stranger");
}

TEST_F(SignDialogTest, AddRefusesWhatTheDictionaryCouldNotKeepAndStaysOpen) {
  Store.Dictionary.AddCondition("NA", "Non-aggression");
  const struct {
    const char* text;
    const char* abbreviation;
    const char* message;
    int focus;
  } cases[] = {
      {"", "OB", "Enter the main text of the condition.", IDC_MAIN_TEXT},
      {"Open borders", "", "Enter an abbreviation for the condition.", IDC_ABBREVIATION},
      {"Open borders", "O/B",
       "An abbreviation cannot hold \"/\".\nThe pact store file could not keep it.",
       IDC_ABBREVIATION},
      {"Open borders", "O,B",
       "An abbreviation cannot hold \",\".\nThe pact store file could not keep it.",
       IDC_ABBREVIATION},
      {"Open borders", "OB ",
       "An abbreviation cannot end with a blank.\nThe pact store file could not keep it.",
       IDC_ABBREVIATION},
      {"Open borders", " OB",
       "An abbreviation cannot begin with a blank.\nThe pact store file could not keep it.",
       IDC_ABBREVIATION},
      {"NON-AGGRESSION", "NX", "\"NON-AGGRESSION\" is already in the list of conditions.",
       IDC_MAIN_TEXT},
      {"Naval access", "NA",
       "NA already stands for \"Non-aggression\". Replace it with \"Naval access\"? Every pact "
       "with NA will show the new text.",
       IDC_ABBREVIATION},
  };
  for (const auto& refused : cases) {
    user.messageBoxes.clear();
    user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
      input.Click(IDC_ADD);
      input.Key(VK_ESCAPE);
    });
    user.InDialog(IDD_NEW_CONDITION, [&](CDialog& dialog, CUserInput& input) {
      input.Type(IDC_MAIN_TEXT, refused.text);
      input.Type(IDC_ABBREVIATION, refused.abbreviation);
      input.Key(VK_RETURN);
      EXPECT_FALSE(AfxIsDialogEnded(dialog)) << refused.message;
      EXPECT_EQ(input.FocusId(), refused.focus) << refused.message;
      const auto selection =
          static_cast<DWORD>(dialog.SendDlgItemMessage(refused.focus, EM_GETSEL));
      EXPECT_EQ(HIWORD(selection), static_cast<WORD>(input.Text(refused.focus).GetLength()))
          << "the field's text is selected";
      input.Key(VK_ESCAPE);
    });
    Show(12);
    ASSERT_EQ(user.messageBoxes.size(), 1u) << refused.message;
    EXPECT_EQ(user.messageBoxes[0].text, refused.message);
    EXPECT_EQ(Store.Dictionary.GetCount(), 1) << refused.message;
    CString text;
    EXPECT_TRUE(Store.Dictionary.Lookup("NA", text));
    EXPECT_EQ(text, "Non-aggression") << "No keeps the old text";
  }
}
