#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/session.h"
#include "res/resource.h"
#include "support/scripted_user.h"

namespace {

const std::string kAlphaXar =
    "@Alpha/Xar\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\nLum,5,30,NA\r\nKel,1,40,\r\n\r\n";

// Signs as the person would: from and till typed, then OK.
ScriptedUser::Action SignFromTill(const char* from, const char* till) {
  return [from, till](CDialog&, CUserInput& input) {
    input.Type(IDC_FROM, from);
    input.Type(IDC_TILL, till);
    input.Click(IDOK);
  };
}

}  // namespace

TEST(SignTreaty, TwoSelectedRowsOpenTheDialogOnTheFirstAndRecordOnePact) {
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Sar", "Tor"});
  session.host.AnswerList("Races", {"Sar", "Tor", "Vor"});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    EXPECT_EQ(input.Text(IDC_RACE), "Sar");
    input.Type(IDC_TILL, "25");
    input.Click(IDC_ADD);
    input.Tick(IDC_CONDITIONS, "Open borders");
    input.Click(IDOK);
  });
  user.InDialog(IDD_NEW_CONDITION, [](CDialog&, CUserInput& input) {
    input.Type(IDC_MAIN_TEXT, "Open borders");
    input.Type(IDC_ABBREVIATION, "ob");
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");

  EXPECT_EQ(session.PactEnd("Sar"), "25");
  EXPECT_EQ(session.PactEnd("Tor"), "0");
  EXPECT_EQ(HostFunctions(session.host),
            (std::vector<std::string>{"Selection", "List", "Add", "Refresh", "WriteRegistry",
                                      "WriteRegistry", "WriteRegistry"}));
  const Entries peace = session.host.Calls("Add")[0];
  EXPECT_EQ(peace.at("Parameters.Count"), "2");
  EXPECT_EQ(peace.at("Parameter.1"), "DeclarePeace");
  EXPECT_EQ(peace.at("Parameter.2"), "Sar");
  EXPECT_NE(session.game.Read(Session::kStoreFile).find("Sar,12,25,OB\r\n"), std::string::npos);
  EXPECT_EQ(session.host.settings.at("Trucelog\\Conditions\\0"), "OB");
  EXPECT_EQ(session.host.settings.at("Trucelog\\Conditions\\0\\string"), "Open borders");
}

TEST(SignTreaty, CancelledRecordsSendsAndSavesNothing) {
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Vor"});
  ScriptedUser user;
  session.Command("Sign treaty", "51467");
  EXPECT_EQ(user.dialogsSeen, std::vector<UINT>{IDD_SIGN_TREATY});
  EXPECT_EQ(HostFunctions(session.host), (std::vector<std::string>{"Selection", "List"}));
  EXPECT_EQ(session.game.Read(Session::kStoreFile), kAlphaXar);
}

TEST(SignTreaty, ARaceNameTheStoreFileCannotCarryIsRefused) {
  for (const char* name : {"Vor,Lum", "  @Intruder", "Two\nLines"}) {
    Session session(kAlphaXar);
    session.Start();
    session.host.AnswerSelection("51467", "Name", {name});
    ScriptedUser user;
    user.InDialog(IDD_SIGN_TREATY, SignFromTill("12", "14"));
    session.Command("Sign treaty", "51467");
    EXPECT_EQ(HostFunctions(session.host), (std::vector<std::string>{"Selection", "List"})) << name;
    EXPECT_EQ(session.game.Read(Session::kStoreFile), kAlphaXar) << name;
  }
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Mid@dle"});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, SignFromTill("12", "14"));
  session.Command("Sign treaty", "51467");
  EXPECT_EQ(session.PactEnd("Mid@dle"), "14");
}

TEST(SignTreaty, TheConditionsInForceAreTickedWhenTheDialogOpens) {
  Session session(kAlphaXar);
  session.host.settings = {{"Trucelog\\Conditions", "2"},
                           {"Trucelog\\Conditions\\0", "NA"},
                           {"Trucelog\\Conditions\\0\\string", "Non-aggression"},
                           {"Trucelog\\Conditions\\1", "TR"},
                           {"Trucelog\\Conditions\\1\\string", "Trade"}};
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Vor"});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "Non-aggression"));
    EXPECT_TRUE(input.IsTicked(IDC_CONDITIONS, "Trade"));
  });
  session.Command("Sign treaty", "51467");
  EXPECT_EQ(user.dialogsSeen.size(), 1u);
}

