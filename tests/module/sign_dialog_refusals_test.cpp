#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/session.h"
#include "res/resource.h"
#include "support/scripted_user.h"

namespace {

const std::string kAlphaXar = "@Alpha/Xar\r\nLum,5,30,NA/ZZ\r\n\r\n";

// A started session on the store above whose race table selects `selected`.
void Start(Session& session, const std::vector<std::string>& selected = {"Vor"},
           const Entries& settings = {}) {
  session.host.settings = settings;
  session.Start();
  session.host.AnswerSelection("51467", "Name", selected);
  session.host.AnswerList("Races", {"Vor", "Lum", "Xar"});
}

// Only the dialog's look-ups reached the host, and the file is as it was.
void ExpectNothingRecorded(Session& session, const std::string& what) {
  EXPECT_EQ(HostFunctions(session.host), (std::vector<std::string>{"Selection", "List"})) << what;
  EXPECT_EQ(session.game.Read(Session::kStoreFile), kAlphaXar) << what;
}

}  // namespace

TEST(SignTreatyRefusals, TurnsOutsideTheirRangeOrOutOfOrderKeepTheDialogOpenOnTheField) {
  const struct {
    const char* turn;
    const char* from;
    const char* till;
    int field;
    const char* message;
  } cases[] = {
      {"12", "12", "1000", IDC_TILL, "Last turn of the pact:\nEnter a turn from 12 to 999"},
      {"12", "", "20", IDC_FROM, "First turn of the pact:\nEnter a turn from 0 to 22"},
      {"12", "12", "", IDC_TILL, "Last turn of the pact:\nEnter a turn from 12 to 999"},
      {"12", "30", "22", IDC_FROM, "First turn of the pact:\nEnter a turn from 0 to 22"},
      {"12", "20", "15", IDC_TILL, "Last turn of the pact:\nEnter a turn from 20 to 999"},
      {"1200", "1200", "1199", IDC_TILL,
       "Last turn of the pact:\nEnter a turn from 1200 to 2147483646"},
      {"1200", "1200", "2147483647", IDC_TILL,
       "Last turn of the pact:\nEnter a turn from 1200 to 2147483646"},
  };
  for (const auto& refused : cases) {
    Session session(kAlphaXar);
    Start(session);
    ScriptedUser user;
    user.InDialog(IDD_SIGN_TREATY, [&](CDialog& dialog, CUserInput& input) {
      input.Focus(IDC_TILL);
      dialog.SetDlgItemText(IDC_FROM, refused.from);
      dialog.SetDlgItemText(IDC_TILL, refused.till);
      input.Key(VK_RETURN);
      EXPECT_FALSE(AfxIsDialogEnded(dialog)) << refused.message;
      EXPECT_EQ(input.FocusId(), refused.field) << refused.message;
      const auto selection =
          static_cast<DWORD>(dialog.SendDlgItemMessage(refused.field, EM_GETSEL));
      EXPECT_EQ(HIWORD(selection), static_cast<WORD>(input.Text(refused.field).GetLength()));
      EXPECT_EQ(input.Text(IDC_TILL), refused.till) << "OK corrects nothing";
      input.Click(IDCANCEL);
    });
    session.Command("Sign treaty", "51467", refused.turn);
    ASSERT_EQ(user.messageBoxes.size(), 1u) << refused.message;
    EXPECT_EQ(user.messageBoxes[0].text, refused.message);
    EXPECT_EQ(user.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    ExpectNothingRecorded(session, refused.message);
  }
}

TEST(SignTreatyRefusals, ALongGameSignsWhatWasTypedUpToTheLargestTurn) {
  const struct {
    const char* turn;
    const char* proposed;
    const char* till;
  } cases[] = {{"1200", "1210", "1250"},
               {"32767", "32777", "32770"},
               {"32768", "32778", "33000"},
               {"40000", "40010", "40020"},
               {"65536", "65546", "65540"},
               {"1000000", "1000010", "1000004"},
               {"2147483640", "2147483646", "2147483646"},
               {"2147483646", "2147483646", "2147483646"}};
  for (const auto& typed : cases) {
    Session session(kAlphaXar);
    Start(session, {"Vor"}, {{"Trucelog\\ShowAll", "2"}});
    ScriptedUser user;
    user.InDialog(IDD_SIGN_TREATY, [&](CDialog&, CUserInput& input) {
      EXPECT_EQ(input.Text(IDC_FROM), typed.turn);
      EXPECT_EQ(input.Text(IDC_TILL), typed.proposed);
      input.Type(IDC_TILL, typed.till);
      input.Click(IDOK);
    });
    session.Command("Sign treaty", "51467", typed.turn);
    EXPECT_TRUE(user.messageBoxes.empty()) << typed.turn;
    EXPECT_NE(session.game.Read(Session::kStoreFile)
                  .find(std::string("Vor,") + typed.turn + "," + typed.till + ",\r\n"),
              std::string::npos)
        << typed.turn;
    EXPECT_EQ(session.PactEnd("Vor", typed.turn), typed.till);
    std::vector<std::string> cells(21);
    cells[0] = "Vor";
    const std::vector<std::string> row = session.TableRow(cells, typed.turn);
    EXPECT_NE(std::find(row.begin(), row.end(), std::string("Pact(") + typed.till + ")"), row.end())
        << typed.turn << " " << testing::PrintToString(row);
    session.Command("Pact warnings", "51467", typed.turn);
    ASSERT_EQ(session.windows.Children().size(), 1u) << typed.turn;
    const CDisplayList painted = session.windows.Paint(session.windows.Children()[0].hWnd);
    bool listed = false;
    std::string texts;
    for (const CDisplayItem& item : painted.items) {
      texts += std::string(item.text.GetString()) + "|";
      listed |= std::string(item.text.GetString())
                    .find(std::string("Pact with Vor will expire at "
                                      "the turn ") +
                          typed.till) != std::string::npos;
    }
    EXPECT_TRUE(listed) << typed.turn << " " << texts;
  }
}

TEST(SignTreatyRefusals, ARaceThatNamesNoOtherStorableRaceIsRefusedWithTheReason) {
  const struct {
    const char* race;
    const char* message;
  } cases[] = {
      {"", "Enter the race to sign the pact with."},
      {"Xar", "Xar is your own race. Choose the race to sign the pact with."},
      {"Vor,Lum", "A race name cannot hold \",\".\nThe pact store file could not keep it."},
      {"@Beta", "A race name cannot begin with \"@\".\nThe pact store file could not keep it."},
      {" Vor", "A race name cannot begin with a blank.\nThe pact store file could not keep it."},
  };
  for (const auto& refused : cases) {
    Session session(kAlphaXar);
    Start(session);
    ScriptedUser user;
    user.InDialog(IDD_SIGN_TREATY, [&](CDialog& dialog, CUserInput& input) {
      input.Focus(IDC_RACE);
      dialog.SetDlgItemText(IDC_RACE, refused.race);
      input.Click(IDOK);
      EXPECT_FALSE(AfxIsDialogEnded(dialog)) << refused.message;
      EXPECT_EQ(input.FocusId(), IDC_RACE) << refused.message;
      input.Key(VK_ESCAPE);
    });
    session.Command("Sign treaty", "51467");
    ASSERT_EQ(user.messageBoxes.size(), 1u) << refused.message;
    EXPECT_EQ(user.messageBoxes[0].text, refused.message);
    ExpectNothingRecorded(session, refused.message);
  }
}

TEST(BreakTreaty, EmptyNamesAndTheOwnRaceAreLeftOut) {
  Session nobody(kAlphaXar);
  Start(nobody, {"", "Xar"});
  ScriptedUser user;
  nobody.Command("Break treaty", "51467");
  EXPECT_TRUE(user.messageBoxes.empty()) << "nothing is asked";
  EXPECT_EQ(HostFunctions(nobody.host), std::vector<std::string>{"Selection"});

  Session one(kAlphaXar);
  Start(one, {"", "Lum", "Xar"});
  user.AnswerMessageBox(IDYES);
  one.Command("Break treaty", "51467");
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text, "Are you sure you want to break treaty with 1 race(s)?");
  ASSERT_EQ(one.host.Calls("Add").size(), 1u);
  const Entries war = one.host.Calls("Add")[0];
  EXPECT_EQ(war.at("Parameters.Count"), "2");
  EXPECT_EQ(war.at("Parameter.2"), "Lum");
  EXPECT_EQ(one.PactEnd("Lum"), "12");
}

