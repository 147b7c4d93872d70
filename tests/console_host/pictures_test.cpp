// What the console host makes of the client's world and of what the plug-in paints: the
// client's answers by game, the bands read back from a display list, the timeline's runs.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <climits>

#include "commands.h"
#include "display.h"
#include "game_client.h"
#include "support/temp_dir.h"
#include "svg.h"
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
  EXPECT_EQ(answer, (Entries{{"Count", "3"}, {"3", "2"}}))
      << "turns 0 to the newest, of which the plug-in reads the newest entry's number";
  beta.lastTurn = kLastTurn;
  answer.clear();
  client.Answer({{"Function", "List"}, {"GameName", "Beta"}, {"Parameter.1", "Turns"}}, answer);
  EXPECT_EQ(answer, (Entries{{"Count", "2147483647"}, {"2147483647", "2147483646"}}))
      << "the last turn the client accepts: its entry's number still a signed 32-bit one";
  beta.lastTurn = 2;
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

namespace {

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// A warning window as the main window lists it: 500 by 300 at 0,0, showing a view whose lines
// take `height` pixels.
HostMainWindow::Child Window(UINT showCmd, LONG height) {
  HostMainWindow::Child window{};
  window.caption = "Pact expiry warnings (Alpha/Xar turn 12)";
  window.visible = window.active = true;
  window.showCmd = showCmd;
  window.normal = RECT{0, 0, 500, 300};
  window.scrolls = true;
  window.total = SIZE{466, height};
  return window;
}

CDisplayList Lines(int count, int cells = 58) {
  CDisplayList painted;
  const std::string line(static_cast<std::size_t>(cells), 'x');
  for (LONG i = 0; i < count; ++i) {
    painted.items.push_back(Text(i * 18, line.c_str(), RGB(0, 0, 0), RGB(255, 255, 255)));
  }
  return painted;
}

const char* const kScrollTrack = "fill=\"#eeeeee\"";

}  // namespace

TEST(WindowView, APictureShowsTheWindowAsItStandsWithScrollBarsForWhatLiesBeyond) {
  const SIZE main = {1000, 700};
  const std::string few = WindowSvg(Window(SW_SHOWNORMAL, 4 * 18), Lines(4), main);
  EXPECT_TRUE(Contains(few, "width=\"500\" height=\"300\""));
  EXPECT_EQ(Occurrences(few, kScrollTrack), 0u) << "four lines fit";
  EXPECT_TRUE(Contains(few, "clip-path=")) << "the lines are clipped to the client area";
  EXPECT_FALSE(Contains(few, "textLength"));

  // Twenty lines are more than the client area holds: a vertical scroll bar says so.
  const std::string many = WindowSvg(Window(SW_SHOWNORMAL, 20 * 18), Lines(20), main);
  EXPECT_EQ(Occurrences(many, kScrollTrack), 1u);
  // A line wider than the window, too: both.
  const std::string wide = WindowSvg(Window(SW_SHOWNORMAL, 20 * 18), Lines(20, 80), main);
  EXPECT_EQ(Occurrences(wide, kScrollTrack), 2u);

  // Maximised, the window fills the main window, where the twenty lines fit.
  const std::string maximised = WindowSvg(Window(SW_SHOWMAXIMIZED, 20 * 18), Lines(20), main);
  EXPECT_TRUE(Contains(maximised, "width=\"1000\" height=\"700\"")) << maximised.substr(0, 200);
  EXPECT_EQ(Occurrences(maximised, kScrollTrack), 0u);
  const std::string minimised = WindowSvg(Window(SW_SHOWMINIMIZED, 20 * 18), Lines(20), main);
  EXPECT_FALSE(Contains(minimised, "xxxx")) << "only its caption bar shows";

  // A position kept from an earlier session may span every coordinate there is.
  HostMainWindow::Child vast = Window(SW_SHOWNORMAL, 20 * 18);
  vast.normal = RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  EXPECT_EQ(WindowState(vast), "active, at -2147483648,-2147483648 size 4294967295x4294967295");
  EXPECT_TRUE(Contains(WindowSvg(vast, Lines(20), main), "width=\"4000\" height=\"3000\""));
}