TEST(BreakTreaty, ThreeRacesConfirmedEndAtTheTurnWithOneDeclarationOfWar) {
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Lum", "Vor", "Kel"});
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  session.Command("Break treaty", "51467", "12");

  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text, "Are you sure you want to break treaty with 3 race(s)?");
  EXPECT_EQ(user.messageBoxes[0].caption, "Trucelog");
  EXPECT_EQ(user.messageBoxes[0].type, MB_YESNO | MB_ICONQUESTION);
  for (const char* race : {"Lum", "Vor", "Kel"}) EXPECT_EQ(session.PactEnd(race), "12") << race;
  const auto adds = session.host.Calls("Add");
  ASSERT_EQ(adds.size(), 1u);
  EXPECT_EQ(adds[0].at("Parameters.Count"), "4");
  EXPECT_EQ(adds[0].at("Parameter.1"), "DeclareWar");
  EXPECT_EQ(adds[0].at("Parameter.2"), "Lum");
  EXPECT_EQ(adds[0].at("Parameter.3"), "Vor");
  EXPECT_EQ(adds[0].at("Parameter.4"), "Kel");
  EXPECT_EQ(session.game.Read(Session::kStoreFile).find("Vor,16,20"), std::string::npos);
  EXPECT_EQ(session.host.Calls("Refresh").size(), 1u);
}

TEST(BreakTreaty, AnsweredNoLeavesEverythingAsItWas) {
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Lum"});
  ScriptedUser user;
  user.AnswerMessageBox(IDNO);
  session.Command("Break treaty", "51467");
  EXPECT_EQ(session.PactEnd("Lum"), "30");
  EXPECT_EQ(HostFunctions(session.host), std::vector<std::string>{"Selection"});
  EXPECT_EQ(session.game.Read(Session::kStoreFile), kAlphaXar);
}

TEST(TreatyCommands, TheRelationsViewTargetsTheOtherEndOfAnOwnRelation) {
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51691", "From", {"Xar"});
  session.host.AnswerSelection("51691", "To", {"Lum"});
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  session.Command("Break treaty", "51691");
  EXPECT_EQ(session.PactEnd("Lum"), "12");
  EXPECT_EQ(session.host.Calls("Selection").size(), 2u);
  EXPECT_EQ(session.host.Calls("Add")[0].at("Parameter.2"), "Lum");

  session.host.AnswerSelection("51691", "From", {"Vor", "Kel"});
  session.Command("Break treaty", "51691");
  EXPECT_EQ(user.messageBoxes.size(), 1u) << "two rows selected: nothing happens";
  EXPECT_EQ(session.PactEnd("Vor"), "20");
}

TEST(TreatyCommands, ThePlanetViewActsOnlyOnAPlanetOfTheCurrentGame) {
  Session session(kAlphaXar);
  session.Start();
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  user.AnswerMessageBox(IDYES);
  session.Command("Break treaty", "1");
  EXPECT_TRUE(user.messageBoxes.empty()) << "no planet reported yet";

  session.Send(&PluginModule::OnPlanetChanged, {{"GameName", "Alpha"}, {"Owner", "Kel"}});
  session.Command("Break treaty", "1");
  EXPECT_EQ(session.PactEnd("Kel"), "12");

  session.Send(&PluginModule::OnPlanetChanged, {{"GameName", "Beta"}});
  session.Command("Break treaty", "1");
  EXPECT_EQ(user.messageBoxes.size(), 1u) << "the planet belongs to another game";
}