TEST(SignTreatyRefusals, ConditionsTheFileCannotCarryAreNotOfferedAndLackingOnesAreKept) {
  Session session(kAlphaXar);
  Start(session, {"Lum"},
        {{"Trucelog\\Conditions", "2"},
         {"Trucelog\\Conditions\\0", "NA"},
         {"Trucelog\\Conditions\\0\\string", "Non-aggression"},
         {"Trucelog\\Conditions\\1", "A/B"},
         {"Trucelog\\Conditions\\1\\string", "Split"}});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    CStringArray items;
    input.Items(IDC_CONDITIONS, items);
    ASSERT_EQ(items.GetSize(), 2);
    EXPECT_EQ(items[0], "Non-aggression");
    EXPECT_EQ(items[1], "ZZ") << "lacking from the dictionary, listed under its abbreviation";
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "ZZ"));
    input.Type(IDC_TILL, "40");
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");
  EXPECT_NE(session.game.Read(Session::kStoreFile).find("Lum,5,40,NA/ZZ\r\n"), std::string::npos)
      << session.game.Read(Session::kStoreFile);
  EXPECT_EQ(session.host.settings.at("Trucelog\\Conditions"), "2") << "ZZ is not added";
}

TEST(SignTreatyRefusals, ANewTextForAnAbbreviationInUseIsAskedFirst) {
  Session session(kAlphaXar);
  Start(session, {"Lum"},
        {{"Trucelog\\Conditions", "1"},
         {"Trucelog\\Conditions\\0", "NA"},
         {"Trucelog\\Conditions\\0\\string", "Non-aggression"}});
  ScriptedUser user;
  user.AnswerMessageBox(IDNO);
  user.AnswerMessageBox(IDYES);
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    input.Click(IDC_ADD);
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "Naval access")) << "the old entry's tick stays";
    input.Click(IDOK);
  });
  user.InDialog(IDD_NEW_CONDITION, [](CDialog& dialog, CUserInput& input) {
    input.Type(IDC_MAIN_TEXT, "Naval access");
    input.Type(IDC_ABBREVIATION, "na");
    input.Click(IDOK);
    EXPECT_FALSE(AfxIsDialogEnded(dialog)) << "No keeps the dialog open";
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");
  ASSERT_EQ(user.messageBoxes.size(), 2u);
  EXPECT_EQ(user.messageBoxes[0].text,
            "NA already stands for \"Non-aggression\". Replace it with \"Naval access\"? Every "
            "pact with NA will show the new text.");
  EXPECT_EQ(session.host.settings.at("Trucelog\\Conditions\\0\\string"), "Naval access");
}

TEST(SignTreatyRefusals, AFieldCorrectedAsOKTakesTheFocusIsShownBeforeAnythingIsSigned) {
  Session session(kAlphaXar);
  Start(session);
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [](CDialog& dialog, CUserInput& input) {
    input.Type(IDC_TILL, "1000");
    input.Click(IDOK);
    EXPECT_FALSE(AfxIsDialogEnded(dialog));
    EXPECT_EQ(input.Text(IDC_TILL), "12") << "the correction leaving the field makes, now seen";
    EXPECT_EQ(input.FocusId(), IDC_TILL);
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text,
            "Last turn of the pact:\nLeaving the field changed it to 12. Choose OK again to sign "
            "with it.");
  EXPECT_EQ(session.PactEnd("Vor"), "12");
}
