// The player's memo of pacts against ordinary input: whatever a person types or the host sends
// either comes back after a restart or is refused before anything is recorded, sent or saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "config_dialog.h"
#include "module/session.h"
#include "res/resource.h"
#include "support/scripted_user.h"

namespace {

const std::string kKelStore =
    "@Alpha/Xar\r\nKel,1,5,NA\r\nKel,6,10,TR\r\nKel,12,14,\r\nLum,5,30,\r\n\r\n"
    "@Beta/Xar\r\nVor,1,40,\r\n\r\n";

// A person who, besides acting in the dialogs as scripted, lets the host call the plug-in
// while the break question is open.
class InterruptedUser : public ScriptedUser {
 public:
  int OnMessageBox(const CString& text, const CString& caption, UINT type) override {
    if (meanwhile) meanwhile();
    return ScriptedUser::OnMessageBox(text, caption, type);
  }
  std::function<void()> meanwhile;
};

Entries Report(const std::string& game, const std::string& turn) {
  return {{"GameName", game}, {"RaceName", "Xar"}, {"Turn", turn}};
}

// "Sign treaty" on `race`, the one row selected in the race table, with the person doing
// `sign` in the dialog and `add` in a new-condition dialog; answers the dialogs that opened.
std::vector<UINT> SignWith(Session& session, const std::string& race, ScriptedUser::Action sign,
                           ScriptedUser::Action add = nullptr) {
  session.host.AnswerSelection("51467", "Name", {race});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, std::move(sign));
  if (add) user.InDialog(IDD_NEW_CONDITION, std::move(add));
  session.Command("Sign treaty", "51467");
  return user.dialogsSeen;
}

void ClickOK(CDialog&, CUserInput& input) { input.Click(IDOK); }

// A command that ended as a cancelled dialog: the host heard of nothing but the selection and
// the race list, and the file is as it was.
void ExpectNothingRecorded(Session& session, const std::string& storeFile) {
  for (const std::string& function : HostFunctions(session.host)) {
    EXPECT_TRUE(function == "Selection" || function == "List") << function;
  }
  EXPECT_EQ(session.game.Read(Session::kStoreFile), storeFile);
}

}  // namespace

TEST(MemoIntegrity, AnEmptiedFirstTurnConfirmedWithEnterIsAskedForAndKeepsTheHistory) {
  Session session(kKelStore);
  session.Start();
  SignWith(session, "Kel", [](CDialog& dialog, CUserInput& input) {
    input.Type(IDC_FROM, "");
    input.Key(VK_RETURN);
    EXPECT_FALSE(AfxIsDialogEnded(dialog));
    EXPECT_EQ(input.Text(IDC_FROM), "") << "OK corrects nothing";
    input.Type(IDC_FROM, "22");
    input.Key(VK_RETURN);
  });
  EXPECT_NE(session.game.Read(Session::kStoreFile)
                .find("Kel,1,5,NA\r\nKel,6,10,TR\r\nKel,12,14,\r\nKel,22,22,\r\n"),
            std::string::npos)
      << session.game.Read(Session::kStoreFile);
}

TEST(MemoIntegrity, TurnsThatDescribeNoPactKeepTheDialogOpenAndRecordNothing) {
  {
    Session session(kKelStore);
    session.Start();
    SignWith(session, "Sar", [](CDialog& dialog, CUserInput& input) {
      input.Type(IDC_TILL, "9");
      input.Key(VK_RETURN);
      EXPECT_FALSE(AfxIsDialogEnded(dialog)) << "the dialog stays open, and is then left";
    });
    ExpectNothingRecorded(session, kKelStore);
    EXPECT_EQ(session.PactEnd("Sar"), "0");
  }
  Session session(kKelStore);
  session.host.settings = {{"Trucelog\\DefLen", "-5"}};
  session.Start();
  const std::vector<UINT> dialogs = SignWith(session, "Sar", [](CDialog&, CUserInput& input) {
    EXPECT_EQ(input.Text(IDC_TILL), "12") << "no last turn before the first is proposed";
    input.Key(VK_RETURN);
  });
  EXPECT_EQ(dialogs, std::vector<UINT>{IDD_SIGN_TREATY});
  EXPECT_EQ(session.PactEnd("Sar"), "12");
}

