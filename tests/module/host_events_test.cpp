#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/session.h"
#include "support/scripted_user.h"

namespace {

std::string PactEnd(Session& session, const std::string& game, const std::string& race,
                    const std::string& other, const std::string& turn) {
  return session
      .CallFunction({{"GameName", game},
                     {"RaceName", race},
                     {"Turn", turn},
                     {"FuncName", "GetPact"},
                     {"Parameters.Count", "1"},
                     {"Parameter.1", other}})
      .at("Return");
}

Entries GamesList(const std::vector<std::pair<std::string, std::string>>& games) {
  Entries list{{"Count", std::to_string(games.size())}};
  for (std::size_t i = 0; i < games.size(); ++i) {
    list["Game." + std::to_string(i + 1)] = games[i].first;
    list["Race." + std::to_string(i + 1)] = games[i].second;
  }
  return list;
}

std::vector<std::string> GamesAskedForTurns(const SimulatedHost& host) {
  std::vector<std::string> games;
  for (const Entries& call : host.Calls("List")) {
    EXPECT_EQ(call.at("Parameter.1"), "Turns");
    EXPECT_EQ(call.at("Turn"), "0");
    games.push_back(call.at("GameName") + "/" + call.at("RaceName"));
  }
  return games;
}

}  // namespace

TEST(GamesList, EachGameIsHandledOnceAndAMissingEntryAbandonsTheRest) {
  Session session("@G\r\nVor,1,50,\r\n\r\n");
  session.Start();
  Entries list = GamesList({{"G", "R"}, {"H", "S"}, {"K", "T"}});
  list.erase("Game.2");
  session.Send(&PluginModule::OnGamesListModified, list);
  EXPECT_EQ(GamesAskedForTurns(session.host), std::vector<std::string>{"G/R"});
  EXPECT_EQ(PactEnd(session, "G", "R", "Vor", "10"), "50") << "the bare game's memo moved";

  session.Send(&PluginModule::OnGamesListModified, GamesList({{"G", "R"}, {"K", "T"}}));
  EXPECT_EQ(GamesAskedForTurns(session.host), (std::vector<std::string>{"G/R", "K/T"}))
      << "G/R was seen already";
  session.Send(&PluginModule::OnGamesListModified, GamesList({{"G", "R"}, {"K", "T"}}));
  EXPECT_EQ(session.host.Calls("List").size(), 2u) << "the same list again changes nothing";
}

TEST(GamesList, TheCurrentTurnIsTheLastNumberedTurnAndExpiredPactsGoWhenAsked) {
  Session session("@G/R\r\nOld,1,41,\r\nNow,1,42,\r\n\r\n");
  session.host.settings = {{"Trucelog\\flags", "001110"}};
  session.Start();
  std::vector<std::string> turns;
  for (int i = 1; i <= 43; ++i) turns.push_back("turn " + std::to_string(i));
  session.host.AnswerList("Turns", turns);
  session.Send(&PluginModule::OnGamesListModified, GamesList({{"G", "R"}}));
  EXPECT_EQ(PactEnd(session, "G", "R", "Old", "5"), "0") << "ended before turn 42";
  EXPECT_EQ(PactEnd(session, "G", "R", "Now", "5"), "42");
}

TEST(ReportLoaded, ExpiredPactsLeaveMemoryButTheFileKeepsThemUntilTheNextSave) {
  const std::string store = "@Alpha/Xar\r\nVor,10,15,\r\nLum,10,30,\r\n\r\n";
  Session session(store);
  session.host.settings = {{"Trucelog\\flags", "001110"}};
  session.Start();
  session.Send(&PluginModule::OnReportLoaded,
               {{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Turn", "16"}});
  EXPECT_EQ(PactEnd(session, "Alpha", "Xar", "Vor", "12"), "0");
  EXPECT_EQ(session.game.Read(Session::kStoreFile), store);
  session.host.AnswerSelection("51467", "Name", {"Lum"});
  session.Command("Refresh only", "51467", "16");
  EXPECT_EQ(session.game.Read(Session::kStoreFile), "@Alpha/Xar\r\nLum,10,30,\r\n\r\n");
}

TEST(PlanetChanged, RecordsTheOwnerAndKeepsItWhenTheReportHasNone) {
  Session session("@Alpha/Xar\r\nKel,1,40,\r\n\r\n@Beta/Xar\r\nKel,1,40,\r\n\r\n");
  session.Start();
  ScriptedUser user;
  user.AnswerMessageBox(IDYES);
  session.Send(&PluginModule::OnReportLoaded,
               {{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Turn", "3"}});
  session.Send(&PluginModule::OnPlanetChanged, {{"GameName", "Alpha"}, {"Owner", "Kel"}});
  session.Send(&PluginModule::OnPlanetChanged, {{"GameName", "Beta"}});
  // The planet view now acts in Beta, on the owner last reported.
  session.Send(&PluginModule::OnUserCommand, {{"GameName", "Beta"},
                                              {"RaceName", "Xar"},
                                              {"Turn", "12"},
                                              {"Command", "Break treaty"},
                                              {"SID", "1"}});
  EXPECT_EQ(PactEnd(session, "Beta", "Xar", "Kel", "5"), "12");
  EXPECT_EQ(PactEnd(session, "Alpha", "Xar", "Kel", "5"), "40");
}
