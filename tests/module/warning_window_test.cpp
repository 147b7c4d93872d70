#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config_dialog.h"
#include "module/session.h"
#include "res/resource.h"

static bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkRed = RGB(112, 0, 0);
constexpr COLORREF kGrey = RGB(96, 96, 96);
constexpr COLORREF kGreen = RGB(32, 112, 0);

// Kel's pact ends this turn (with a condition), Lum's in 3 turns, Vor's in 7, Sar's in 1000.
const std::string kStore =
    "@Alpha/Xar\r\nKel,1,12,NA\r\nLum,1,15,\r\nVor,1,19,\r\nSar,1,1012,\r\n\r\n"
    "@Beta/Xar\r\nKel,1,30,\r\n\r\n";

// One painted band: where it starts, its colours, its text.
struct Band {
  LONG top;
  LONG height;
  COLORREF band;
  COLORREF text;
  std::string line;
  bool operator==(const Band&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Band& band) {
  return out << "{" << band.top << "+" << band.height << " " << std::hex << band.band << "/"
             << band.text << std::dec << " '" << band.line << "'}";
}

std::vector<Band> Bands(Session& session, HWND window) {
  const CDisplayList painted = session.windows.Paint(window);
  std::vector<Band> bands;
  for (std::size_t i = 0; i + 1 < painted.items.size(); i += 2) {
    const CDisplayItem& fill = painted.items[i];
    const CDisplayItem& text = painted.items[i + 1];
    EXPECT_EQ(fill.kind, CDisplayItem::fillRect);
    EXPECT_EQ(text.kind, CDisplayItem::textOut);
    EXPECT_EQ(text.rect.left, 1);
    EXPECT_EQ(text.rect.top, fill.rect.top + 1);
    EXPECT_EQ(text.background, fill.color);
    bands.push_back({fill.rect.top, fill.rect.bottom - fill.rect.top, fill.color, text.color,
                     text.text.GetString()});
  }
  return bands;
}

void ReportLoaded(Session& session, const std::string& game, const std::string& turn) {
  session.Send(&PluginModule::OnReportLoaded,
               {{"GameName", game}, {"RaceName", "Xar"}, {"Turn", turn}});
}

void Activate(Session& session, const std::string& game) {
  session.Send(&PluginModule::OnActivate, {{"GameName", game}, {"RaceName", "Xar"}});
}

}  // namespace

TEST(WarningWindow, PaintsEachLineAsABandColouredByTheTurnsLeft) {
  Session session(kStore);
  session.host.settings = {{"Trucelog\\Conditions", "1"},
                           {"Trucelog\\Conditions\\0", "NA"},
                           {"Trucelog\\Conditions\\0\\string", "Non-aggression"}};
  session.Start();
  session.Command("Pact warnings", "51467");
  const auto windows = session.windows.Children();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].caption, "Pact expiry warnings (Alpha/Xar turn 12)");
  EXPECT_TRUE(windows[0].visible);
  EXPECT_TRUE(windows[0].active);

  const std::string widest = "Pact with Vor will expire at the turn 19 (after 7 turns)";
  const LONG width = static_cast<LONG>(widest.size()) * 8 + 2;
  EXPECT_EQ(
      Bands(session, windows[0].hWnd),
      (std::vector<Band>{
          {1, 18, kDarkRed, kWhite, "Pact with Kel will expire at the turn 12 (after 0 turns)"},
          {19, 18, kWhite, kBlack, "  \xA7 Non-aggression"},
          {38, 18, kGrey, kWhite, "Pact with Lum will expire at the turn 15 (after 3 turns)"},
          {56, 18, kWhite, kBlack, "  \x95 No special conditions"},
          {75, 18, kGreen, kWhite, widest},
          {93, 18, kWhite, kBlack, "  \x95 No special conditions"}}));
  EXPECT_EQ(windows[0].total.cx, width);
  EXPECT_EQ(windows[0].total.cy, 6 * 18 + 3) << "the text heights, 2 per band, 1 per gap";
  const CDisplayList painted = session.windows.Paint(windows[0].hWnd);
  EXPECT_EQ(painted.items[0].rect.right - painted.items[0].rect.left, width);
}