TEST(MemoIntegrity, NamesTheFileCouldNotCarryBackAreRefusedBeforeAnythingHappens) {
  struct Case {
    const char* game;
    const char* ownRace;
    const char* race;
  };
  for (const Case& refused : {Case{"Alpha", "Xar", "Vo\x1Ar"}, Case{"Alpha", "Xar", " Lum"},
                              Case{"Alpha", "Xar", "\tLum"}, Case{"Al\x1Apha", "Xar", "Vor"},
                              Case{"Alpha", "Xar ", "Vor"}, Case{"Alpha", "X\nar", "Vor"}}) {
    Session session(kKelStore);
    session.gameName = refused.game;
    session.raceName = refused.ownRace;
    session.Start();
    SignWith(session, refused.race, ClickOK);
    SCOPED_TRACE(std::string(refused.game) + "/" + refused.ownRace + " " + refused.race);
    ExpectNothingRecorded(session, kKelStore);
    EXPECT_EQ(session.PactEnd(refused.race), "0");
  }
  // What does read back is kept, even where it looks odd.
  for (const char* kept : {"Lum ", "Mid@dle", "Kel\tKel"}) {
    Session session(kKelStore);
    session.Start();
    SignWith(session, kept, ClickOK);
    EXPECT_EQ(session.PactEnd(kept), "22") << kept;
    EXPECT_NE(session.game.Read(Session::kStoreFile).find(std::string(kept) + ",12,22,\r\n"),
              std::string::npos)
        << kept;
  }
}

TEST(MemoIntegrity, AnAbbreviationTheFileCouldNotCarryBackIsNeverAdded) {
  struct Typed {
    const char* abbreviation;
    const char* text;
  };
  for (const Typed& refused :
       {Typed{"ob/x", "Open borders"}, Typed{"NA ", "Open borders"}, Typed{" NA", "Open borders"},
        Typed{"O,B", "Open borders"}, Typed{"", "Open borders"}, Typed{"OB", ""}}) {
    Session session(kKelStore);
    session.Start();
    SignWith(
        session, "Sar",
        [](CDialog&, CUserInput& input) {
          input.Click(IDC_ADD);
          CStringArray items;
          input.Items(IDC_CONDITIONS, items);
          EXPECT_EQ(items.GetSize(), 0) << "nothing was added";
          input.Click(IDOK);
        },
        [refused](CDialog&, CUserInput& input) {
          input.Type(IDC_MAIN_TEXT, refused.text);
          input.Type(IDC_ABBREVIATION, refused.abbreviation);
          input.Click(IDOK);
        });
    EXPECT_EQ(session.host.settings.count("Trucelog\\Conditions"), 0u)
        << refused.abbreviation << ": nothing added, nothing written";
    EXPECT_NE(session.game.Read(Session::kStoreFile).find("Sar,12,22,\r\n"), std::string::npos)
        << "the pact itself is signed";
  }
}

TEST(MemoIntegrity, ConditionsFromTheSettingsStoreThatCannotBeCarriedStayOutOfThePacts) {
  Session session(kKelStore);
  session.host.settings = {{"Trucelog\\Conditions", "2"},
                           {"Trucelog\\Conditions\\0", "X\r\n@Evil/Xar"},
                           {"Trucelog\\Conditions\\0\\string", "Evil"},
                           {"Trucelog\\Conditions\\1", "TR"},
                           {"Trucelog\\Conditions\\1\\string", "Trade routes"}};
  session.Start();
  SignWith(session, "Sar", [](CDialog&, CUserInput& input) {
    EXPECT_FALSE(input.Tick(IDC_CONDITIONS, "Evil")) << "the host's entry is not offered";
    EXPECT_TRUE(input.Tick(IDC_CONDITIONS, "Trade routes"));
    input.Click(IDOK);
  });
  const std::string file = session.game.Read(Session::kStoreFile);
  EXPECT_NE(file.find("Sar,12,22,TR\r\n"), std::string::npos) << file;
  EXPECT_EQ(file.find("Evil"), std::string::npos) << file;
  const std::string abbreviations[] = {session.host.settings.at("Trucelog\\Conditions\\0"),
                                       session.host.settings.at("Trucelog\\Conditions\\1")};
  EXPECT_NE(std::find(std::begin(abbreviations), std::end(abbreviations), "X\r\n@Evil/Xar"),
            std::end(abbreviations))
      << "the host's own entry is kept as it was";
}

