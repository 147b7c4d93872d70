// What the console host makes of the client's world and of what the plug-in paints: the
// client's answers by game, the bands read back from a display list, the timeline's runs.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"
#include "display.h"
#include "game_client.h"
#include "support/temp_dir.h"
#include "timeline.h"
#include "window_view.h"

namespace {

// The line as the terminal shows it, without its colour escapes.
std::string Visible(const std::string& line) {
  std::string shown;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if (line[at] == '\x1b') {
      at = line.find('m', at);
      if (at == std::string::npos) break;
    } else {
      shown += line[at];
    }
  }
  return shown;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

CDisplayItem Fill(LONG top, LONG width, COLORREF colour) {
  return {CDisplayItem::fillRect, RECT{0, top, width, top + 18}, colour, 0, FALSE, ""};
}

CDisplayItem Text(LONG top, const char* text, COLORREF ink, COLORREF background) {
  const auto width = static_cast<LONG>(std::string(text).size()) * CDC::kCellWidth;
  return {
      CDisplayItem::textOut, RECT{1, top + 1, 1 + width, top + 17}, ink, background, TRUE, text};
}

}  // namespace

TEST(GameClient, AnswersTheListsOfTheGameARequestNamesAndHearsTheOrders) {
  std::vector<std::string> notices;
  GameClient client([&](const std::string& notice) { notices.push_back(notice); });
  client.PutGame("Alpha", "Xar").races = {"Xar", "Vor"};
  Game& beta = client.PutGame("Beta", "Kel");
  beta.races = {"Kel", "Dro", "Sar"};
  beta.lastTurn = 2;
  EXPECT_EQ(client.GamesList(), (Entries{{"Count", "2"},
                                         {"Game.1", "Alpha"},
                                         {"Race.1", "Xar"},
                                         {"Game.2", "Beta"},
                                         {"Race.2", "Kel"}}));

  Entries answer;
  EXPECT_TRUE(client.Answer({{"Function", "List"}, {"GameName", "Beta"}, {"Parameter.1", "Races"}},
                            answer));
  EXPECT_EQ(answer, (Entries{{"Count", "3"}, {"1", "Kel"}, {"2", "Dro"}, {"3", "Sar"}}));
  answer.clear();
  client.Answer({{"Function", "List"}, {"GameName", "Beta"}, {"Parameter.1", "Turns"}}, answer);
  EXPECT_EQ(answer, (Entries{{"Count", "3"}, {"1", "0"}, {"2", "1"}, {"3", "2"}}))
      << "turns 0 to the newest, so the plug-in finds the newest as Count - 1";
  answer.clear();
  client.Answer({{"Function", "List"}, {"GameName", "Gamma"}, {"Parameter.1", "Races"}}, answer);
  EXPECT_EQ(answer, Entries{}) << "a game the client does not have";

  client.Select("51691", "From", {"Xar"});
  answer.clear();
  client.Answer({{"Function", "Selection"}, {"Parameter.1", "51691"}, {"Parameter.2", "From"}},
                answer);
  EXPECT_EQ(answer, (Entries{{"Count", "1"}, {"1", "Xar"}}));
  answer.clear();
  client.Answer({{"Function", "Selection"}, {"Parameter.1", "51467"}, {"Parameter.2", "Name"}},
                answer);
  EXPECT_EQ(answer, (Entries{{"Count", "0"}})) << "nothing selected there";

  client.Answer({{"Function", "Add"},
                 {"GameName", "Beta"},
                 {"Parameter.1", "DeclareWar"},
                 {"Parameter.2", "Dro"},
                 {"Parameter.3", "Sar"}},
                answer);
  client.Answer({{"Function", "Refresh"}, {"Parameter.1", "51467"}}, answer);
  EXPECT_EQ(notices, (std::vector<std::string>{"client: declares war on Dro and Sar",
                                               "client: redraws the race table"}));
  EXPECT_EQ(client.TableRow(beta, "Dro")[8], "war");
  EXPECT_EQ(client.TableRow(beta, "Kel")[8], "you");
  EXPECT_EQ(client.TableRow(beta, "Sar").size(), 21u);
  EXPECT_FALSE(client.Answer({{"Function", "ReadRegistry"}, {"Name", "x"}}, answer))
      << "the settings store is the simulated host's";
}