TEST(TreatyCommands, AnUnknownCommandOnlyRefreshesAndSaves) {
  Session session(kAlphaXar);
  session.host.settings = {{"Trucelog\\Conditions", "1"},
                           {"Trucelog\\Conditions\\0", "NA"},
                           {"Trucelog\\Conditions\\0\\string", "Non-aggression"}};
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Vor"});
  session.Command("Trade routes", "51467");
  EXPECT_EQ(HostFunctions(session.host), (std::vector<std::string>{"Selection", "Refresh"}))
      << "the stored dictionary is read, and holds all the session's: nothing to write";
  EXPECT_TRUE(session.game.Exists(Session::kStoreFile));

  session.host.AnswerSelection("51467", "Name", {});
  session.Command("Trade routes", "4711");
  session.Send(
      &PluginModule::OnUserCommand,
      {{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Command", "Trade routes"}, {"SID", "51467"}});
  EXPECT_EQ(session.host.Calls("Refresh").size(), 1u) << "no view or no turn: nothing";
}

TEST(TreatyCommands, ARaceReadFromTheHostsReplyTravelsIntoTheNextCall) {
  Session session(kAlphaXar);
  session.Start();
  session.host.AnswerSelection("51467", "Name", {std::string(200, 'L')});
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  session.Command("Break treaty", "51467");
  EXPECT_EQ(session.host.Calls("Add")[0].at("Parameter.2"), std::string(200, 'L'));
}

TEST(SignTreaty, TheWholeRoadFromStartUpToTheSavedFile) {
  Session session("@Alpha/Xar\r\nVor,1,11,NA\r\n\r\n");
  session.host.settings = {{"Trucelog\\DefLen", "8"},
                           {"Trucelog\\Conditions", "1"},
                           {"Trucelog\\Conditions\\0", "NA"},
                           {"Trucelog\\Conditions\\0\\string", "Non-aggression"}};
  session.Start();
  const std::size_t startUp = session.host.Requests().size();
  session.host.AnswerSelection("51467", "Name", {"Vor", "Lum"});
  session.host.AnswerList("Races", {"Vor", "Lum"});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    EXPECT_EQ(input.Text(IDC_RACE), "Vor");
    EXPECT_EQ(input.Text(IDC_FROM), "12");
    EXPECT_EQ(input.Text(IDC_TILL), "20");
    EXPECT_FALSE(input.IsTicked(IDC_CONDITIONS, "Non-aggression")) << "Vor's pact ended at 11";
    input.Tick(IDC_CONDITIONS, "Non-aggression");
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");

  const Entries game = {{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Turn", "12"}};
  auto call = [&game](const std::string& function, const std::vector<std::string>& parameters) {
    Entries request = game;
    request["Function"] = function;
    request["Parameters.Count"] = std::to_string(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
      request["Parameter." + std::to_string(i + 1)] = parameters[i];
    }
    return request;
  };
  auto read = [](const std::string& name) {
    return Entries{{"Function", "ReadRegistry"}, {"Name", name}};
  };
  const std::vector<Entries> road(session.host.Requests().begin() + static_cast<long>(startUp),
                                  session.host.Requests().end());
  EXPECT_EQ(road, (std::vector<Entries>{
                      call("Selection", {"51467", "Name"}),
                      call("List", {"Races"}),
                      call("Add", {"DeclarePeace", "Vor"}),
                      call("Refresh", {"51467"}),
                      read("Trucelog\\Conditions"),
                      read("Trucelog\\Conditions\\0"),
                      read("Trucelog\\Conditions\\0\\string"),
                  }));
  EXPECT_EQ(session.game.Read(Session::kStoreFile),
            "@Alpha/Xar\r\nVor,1,11,NA\r\nVor,12,20,NA\r\n\r\n");
  EXPECT_EQ(session.PactEnd("Vor", "5"), "20") << "the two pacts now adjoin";
}