TEST(Svg, TextIsSizedToFitWhereTheWidestFallbackFontWouldNot) {
  // As rendered in DejaVu Sans at 100 pixels: digits 64, "m" 97, Cyrillic "Zh" 108 wide.
  EXPECT_GE(TextWidth("0000000000", 100), 636);
  EXPECT_GE(TextWidth("mmmmmmmmmm", 100), 974);
  EXPECT_GE(TextWidth("\xC6\xC6\xC6\xC6\xC6\xC6\xC6\xC6\xC6\xC6", 100), 1077);
  EXPECT_LT(TextWidth("iiiiiiiiii", 100), 400);
  EXPECT_EQ(FittingSize("Status", 10, 100), 10);
  const double size = FittingSize("Default pact length", 10, 75);
  EXPECT_LT(size, 10);
  EXPECT_LE(TextWidth("Default pact length", size), 75);
}

namespace {

bool Overlap(const TimelineBox& a, const TimelineBox& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Within(const TimelineBox& inner, const TimelineBox& outer) {
  return inner.x >= outer.x && inner.x + inner.width <= outer.x + outer.width &&
         inner.y >= outer.y && inner.y + inner.height <= outer.y + outer.height;
}

// Every label clear of the others and of the marker; off the bars, but for conditions written
// inside their own bar.
void ExpectLabelsClear(const TimelineLayout& layout) {
  for (std::size_t i = 0; i < layout.labels.size(); ++i) {
    const TimelineLabel& label = layout.labels[i];
    for (std::size_t j = i + 1; j < layout.labels.size(); ++j) {
      EXPECT_FALSE(Overlap(label.box, layout.labels[j].box))
          << label.text << " and " << layout.labels[j].text;
    }
    for (const TimelineBox& marker : layout.markers) {
      EXPECT_FALSE(Overlap(label.box, marker)) << label.text << " on the marker";
    }
    for (std::size_t b = 0; b < layout.bars.size(); ++b) {
      if (static_cast<int>(b) == label.bar) {
        EXPECT_TRUE(Within(label.box, layout.bars[b].box)) << label.text << " off its bar";
      } else {
        EXPECT_FALSE(Overlap(label.box, layout.bars[b].box)) << label.text << " on a bar";
      }
    }
    EXPECT_LE(label.box.x + label.box.width, layout.width) << label.text;
    EXPECT_LE(label.box.y + label.box.height, layout.height) << label.text;
  }
}

// The timeline's one page.
TimelineLayout OnePage(const std::string& key, int turn, const std::vector<TimelineRow>& rows,
                       const Entries& settings) {
  std::vector<TimelineLayout> pages = LayOutTimeline(key, turn, rows, settings);
  EXPECT_EQ(pages.size(), 1u);
  return pages.empty() ? TimelineLayout{} : pages.front();
}

const TimelineLabel* LabelOf(const TimelineLayout& layout, const std::string& text) {
  for (const TimelineLabel& label : layout.labels) {
    if (label.text == text) return &label;
  }
  return nullptr;
}

}  // namespace

TEST(Timeline, TheAxisSpansEveryPactAndTheTurnAndRunsOfAdjoiningPactsAreOneOutline) {
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

  const Entries settings = {{"Trucelog\\Conditions", "1"},
                            {"Trucelog\\Conditions\\0", "NA"},
                            {"Trucelog\\Conditions\\0\\string", "Non-aggression & more"}};
  // Turn 300, far past every pact but Kel's, which runs to the last turn there is.
  const TimelineLayout layout = OnePage("G/R", 300, rows, settings);
  EXPECT_EQ(layout.first, 1u);
  EXPECT_EQ(layout.last, 0xFFFFFFFFu);
  ASSERT_EQ(layout.bars.size(), 4u);
  ASSERT_EQ(layout.runs.size(), 3u) << "Vor's two adjoining pacts are one run";
  const TimelineBox& lum = layout.bars[1].box;  // rows: Kel, Lum, Vor
  for (const TimelineBar& bar : layout.bars) EXPECT_GE(bar.box.width, 5) << bar.pact;
  ASSERT_EQ(layout.markers.size(), 4u) << "on the axis and in each row";
  EXPECT_GT(layout.markers[1].x, lum.x + lum.width) << "turn 300 lies after Lum's pact";
  EXPECT_LT(layout.markers[1].x + layout.markers[1].width,
            layout.bars[0].box.x + layout.bars[0].box.width)
      << "and before the end of Kel's";
  EXPECT_FALSE(layout.breaks.empty()) << "the turns up to 2^32 are drawn shortened";
  EXPECT_LT(layout.width, 1400);
  for (const char* text : {"turn 300", "4294967295", "10", "20", "Vor"}) {
    EXPECT_NE(LabelOf(layout, text), nullptr) << text;
  }
  for (const TimelineLabel& label : layout.labels) {
    if (label.text == "15") {
      EXPECT_LT(label.box.y, layout.axis.y) << "no end label inside a run";
    }
  }
  ExpectLabelsClear(layout);

  const std::string svg = TimelineSvg(layout, "Pacts of G/R");
  EXPECT_TRUE(Contains(svg, ">NA/TR<"));
  EXPECT_TRUE(Contains(svg, ">NA = Non-aggression &amp; more<"));
  EXPECT_TRUE(Contains(svg, ">TR = (not in the dictionary)<"));
  EXPECT_FALSE(Contains(svg, "textLength"));
}

namespace {

// Thirty races with two hundred pacts between turns 900 and 1200, of 1 to 40 turns.
std::vector<TimelineRow> ThirtyRaces() {
  std::vector<TimelineRow> rows;
  std::size_t pacts = 0;
  const char* const conditions[] = {"", "NA", "TR", "NA/TR", "OB/NA/TR/MA"};
  for (int race = 0; race < 30; ++race) {
    TimelineRow row{"Race " + std::to_string(race), {}};
    DWORD turn = 900 + static_cast<DWORD>(race * 13 % 97);
    for (int i = 0; i < 7 && pacts < 200; ++i, ++pacts) {
      const DWORD length = static_cast<DWORD>(1 + (race * 7 + i * 5) % 40);
      row.pacts.push_back({turn, turn + length - 1, conditions[(race + i) % 5]});
      turn += length + static_cast<DWORD>((race + i) % 3 == 0 ? 0 : (race * i) % 25);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

TEST(Timeline, ThirtyRacesWithTwoHundredPactsPastTurnOneThousandKeepEveryLabelClear) {
  const std::vector<TimelineRow> rows = ThirtyRaces();
  const TimelineLayout layout = OnePage("Alpha/Xar", 1200, rows, {});
  ASSERT_EQ(layout.bars.size(), 200u);
  for (const TimelineBar& bar : layout.bars) EXPECT_GE(bar.box.width, 5) << "a pact of one turn";
  EXPECT_NE(LabelOf(layout, "turn 1200"), nullptr);
  ExpectLabelsClear(layout);
  EXPECT_LT(layout.width, 2500);
  EXPECT_LT(layout.height, 30 * 80 + 300) << "a few lines of labels a row at most";
}

namespace {

// The bars' pacts with their widths, and whether each lies across a shortened stretch.
struct DrawnPact {
  std::uint64_t turns = 0;
  double width = 0;
  bool acrossShortened = false;
};

std::vector<DrawnPact> DrawnPacts(const TimelineLayout& layout,
                                  const std::vector<TimelineRow>& rows) {
  std::vector<DrawnPact> drawn;
  for (const TimelineBar& bar : layout.bars) {
    const PactInterval& pact = rows[static_cast<std::size_t>(bar.row)].pacts[bar.pact];
    DrawnPact one{std::uint64_t{pact.to} - pact.from + 1, bar.box.width, false};
    for (const auto& [first, last] : layout.shortened) {
      one.acrossShortened = one.acrossShortened || (pact.from <= last && first <= pact.to);
    }
    drawn.push_back(one);
  }
  return drawn;
}

// One scale for every pact drawn to scale, none wider than its turns at that scale, and no pact
// narrower than a shorter one.
void ExpectOneScaleInOrder(const TimelineLayout& layout, const std::vector<TimelineRow>& rows) {
  const std::vector<DrawnPact> drawn = DrawnPacts(layout, rows);
  for (const DrawnPact& pact : drawn) {
    const double toScale = static_cast<double>(pact.turns) * layout.perTurn;
    if (pact.acrossShortened) {
      EXPECT_LT(pact.width, toScale) << pact.turns << " turns";
    } else {
      EXPECT_NEAR(pact.width, toScale, 0.01) << pact.turns << " turns";
    }
    for (const DrawnPact& other : drawn) {
      if (pact.turns > other.turns) {
        EXPECT_GE(pact.width, other.width - 0.01)
            << pact.turns << " turns drawn narrower than " << other.turns;
      }
    }
  }
}

}  // namespace

TEST(Timeline,
     EveryStretchHasOneScaleAndAShortenedOneIsMarkedAndNoPactIsDrawnNarrowerThanAShorter) {
  // Thirty races busy around turn 1200: every pact to scale, 5 pixels a turn or more.
  const std::vector<TimelineRow> busy = ThirtyRaces();
  const TimelineLayout dense = OnePage("Alpha/Xar", 1200, busy, {});
  EXPECT_GE(dense.perTurn, 5);
  ExpectOneScaleInOrder(dense, busy);

  // Nothing happens from turn 200 to 900: that stretch is shortened, and says so.
  const std::vector<TimelineRow> apart = {{"Lum", {{901, 950, ""}}}, {"Vor", {{100, 199, "NA"}}}};
  const TimelineLayout gap = OnePage("Alpha/Xar", 950, apart, {});
  ASSERT_EQ(gap.shortened, (std::vector<TurnSpan>{{200, 900}}));
  ASSERT_EQ(gap.breaks.size(), 1u);
  EXPECT_GT(gap.breaks[0].x, gap.bars[1].box.x + gap.bars[1].box.width) << "after Vor's pact";
  EXPECT_LT(gap.breaks[0].x + gap.breaks[0].width, gap.bars[0].box.x) << "before Lum's";
  EXPECT_NEAR(gap.bars[0].box.width / 50, gap.bars[1].box.width / 100, 0.01);
  ExpectOneScaleInOrder(gap, apart);
  ExpectLabelsClear(gap);
  const std::string svg = TimelineSvg(gap, "Pacts of Alpha/Xar");
  EXPECT_TRUE(Contains(svg,
                       ">turns 200\xE2\x80\x93"
                       "900 shortened<"))
      << svg;
  EXPECT_EQ(Occurrences(svg, "stroke-width=\"1.5\"/>"), 4u)
      << "two strokes on the axis, two in the legend";

  // Two pacts, too long together for the picture: the stretches inside them are shortened, and
  // the longer one, alone in its stretch, is still drawn as wide as the shorter one, which lies
  // across the current turn's stretch too.
  const std::vector<TimelineRow> crowded = {{"Lum", {{200, 400, ""}}}, {"Vor", {{0, 199, ""}}}};
  const TimelineLayout widened = OnePage("Alpha/Xar", 0, crowded, {});
  EXPECT_EQ(widened.shortened, (std::vector<TurnSpan>{{1, 199}, {200, 400}}));
  ASSERT_EQ(widened.bars.size(), 2u);
  EXPECT_GE(widened.bars[0].box.width, widened.bars[1].box.width - 0.01);
  ExpectOneScaleInOrder(widened, crowded);
  ExpectLabelsClear(widened);
}

TEST(Timeline, AThousandRacesGoOnPagesAndNoPageIsLargerThanARendererTakes) {
  std::vector<TimelineRow> rows;
  for (DWORD race = 0; race < 1000; ++race) {
    rows.push_back({"Race " + std::to_string(race),
                    {{1000 + race % 50, 1100 + race % 70, race % 3 == 0 ? "NA" : ""},
                     {1200 + race % 30, 1230 + race % 90, ""}}});
  }
  const std::vector<TimelineLayout> pages = LayOutTimeline("Big/Xar", 1200, rows, {});
  ASSERT_GE(pages.size(), 2u);
  std::vector<int> drawnRows;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const TimelineLayout& page = pages[p];
    EXPECT_LE(page.width, 16384);
    EXPECT_LE(page.height, 16384);
    const std::string title = "Pacts of Big/Xar, turn 1200, page " + std::to_string(p + 1) +
                              " of " + std::to_string(pages.size());
    EXPECT_NE(LabelOf(page, title), nullptr) << title;
    EXPECT_NE(LabelOf(page, "turn 1200"), nullptr) << "each page has its axis";
    EXPECT_EQ(page.swatches.size(), 4u) << "and its legend";
    EXPECT_EQ(page.perTurn, pages[0].perTurn) << "at one scale";
    for (const TimelineBar& bar : page.bars) {
      if (drawnRows.empty() || drawnRows.back() != bar.row) drawnRows.push_back(bar.row);
    }
    ExpectLabelsClear(page);
  }
  ASSERT_EQ(drawnRows.size(), 1000u) << "every race once";
  for (int r = 0; r < 1000; ++r) EXPECT_EQ(drawnRows[static_cast<std::size_t>(r)], r);
  EXPECT_NE(LabelOf(pages.front(), "NA = (not in the dictionary)"), nullptr);

  // Eight thousand turns of pacts, none to shorten: drawn closer, still at one scale.
  TimelineRow busy{"Vor", {}};
  for (DWORD turn = 0; turn < 8000; turn += 40) busy.pacts.push_back({turn, turn + 39, ""});
  const std::vector<TimelineRow> wide = {busy, {"Lum", {{0, 2, ""}}}};
  const TimelineLayout closer = OnePage("Big/Xar", 0, wide, {});
  EXPECT_LE(closer.width, 16384);
  EXPECT_GT(closer.width, 16000) << "as wide as a page takes";
  EXPECT_TRUE(closer.shortened.empty());
  ExpectOneScaleInOrder(closer, wide);
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