TEST(WarningWindow, ColoursFollowTheThresholdAtEachRepaintButTheLinesStay) {
  Session session(kStore);
  session.host.settings = {{"Trucelog\\ExpThr", "3"}, {"Trucelog\\ShowInfo", "0"}};
  session.Start();
  session.Command("Pact warnings", "51467");
  const HWND window = session.windows.Children().at(0).hWnd;
  EXPECT_EQ(Bands(session, window)[1].band, kGrey) << "3 turns left is not above 3";

  HostConfigDialog settings(session.module);
  CUserInput(*settings.Open()).Type(IDC_EXPTHR, "2");
  settings.Confirm({{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Turn", "12"}});
  const std::vector<Band> bands = Bands(session, window);
  EXPECT_EQ(bands[1].band, kGreen);
  EXPECT_EQ(bands.size(), 3u) << "Kel, Lum and Vor; Sar's run ends beyond 999 turns";
}

TEST(WarningWindow, AnEmptyListPaintsNothing) {
  Session session(kStore);
  session.Start();
  session.Send(&PluginModule::OnUserCommand, {{"GameName", "Gamma"},
                                              {"RaceName", "Xar"},
                                              {"Turn", "12"},
                                              {"Command", "Pact warnings"},
                                              {"SID", "anything"}});
  const auto windows = session.windows.Children();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].total.cx, 2);
  EXPECT_EQ(windows[0].total.cy, 0);
  EXPECT_TRUE(session.windows.Paint(windows[0].hWnd).items.empty());
}

TEST(WarningWindow, EscapeClosesTheWindowOnceThePostedCloseIsDelivered) {
  Session session(kStore);
  session.Start();
  session.Command("Pact warnings", "51467");
  const HWND window = session.windows.Children().at(0).hWnd;
  session.windows.SendKey(window, 'q');
  EXPECT_EQ(session.windows.PumpMessages(), 0);
  session.windows.SendKey(window, 27);
  EXPECT_EQ(session.windows.Children().size(), 1u) << "posted, not sent";
  EXPECT_EQ(session.windows.PumpMessages(), 1);
  EXPECT_TRUE(session.windows.Children().empty());
}

TEST(WarningWindow, WindowsShareTheRectangleTheLastNormalOneLeftAndOnCloseSavesIt) {
  Session session(kStore);
  session.host.settings = {{"Trucelog\\pos\\left", "10"},
                           {"Trucelog\\pos\\top", "20"},
                           {"Trucelog\\pos\\right", "410"},
                           {"Trucelog\\pos\\bottom", "220"}};
  session.Start();
  session.Command("Pact warnings", "51467");
  HWND first = session.windows.Children().at(0).hWnd;
  EXPECT_EQ(session.windows.Children().at(0).normal, (RECT{10, 20, 410, 220}));

  CWnd::FromHandle(first)->MoveWindow(RECT{50, 60, 650, 460});
  session.Command("Pact warnings", "51467");
  auto windows = session.windows.Children();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[1].normal, (RECT{50, 60, 650, 460})) << "where the first one was left";

  session.windows.Maximize(windows[1].hWnd);
  CWnd* second = CWnd::FromHandle(windows[1].hWnd);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  second->GetWindowPlacement(&placement);
  placement.rcNormalPosition = RECT{0, 0, 10, 10};
  second->SetWindowPlacement(&placement);
  session.windows.Activate(first);
  session.Command("Pact warnings", "51467");
  EXPECT_EQ(session.windows.Children().at(2).normal, (RECT{50, 60, 650, 460}))
      << "a maximised window leaves the rectangle alone";

  session.module.OnClose();
  EXPECT_EQ(session.host.settings.at("Trucelog\\pos\\left"), "50");
  EXPECT_EQ(session.host.settings.at("Trucelog\\pos\\bottom"), "460");
}

TEST(WarningWindow, OnlyTheWindowsOfTheActivatedGameShow) {
  Session session(kStore);
  session.Start();
  ReportLoaded(session, "Alpha", "12");
  ReportLoaded(session, "Beta", "27");
  auto windows = session.windows.Children();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[1].caption, "Pact expiry warnings (Beta/Xar turn 27)");

  Activate(session, "Beta");
  windows = session.windows.Children();
  EXPECT_FALSE(windows[0].visible);
  EXPECT_TRUE(windows[1].visible);
  Activate(session, "Alpha");
  windows = session.windows.Children();
  EXPECT_TRUE(windows[0].visible);
  EXPECT_FALSE(windows[1].visible);
  EXPECT_TRUE(windows[0].active);
}

TEST(WarningWindow, AReportOpensOneOnlyWhenSomethingIsNear) {
  Session session(kStore);
  session.Start();
  ReportLoaded(session, "Alpha", "2");
  EXPECT_TRUE(session.windows.Children().empty()) << "nothing within 5 turns of turn 2";

  ReportLoaded(session, "Alpha", "12");
  ASSERT_EQ(session.windows.Children().size(), 1u);
  const std::vector<Band> bands = Bands(session, session.windows.Children()[0].hWnd);
  ASSERT_EQ(bands.size(), 4u) << "Explicit: only the pacts within the threshold";
  EXPECT_EQ(bands[2].line, "Pact with Lum will expire at the turn 15 (after 3 turns)");
  EXPECT_EQ(bands[3].line, "  \x95 No special conditions") << "conditions are shown Always";
}

TEST(WarningWindow, AReportListsEveryPactInForceOnlyWhenAlwaysChosen) {
  Session always(kStore);
  always.host.settings = {{"Trucelog\\ShowAll", "2"}, {"Trucelog\\ShowInfo", "1"}};
  always.Start();
  ReportLoaded(always, "Alpha", "12");
  const std::vector<Band> bands = Bands(always, always.windows.Children().at(0).hWnd);
  ASSERT_EQ(bands.size(), 3u) << "every pact in force; conditions only on request";
  EXPECT_EQ(bands[2].band, kGreen);
}

TEST(WarningWindow, AReportOpensNoneWhenWarningsOnReportsAreOff) {
  Session quiet(kStore);
  quiet.host.settings = {{"Trucelog\\flags", "000111"}};
  quiet.Start();
  ReportLoaded(quiet, "Alpha", "12");
  EXPECT_TRUE(quiet.windows.Children().empty()) << "no warning on reports";
}

TEST(WarningWindow, TheGamesListWarnsOfAGameWhenAskedTo) {
  Session session(kStore);
  session.host.settings = {{"Trucelog\\flags", "010111"}};
  session.Start();
  std::vector<std::string> turns(13, "t");
  session.host.AnswerList("Turns", turns);
  session.Send(&PluginModule::OnGamesListModified,
               {{"Count", "1"}, {"Game.1", "Alpha"}, {"Race.1", "Xar"}});
  const auto windows = session.windows.Children();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].caption, "Pact expiry warnings (Alpha/Xar turn 12)");
}
