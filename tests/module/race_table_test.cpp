#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/session.h"

namespace {

const std::string kStore =
    "@Alpha/Xar\r\nB,10,15,A\r\nB,16,20,C\r\nD,30,40,\r\nE,10,20,\r\nF,10,20,A/B\r\n\r\n";

// A race-table row of the host: the race, then 20 more cells, with `cells` set.
std::vector<std::string> Row(const std::string& race,
                             std::vector<std::pair<int, std::string>> cells = {}, int size = 21) {
  std::vector<std::string> row(static_cast<std::size_t>(size));
  row[0] = race;
  for (const auto& [index, text] : cells) row[static_cast<std::size_t>(index)] = text;
  return row;
}

// A session on the store above with the expired-pacts mode `mode` and other stored settings.
Session& Started(Session& session, char mode, Entries settings = {}) {
  settings["Trucelog\\flags"] = std::string("10011") + mode;
  session.host.settings = settings;
  session.Start();
  return session;
}

}  // namespace

TEST(RaceTable, APactInForceShowsItsRunsEndAndTheConditionsOfTheTurn) {
  Session session(kStore);
  Started(session, '1');
  EXPECT_EQ(session.TableRow(Row("B"), "12"), Row("B", {{8, "Pact(20)"}, {18, "A"}}));
  EXPECT_EQ(session.TableRow(Row("F", {{18, "x"}}), "12"),
            Row("F", {{8, "Pact(20)"}, {18, "x/A/B"}}));
  EXPECT_EQ(session.TableRow(Row("E", {{18, "host"}}), "12"),
            Row("E", {{8, "Pact(20)"}, {18, "host"}}))
      << "no conditions, nothing appended";
  EXPECT_EQ(session.TableRow(Row("Z"), "12"), Row("Z")) << "a race without pacts";
}

TEST(RaceTable, AfterThePactTheExpiredModeDecidesWhatShows) {
  const struct {
    char mode;
    std::vector<std::string> b;
  } cases[] = {{'0', Row("B")},
               {'1', Row("B")},
               {'2', Row("B", {{8, "Offpact(20)"}})},
               {'3', Row("B", {{8, "Offpact(20)"}, {18, "C"}})}};
  for (const auto& expired : cases) {
    Session session(kStore);
    Started(session, expired.mode);
    EXPECT_EQ(session.TableRow(Row("B"), "25"), expired.b) << expired.mode;
  }
  Session session(kStore);
  Started(session, '2');
  EXPECT_EQ(session.TableRow(Row("D"), "25"), Row("D", {{8, "Offpact(40)"}}))
      << "the latest pact, even when it is still to come";
}

TEST(RaceTable, BothSettingsOnOneCellGiveTheStatusFollowedByTheConditions) {
  Session session(kStore);
  Started(session, '1', {{"Trucelog\\ColNum", "1"}});
  EXPECT_EQ(session.TableRow(Row("B"), "12"), Row("B", {{18, "Pact(20)/A"}}));
}

TEST(RaceTable, AStatusColumnOnTheRaceCellStillGetsThatRacesConditions) {
  Session session(kStore);
  Started(session, '3', {{"Trucelog\\ColNum", "-17"}, {"Trucelog\\InfNum", "-18"}});
  EXPECT_EQ(session.TableRow(Row("B"), "12"), Row("Pact(20)/A"));
  EXPECT_EQ(session.TableRow(Row("B"), "25"), Row("Offpact(20)/C"));
}

TEST(RaceTable, OnlyTheRaceTablesIdentifierIsServed) {
  Session session(kStore);
  Started(session, '1');
  for (const char* id : {"12", "13 ", ""}) {
    EXPECT_EQ(session.TableRow(Row("B"), "12", id), Row("B")) << '"' << id << '"';
  }
  CMapStringToString withoutTurn;
  Fill(withoutTurn, {{"ID", "13"}, {"GameName", "Alpha"}, {"RaceName", "Xar"}});
  CStringArray row;
  row.Add("B");
  session.module.OnTableProcessor(withoutTurn, row);
  EXPECT_EQ(row.GetSize(), 1);
}

TEST(RaceTable, CellsOutsideTheRowAreSkippedAndTheOthersStillWritten) {
  Session session(kStore);
  Started(session, '1', {{"Trucelog\\InfNum", "5"}});
  EXPECT_EQ(session.TableRow(Row("B", {}, 21), "12"), Row("B", {{8, "Pact(20)"}}))
      << "info cell 23 lies beyond a row of 21";
  EXPECT_EQ(session.TableRow(Row("B", {}, 5), "12"), Row("B", {}, 5));
  EXPECT_TRUE(session.TableRow({}, "12").empty());

  Session huge(kStore);
  Started(huge, '1', {{"Trucelog\\ColNum", "2147483647"}, {"Trucelog\\InfNum", "2147483647"}});
  EXPECT_EQ(huge.TableRow(Row("B"), "12"), Row("B")) << "indexes that wrapped round are outside";
}