TEST(MemoIntegrity, ACommandStaysInTheGameItWasChosenInWhateverArrivesMeanwhile) {
  Session session(kKelStore);
  session.host.settings = {{"Trucelog\\flags", "000111"}};
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Sar"});
  InterruptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [&session](CDialog&, CUserInput& input) {
    session.Send(&PluginModule::OnReportLoaded, Report("Beta", "31"));
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");
  EXPECT_EQ(session.PactEnd("Sar"), "22");
  const Entries peace = session.host.Calls("Add").at(0);
  EXPECT_EQ(peace.at("GameName"), "Alpha");
  EXPECT_EQ(peace.at("Turn"), "12");
  EXPECT_EQ(session.host.Calls("Refresh").at(0).at("GameName"), "Alpha");
  session.gameName = "Beta";
  EXPECT_EQ(session.PactEnd("Sar"), "0");

  session.gameName = "Alpha";
  session.host.AnswerSelection("51467", "Name", {"Lum"});
  user.meanwhile = [&session] { session.Send(&PluginModule::OnReportLoaded, Report("Beta", "3")); };
  user.AnswerMessageBox(IDYES);
  session.Command("Break treaty", "51467");
  EXPECT_EQ(session.PactEnd("Lum"), "12") << "Alpha's pact ends at Alpha's turn";
  const Entries war = session.host.Calls("Add").at(1);
  EXPECT_EQ(war.at("GameName"), "Alpha");
  EXPECT_EQ(war.at("Parameter.2"), "Lum");
  session.gameName = "Beta";
  EXPECT_EQ(session.PactEnd("Vor", "3"), "40");
}

TEST(MemoIntegrity, LongGamesSignPactsOfTheDefaultLength) {
  Session session(kKelStore);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Sar"});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [](CDialog& dialog, CUserInput& input) {
    EXPECT_EQ(input.Text(IDC_TILL), "1005");
    int lower = 0, upper = 0;
    dialog.SendDlgItemMessage(IDC_SPIN_TILL, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                              reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, 995);
    EXPECT_EQ(upper, 2147483646) << "past turn 999 a pact may run to the largest turn";
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467", "995");
  EXPECT_NE(session.game.Read(Session::kStoreFile).find("Sar,995,1005,\r\n"), std::string::npos);
}

TEST(MemoIntegrity, TheConfigurationPageKeepsAStoredChoiceItCannotShow) {
  Session session;
  session.host.settings = {{"Trucelog\\ColNum", "7"}, {"Trucelog\\flags", "100117"}};
  session.Start();
  HostConfigDialog settings(session.module);
  CUserInput input(*settings.Open());
  for (int radio : {IDC_COL_STATUS, IDC_COL_CUSTOM1, IDC_COL_CUSTOM2, IDC_COL_CUSTOM3}) {
    EXPECT_FALSE(input.IsChecked(radio));
  }
  settings.Confirm({{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Turn", "12"}});
  EXPECT_EQ(session.host.settings.at("Trucelog\\ColNum"), "7");
  EXPECT_EQ(session.host.settings.at("Trucelog\\flags"), "100117");
}

TEST(MemoIntegrity, BreakActsOnTheSelectedRacesTheReplyHolds) {
  Session session(kKelStore);
  session.Start();
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  session.host.AnswerSelection("51467", "Name", {});
  session.Command("Break treaty", "51467");
  EXPECT_TRUE(user.messageBoxes.empty()) << "no race selected: no question";
  EXPECT_EQ(HostFunctions(session.host), std::vector<std::string>{"Selection"});

  session.host.AnswerSelectionWith(
      "51467", "Name", {{"Count", "3000000"}, {"1", "Kel"}, {"2", "Lum"}, {"3000000", "Sar"}});
  session.Command("Break treaty", "51467");
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text, "Are you sure you want to break treaty with 3 race(s)?");
  const Entries war = session.host.Calls("Add").at(0);
  EXPECT_EQ(war.at("Parameters.Count"), "4");
  EXPECT_EQ(war.at("Parameter.2"), "Kel");
  EXPECT_EQ(war.at("Parameter.3"), "Lum");
  EXPECT_EQ(war.at("Parameter.4"), "Sar");
  EXPECT_EQ(session.PactEnd("Lum"), "12");
}

TEST(MemoIntegrity, StartingTwiceStillOpensTheWarningWindow) {
  Session session(kKelStore);
  session.Start();
  session.Send(&PluginModule::OnInitialize, session.host.StartupParameters());
  session.Command("Pact warnings", "51467");
  EXPECT_EQ(session.windows.Children().size(), 1u);
}

TEST(MemoIntegrity, ThePlanetViewActsOnNoRaceWhenThePlanetHasNoOwner) {
  Session session(kKelStore);
  session.Start();
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  session.Send(&PluginModule::OnReportLoaded, Report("Alpha", "12"));
  session.Send(&PluginModule::OnPlanetChanged, {{"GameName", "Alpha"}, {"Owner", "Lum"}});
  session.Send(&PluginModule::OnPlanetChanged, {{"GameName", "Alpha"}, {"Owner", ""}});
  session.Command("Break treaty", "1");
  session.Command("Sign treaty", "1");
  EXPECT_TRUE(user.messageBoxes.empty());
  EXPECT_TRUE(user.dialogsSeen.empty());
  EXPECT_EQ(session.PactEnd("Lum"), "30");
}