TEST(WindowView, BandsAreReadBackFromTheDisplayListWithTheirColours) {
  CDisplayList painted;
  painted.items = {Fill(1, 466, RGB(112, 0, 0)),
                   Text(1, "Pact with Kel will expire", RGB(255, 255, 255), RGB(112, 0, 0)),
                   Fill(19, 466, RGB(255, 255, 255)),
                   Text(19, "  \xA7 Trade", RGB(0, 0, 0), RGB(255, 255, 255)),
                   Fill(38, 466, RGB(1, 2, 3))};
  const std::vector<PaintedBand> bands = BandsOf(painted);
  ASSERT_EQ(bands.size(), 3u);
  EXPECT_EQ(bands[0].band, RGB(112, 0, 0));
  EXPECT_EQ(bands[0].ink, RGB(255, 255, 255));
  EXPECT_EQ(bands[1].text, "  \xA7 Trade");
  EXPECT_EQ(bands[2].text, "") << "a band with nothing written on it";

  EXPECT_EQ(BandLines(bands, false),
            (std::vector<std::string>{"dark red \xE2\x94\x82 Pact with Kel will expire",
                                      "white    \xE2\x94\x82   \xC2\xA7 Trade",
                                      "#010203  \xE2\x94\x82 "}));
  const std::vector<std::string> coloured = BandLines(bands, true);
  EXPECT_EQ(coloured[0].rfind("\x1b[48;2;112;0;0m\x1b[38;2;255;255;255m Pact with Kel", 0), 0u);
  // Every band as wide as the window paints them: 466 pixels, 58 cells and one.
  for (const std::string& line : coloured) EXPECT_EQ(DisplayWidth(Visible(line)), 59u) << line;
  EXPECT_EQ(BandLines({}, false), std::vector<std::string>{"(nothing to show)"});
}

TEST(Timeline, RunsOfAdjoiningPactsAreOneBarAndFarTurnsDoNotStretchTheAxis) {
  TempDir folder;
  folder.Write("Trucelog.ini",
               "@G/R\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\nKel,1,-1,\r\nLum,30,31,\r\n\r\n"
               "@H/R\r\nDro,1,2,\r\n\r\n");
  const std::vector<TimelineRow> rows = ReadTimeline(folder.File("Trucelog.ini"), "G/R");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].race, "Kel") << "sorted by race";
  EXPECT_EQ(rows[0].pacts[0].to, 0xFFFFFFFFu);
  EXPECT_EQ(rows[2].race, "Vor");
  EXPECT_EQ(rows[2].pacts.size(), 2u);
  EXPECT_EQ(ReadTimeline(folder.File("Trucelog.ini"), "G/X").size(), 0u);
  EXPECT_EQ(ReadTimeline(folder.File("missing.ini"), "G/R").size(), 0u);

  const std::string svg =
      TimelineSvg("G/R", 12, rows,
                  {{"Trucelog\\Conditions", "1"},
                   {"Trucelog\\Conditions\\0", "NA"},
                   {"Trucelog\\Conditions\\0\\string", "Non-aggression & more"}});
  EXPECT_TRUE(Contains(svg, ">NA/TR<"));
  EXPECT_TRUE(Contains(svg, ">NA = Non-aggression &amp; more<"));
  EXPECT_TRUE(Contains(svg, ">TR = (not in the dictionary)<"));
  EXPECT_TRUE(Contains(svg, ">4294967295 &gt;<")) << "a run beyond the axis says so";
  EXPECT_TRUE(Contains(svg, ">turn 12<"));
  // Vor's two adjoining pacts: one outlined run from 10 to 20, with the start and end labelled.
  EXPECT_TRUE(Contains(svg, ">10<") && Contains(svg, ">20<"));
  EXPECT_FALSE(Contains(svg, ">15<")) << "no end label inside a run";
  const std::size_t width = svg.find("width=\"") + 7;
  EXPECT_LT(std::stod(svg.substr(width)), 5000.0) << "the axis stops short of turn 2^32";
}

TEST(Help, EveryCommandIsDocumentedWithItsUsageAndAnExample) {
  std::ifstream file(TRUCELOG_DOCS "/session-language.md");
  std::stringstream text;
  text << file.rdbuf();
  const std::string docs = text.str();
  for (const CommandInfo& command : Commands()) {
    EXPECT_TRUE(Contains(docs, std::string("### `") + command.usage + "`")) << command.usage;
    EXPECT_TRUE(Contains(docs, std::string("    ") + command.example + "\n")) << command.example;
    EXPECT_EQ(HelpLines(command.name).front(), command.usage);
  }
  EXPECT_EQ(Suggestion("tabel"), "table");
  EXPECT_EQ(Suggestion("windo"), "window");
  EXPECT_EQ(Suggestion("xyzzy"), "");
}
