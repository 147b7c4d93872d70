// The console host as people use it: the demo and its transcript, sessions that continue where
// the last one ended, mistakes in scripts, the pictures, the prompt.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "host_process.h"
#include "playground.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Lines(const std::string& text, std::size_t count) {
  std::string head;
  std::size_t at = 0;
  for (std::size_t i = 0; i < count && at < text.size(); ++i) {
    const std::size_t end = text.find('\n', at);
    head += text.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return head;
}

bool IsTool(const char* tool) { return tool[0] != '\0' && fs::exists(tool); }

// The size an SVG picture says it has, in pixels.
std::pair<double, double> SaidSize(const std::string& svg) {
  const std::size_t width = svg.find(" width=\""), height = svg.find(" height=\"");
  if (width == std::string::npos || height == std::string::npos) return {0, 0};
  return {std::stod(svg.substr(width + 8)), std::stod(svg.substr(height + 9))};
}

// Renders `picture` with rsvg-convert into a PNG beside it, expecting no complaint, and answers
// the PNG's size in pixels.
std::pair<double, double> RenderedSize(const fs::path& picture) {
  const fs::path png = fs::path(picture).replace_extension(".png");
  const fs::path complaints = fs::path(picture).replace_extension(".err");
  const std::string render = std::string(RSVG_CONVERT) + " -o '" + png.string() + "' '" +
                             picture.string() + "' 2>'" + complaints.string() + "'";
  EXPECT_EQ(std::system(render.c_str()), 0) << picture;
  EXPECT_EQ(ReadFile(complaints), "") << picture;
  const std::string image = ReadFile(png);
  fs::remove(png);
  fs::remove(complaints);
  if (image.size() <= 24 || image.substr(1, 3) != "PNG") {
    ADD_FAILURE() << "no PNG from " << picture;
    return {0, 0};
  }
  const auto big = [&](std::size_t at) {
    return (static_cast<unsigned char>(image[at]) << 24) |
           (static_cast<unsigned char>(image[at + 1]) << 16) |
           (static_cast<unsigned char>(image[at + 2]) << 8) |
           static_cast<unsigned char>(image[at + 3]);
  };
  return {big(16), big(20)};
}

// The widths of the bars drawn in `fill`, in the order drawn.
std::vector<double> BarWidths(const std::string& svg, const std::string& fill) {
  std::vector<double> widths;
  const std::string tail = "\" height=\"18\" fill=\"" + fill + "\"";
  for (std::size_t at = svg.find(tail); at != std::string::npos; at = svg.find(tail, at + 1)) {
    const std::size_t width = svg.rfind("width=\"", at);
    widths.push_back(std::stod(svg.substr(width + 7)));
  }
  return widths;
}

}  // namespace

TEST(Demo, PlaysTheSessionPrintedInItsTranscript) {
  TempDir root;
  CopyFolder(TRUCELOG_EXAMPLES "/demo-game", root.Path() / "build-demo/demo-game");
  const HostRun run = RunHost({"--game", "build-demo/demo-game", "--color=never",
                               BuildPath(TRUCELOG_EXAMPLES "/demo.session")},
                              root.Path());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  std::string expected = ReadFile(TRUCELOG_TESTDATA "/demo.transcript");
  // The transcript shows the Linux module; the host names the module it started.
  const std::string started = "\nStarted Trucelog.so;";
  ASSERT_NE(expected.find(started), std::string::npos);
  expected.replace(expected.find(started), started.size(), "\nStarted " TRUCELOG_MODULE_NAME ";");
  if (run.out != expected) {
    const fs::path actual = fs::current_path() / "demo.transcript.actual";
    std::ofstream(actual, std::ios::binary) << run.out;
    ADD_FAILURE() << "the demo printed something else; what it printed is in " << actual
                  << "\n(compare it with tests/console_host/demo.transcript)";
  }
  const std::string store = ReadFile(root.Path() / "build-demo/demo-game" / kStore);
  EXPECT_TRUE(Contains(store, "@Beta/Xar\r\n")) << "the bare memo moved to its full key";
  EXPECT_TRUE(Contains(store, "Sar,12,20,OB\r\n"));
  EXPECT_TRUE(fs::exists(root.Path() / "build-demo/demo-game/timeline.svg"));
}

TEST(Session, ARestartedSessionFindsThePactsTheSettingsAndTheDictionaryOfTheLast) {
  Playground playground;
  const HostRun first = playground.Play(kStartAlpha + kSignKelWithACondition +
                                        "config\n"
                                        "choose \"Use column\" Custom3\n"
                                        "type \"Default pact length\" 7\n"
                                        "ok\n"
                                        "menu main \"Pact warnings\"\n"
                                        "window 1 move 40 30 520 200\n");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kSettings), "Trucelog\\pos\\left = 40\n"));

  const HostRun second = playground.Play(kStartAlpha +
                                         "call GetPact Kel\n"
                                         "table\n"
                                         "select races Lum\n"
                                         "tick \"Open borders\"\n"
                                         "ok\n"
                                         "menu races \"Sign treaty\"\n"
                                         "menu main \"Pact warnings\"\n");
  ASSERT_EQ(second.status, 0) << second.err << second.out;
  EXPECT_TRUE(Contains(second.out, "GetPact(Kel) = 30\n")) << "the pact signed in the first";
  EXPECT_TRUE(Contains(second.out, "Custom3 (20)"));
  // The status went to Custom3 (cell 20), the conditions stay in Custom1 (cell 18).
  EXPECT_TRUE(Contains(second.out, "  Kel               OB                          Pact(30)\n"))
      << second.out;
  EXPECT_TRUE(Contains(second.out, "till the turn  [19  ]")) << "turn 12 and the length of 7";
  EXPECT_TRUE(Contains(second.out, "[ ] Open borders")) << "the condition added in the first";
  EXPECT_TRUE(Contains(second.out, "at 40,30 size 520x200")) << "where the window was left";
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kStore), "Lum,12,19,OB\r\n"));
}

TEST(Session, AMistakeStopsTheScriptWhereItIsAndLeavesTheFolderAsTheLineBeforeLeftIt) {
  struct Case {
    std::vector<std::string> lines;  // after the start and a signing
    std::size_t bad;                 // the line that is wrong, counted in `lines` from 0
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"table", "tabel", "table"}, 1, "unknown command \"tabel\" (did you mean table?)"},
      {{"report Alpha"}, 0, "missing the game or the turn: expected report GAME TURN"},
      {{"report Alpha twelve"},
       0,
       "expected the turn as a number from 0 to 2147483646 (the last turn the client accepts), "
       "got \"twelve\""},
      {{"game Delta Xar turn 2147483647"}, 0, "from 0 to 2147483646 (the last turn the client"},
      {{"select races Lum Vorr"},
       0,
       "the client has no race \"Vorr\" in Alpha (did you mean Vor?): its races are Xar, Vor, "
       "Lum, Kel"},
      {{"select relations Xar lum"}, 0, "no race \"lum\" in Alpha (did you mean Lum?)"},
      {{"planet Dro"}, 0, "the client has no race \"Dro\" in Alpha: its races are"},
      {{"activate Gamma", "table"}, 0, "the client has no game \"Gamma\": it has \"Alpha\""},
      {{"menu main \"Pact warnings\"", "window 1 move 2147483000 0 1000 10"},
       1,
       "window 1 would reach past 2147483647"},
      {{"menu races Sign treaty"}, 0, "too many words (quote an item with blanks)"},
      {{"select races Lum", "type Until 30", "ok", "menu races sign"},
       1,
       "the \"Sign treaty\" dialog has no text field \"Until\": expected one of \"With\", "
       "\"From turn\", \"till the turn\""},
      {{"select races Lum", "yes", "menu races \"Sign treaty\""},
       1,
       "\"yes\" answers a confirmation, but the \"Sign treaty\" dialog is open"},
      {{"select races Lum Vor", "menu races \"Break treaty\""},
       1,
       "the confirmation \"Are you sure you want to break treaty with 2 race(s)?\" opened and "
       "nothing answered it"},
      {{"yes", "table"}, 0, "\"yes\" was given ahead, but nothing opened to take it"},
  };
  const std::string before = kStartAlpha + kSignKelWithACondition;
  const std::size_t beforeLines = 2 + 9;
  for (const Case& mistake : cases) {
    std::string script = before, upToIt = before;
    for (std::size_t i = 0; i < mistake.lines.size(); ++i) {
      script += mistake.lines[i] + "\n";
      if (i < mistake.bad) upToIt += mistake.lines[i] + "\n";
    }
    Playground failing, stopping;
    const HostRun run = failing.Play(script);
    EXPECT_EQ(run.status, 2) << script;
    const std::string where =
        "session1.txt:" + std::to_string(beforeLines + mistake.bad + 1) + ": ";
    EXPECT_EQ(run.err.substr(0, where.size()), where) << run.err;
    EXPECT_TRUE(Contains(run.err, mistake.message)) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    ASSERT_EQ(stopping.Play(upToIt).status, 0);
    EXPECT_EQ(failing.Folder(), stopping.Folder()) << mistake.lines[mistake.bad];
  }
}

TEST(Session, BadOptionsAndModulesSayWhatIsWrong) {
  TempDir folder;
  const HostRun help = RunHost({"--help"}, folder.Path());
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Contains(help.out, "usage: trucelog-host [options] [SCRIPT]"));

  EXPECT_EQ(RunHost({"-h"}, folder.Path()).out, help.out);
  const HostRun version = RunHost({"--version"}, folder.Path());
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("trucelog-host ", 0), 0u) << version.out;
  EXPECT_NE(version.out.find_first_of("0123456789"), std::string::npos) << version.out;

  // A game folder that is a file: the system's reason follows.
  folder.Write("a-file", "not a folder");
  const HostRun file = RunHost({"--game", "a-file"}, folder.Path(), "quit\n");
  EXPECT_EQ(file.status, 1);
  const std::string cannot = "trucelog-host: cannot use the game folder a-file: ";
  EXPECT_EQ(file.err.rfind(cannot, 0), 0u) << file.err;
  EXPECT_GT(file.err.size(), cannot.size() + 2) << file.err;

  const HostRun unknown = RunHost({"--colour-me-blue"}, folder.Path());
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(Contains(unknown.err, "unknown option --colour-me-blue\nusage: trucelog-host"));
  EXPECT_EQ(RunHost({"--color=sometimes"}, folder.Path()).status, 2);
  EXPECT_EQ(RunHost({"--game"}, folder.Path()).status, 2);

  const HostRun missing = RunHost({"--module", "nowhere/Trucelog.so"}, folder.Path(), "table\n");
  EXPECT_EQ(missing.status, 3);
  EXPECT_TRUE(Contains(missing.err, "trucelog-host: cannot load the module "));
  const std::string reason = missing.err.substr(missing.err.find("Trucelog.so: ") + 13);
  EXPECT_GT(reason.size(), 1u) << "the system's reason follows: " << missing.err;
  EXPECT_EQ(reason.find("cannot load"), std::string::npos) << missing.err;
  EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
  EXPECT_EQ(missing.out, "") << "nothing starts, no game folder is made";

  const HostRun incomplete =
      RunHost({"--module", BuildPath(TRUCELOG_INCOMPLETE_MODULE)}, folder.Path(), "table\n");
  EXPECT_EQ(incomplete.status, 3);
  EXPECT_TRUE(Contains(incomplete.err, ": missing export ")) << incomplete.err;
  EXPECT_EQ(std::count(incomplete.err.begin(), incomplete.err.end(), '\n'), 1);
}

TEST(Session, WhatCannotBeUsedAtStartIsNamedWithTheSystemsReason) {
  Playground playground;
  fs::create_directories(playground.temp.Path() / "a-folder");
  const HostRun folder = RunHost({"--game", "game", "a-folder"}, playground.temp.Path());
  EXPECT_EQ(folder.status, 2);
  EXPECT_EQ(folder.err, "trucelog-host: cannot read the script a-folder: " +
                            std::make_error_code(std::errc::is_a_directory).message() + "\n");

  playground.temp.Write("blocked/PLUGINS", "a file where the folder goes");
  const HostRun plugins = RunHost({"--game", "blocked"}, playground.temp.Path(), "quit\n");
  EXPECT_EQ(plugins.status, 1);
  EXPECT_EQ(plugins.err.rfind("trucelog-host: cannot use the game folder blocked: PLUGINS: ", 0),
            0u)
      << plugins.err;
  EXPECT_FALSE(Contains(plugins.err, std::make_error_code(std::errc::file_exists).message()))
      << plugins.err;

#ifndef _WIN32
  // The host asks the system for its temporary folder, which reads TMPDIR.
  const char* const was = std::getenv("TMPDIR");
  const std::string kept = was ? was : "";
  setenv("TMPDIR", (playground.temp.Path() / "nowhere").c_str(), 1);
  const HostRun missing = RunHost({}, playground.temp.Path(), "quit\n");
  setenv("TMPDIR", (playground.temp.Path() / "a-file").c_str(), 1);
  playground.temp.Write("a-file", "not a folder");
  const HostRun file = RunHost({}, playground.temp.Path(), "quit\n");
  if (was) {
    setenv("TMPDIR", kept.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(Contains(missing.err, "cannot create a game folder in " +
                                        (playground.temp.Path() / "nowhere").string() + ": "))
      << missing.err;
  EXPECT_TRUE(
      Contains(file.err, "a-file: " + std::make_error_code(std::errc::not_a_directory).message()))
      << file.err;
#endif
}

TEST(Session, TheOwnRaceOfAGameIsOneOfItsRaces) {
  Playground playground;
  const HostRun lacking = playground.Play("game A Zzz races Me Vor\n");
  EXPECT_EQ(lacking.status, 2);
  EXPECT_TRUE(
      Contains(lacking.err, ":1: the client has no race \"Zzz\" in A: its races are Me, Vor\n"))
      << lacking.err;
  EXPECT_FALSE(Contains(lacking.out, "client: the games list is now")) << "nothing was added";

  // Without a races list any race goes; with one, given now or before, the race must be in it.
  const HostRun changed =
      playground.Play("game A Me\ngame A Me races Me Vor\ngame A Vor turn 3\ngame A Lum\n");
  EXPECT_EQ(changed.status, 2);
  EXPECT_TRUE(Contains(changed.err, ":4: the client has no race \"Lum\" in A")) << changed.err;
  EXPECT_TRUE(Contains(changed.out, "client: the games list is now A (Vor, turn 3)"))
      << changed.out;
}

TEST(Session, AWindowLeftOutOfSightReopensInsideTheMainWindowNextSession) {
  Playground playground;
  const HostRun far = playground.Play(kStartAlpha +
                                      "menu main \"Pact warnings\"\n"
                                      "window 1 move 99999 99999\n");
  ASSERT_EQ(far.status, 0) << far.err;
  ASSERT_TRUE(Contains(far.out, "at 99999,99999 size 500x300")) << far.out;
  const HostRun next = playground.Play(kStartAlpha + "menu main \"Pact warnings\"\n");
  ASSERT_EQ(next.status, 0) << next.err;
  // Kept whole against the main window's far corner, its size as it was.
  EXPECT_TRUE(Contains(next.out, "active, at 524,468 size 500x300\n")) << next.out;
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kSettings), "Trucelog\\pos\\left = 524\n"));
}

TEST(Session, WithoutAGameFolderAFreshOneIsMadeAndNamedFirst) {
  TempDir folder;
  const HostRun run = RunHost({"--color=never"}, folder.Path(), "quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string first = Lines(run.out, 1);
  ASSERT_TRUE(Contains(first, "Game folder: ")) << run.out;
  EXPECT_TRUE(Contains(first, " (new; the store file: PLUGINS/Trucelog.ini)\n")) << first;
  const std::string made = first.substr(13, first.find(" (new") - 13);
  EXPECT_TRUE(fs::is_directory(made)) << made;
  EXPECT_TRUE(fs::is_directory(fs::path(made) / "PLUGINS")) << "where the store file goes";
  EXPECT_TRUE(fs::exists(fs::path(made) / kSettings)) << "OnClose saved the window position";
  fs::remove_all(made);
}

TEST(Session, ANewGameFolderGetsItsPluginsFolderSoThePactsLandAndTheFirstLineSaysWhere) {
  TempDir root;
  const std::string sign = kStartAlpha + "select races Kel\ntype till 20\nok\nmenu races sign\n";
  const HostRun first = RunHost({"--game", "new/game", "--color=never", "-"}, root.Path(), sign);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(Lines(first.out, 1), "Game folder: new/game (the store file: PLUGINS/Trucelog.ini)\n");
  EXPECT_EQ(ReadFile(root.Path() / "new/game" / kStore), "@Alpha/Xar\r\nKel,12,20,\r\n\r\n");
  const HostRun second = RunHost({"--game", "new/game", "--color=never", "-"}, root.Path(),
                                 kStartAlpha + "call GetPact Kel\n");
  EXPECT_TRUE(Contains(second.out, "GetPact(Kel) = 20\n")) << second.out;

  // A folder the client's store file is in already, named in other letters: that one.
  root.Write("old/plugins/trucelog.ini", kAlphaStore);
  const HostRun old = RunHost({"--game", "old", "--color=never", "-"}, root.Path(), "store\n");
  ASSERT_EQ(old.status, 0) << old.err;
  EXPECT_EQ(Lines(old.out, 1), "Game folder: old (the store file: plugins/trucelog.ini)\n");
  EXPECT_TRUE(Contains(old.out, "\n  Lum,5,15,\n")) << old.out;
  int folders = 0;
  for (const auto& entry : fs::directory_iterator(root.Path() / "old"))
    folders += entry.is_directory();
  EXPECT_EQ(folders, 1) << "no second PLUGINS beside plugins";
}

TEST(Session, TheLastTurnTheClientAcceptsCostsWhatAnEarlyOneDoes) {
  Playground playground("@Delta/Xar\r\nVor,2147483640,2147483646,\r\n\r\n");
  const auto start = std::chrono::steady_clock::now();
  const HostRun run = playground.Play(
      "game Delta Xar turn 2147483646 races Xar Vor\nactivate Delta\nreport Delta 2147483646\n"
      "table\n",
      {"--trace"});
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_LT(took, std::chrono::seconds(10)) << "a list of every turn took minutes and gigabytes";
  EXPECT_TRUE(Contains(run.out,
                       "Parameter.1: \"Turns\", Parameters.Count: \"1\", RaceName: "
                       "\"Xar\", Turn: \"0\"} \xE2\x86\x92 {2147483647: \"2147483646\", "
                       "Count: \"2147483647\"}\n"))
      << run.out;
  EXPECT_TRUE(Contains(run.out, "Pact expiry warnings (Delta/Xar turn 2147483646)"));
  EXPECT_TRUE(Contains(run.out, "  Vor   Pact(2147483646)\n")) << run.out;
}

TEST(Session, OkOnTheSettingsPageLeavesTheFieldFirstAndTheEnterKeyDoesNot) {
  Playground playground;
  const HostRun run = playground.Play(kStartAlpha +
                                      "config\ntype \"Default pact length\" 250\nok\nsettings\n"
                                      "config\ntype \"Default pact length\" 250\nkey enter\n"
                                      "settings\n");
  ASSERT_EQ(run.status, 0) << run.err;
  // A click on OK takes the focus: the field left turns a length out of range into its default.
  EXPECT_TRUE(Contains(run.out,
                       "\xE2\x94\x82 \xC2\xBB ok\n\xE2\x94\x82   \xE2\x86\x92 \"Default pact "
                       "length\" shows \"10\"\n"))
      << run.out;
  const std::size_t corrected = run.out.find("\n  Trucelog\\DefLen = 10\n");
  ASSERT_NE(corrected, std::string::npos) << run.out;
  // Enter confirms where the focus is, as the keyboard's Enter does.
  EXPECT_NE(run.out.find("\n  Trucelog\\DefLen = 250\n", corrected), std::string::npos) << run.out;
}

TEST(Session, APlanetNobodyOwnsIsReportedSoTheLastOwnerIsNotTheTarget) {
  Playground playground("@Alpha/Xar\r\nKel,1,30,\r\n\r\n");
  const HostRun run = playground.Play(
      kStartAlpha + "planet Kel\nplanet\nmenu planet \"Break treaty\"\n", {"--trace"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out,
                       "trace: \xE2\x86\x92 OnPlanetChanged {GameName: \"Alpha\", Owner: \"\"}\n"));
  // A planet nobody owns names no race: nothing is asked and nobody is at war.
  EXPECT_FALSE(Contains(run.out, "race(s)?")) << run.out;
  EXPECT_FALSE(Contains(run.out, "declares war")) << run.out;
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kStore), "Kel,1,30,")) << "Kel's pact holds";
}

TEST(Session, AWindowPositionKeptFromFarOffIsShownWithoutOverflowing) {
  Playground playground;
  playground.temp.Write(std::string("game/") + kSettings,
                        "Trucelog\\pos\\left = -2147483648\nTrucelog\\pos\\top = -2147483648\n"
                        "Trucelog\\pos\\right = 2147483647\nTrucelog\\pos\\bottom = 2147483647\n");
  const HostRun run = playground.Play(kStartAlpha + "menu main \"Pact warnings\"\nwindows\n",
                                      {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "at -2147483648,-2147483648 size 4294967295x4294967295\n"))
      << run.out;
}

TEST(Session, TheSettingsShowTheClientsLettersAsTheStoreDoes) {
  Playground playground;
  playground.temp.Write(std::string("game/") + kSettings,
                        "Trucelog\\Conditions\\0\\string = %CD%E5%ED%E0%EF%E0%E4%E5%ED%E8%E5\n"
                        "two lines = a%0Ab\n");
  const HostRun run = playground.Play("settings\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out,
                       "\n  Trucelog\\Conditions\\0\\string = \xD0\x9D\xD0\xB5\xD0\xBD\xD0\xB0"
                       "\xD0\xBF\xD0\xB0\xD0\xB4\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5\n"))
      << run.out;
  EXPECT_TRUE(Contains(run.out, "\n  two lines = a\\x0Ab\n")) << run.out;
}

TEST(Session, TheTraceCountsKeysInOrderCutsLongListsAndShowsAWindowWithinItsCall) {
  Playground playground("@Alpha/Xar\r\nVor,1,12,\r\n\r\n");
  playground.temp.Write(std::string("game/") + kSettings, "Trucelog\\flags = 110111\n");
  std::string races, selected;
  for (int i = 1; i <= 12; ++i) races += " R" + std::to_string(i);
  for (int i = 1; i <= 10; ++i) selected += " R" + std::to_string(i);
  const HostRun run = playground.Play("game Alpha Xar turn 12 races Xar Vor" + races +
                                          "\nactivate Alpha\nselect races" + selected +
                                          "\nno\nmenu races \"Break treaty\"\n",
                                      {"--trace"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out,
                       "\xE2\x86\x92 {1: \"R1\", 2: \"R2\", 3: \"R3\", 4: \"R4\", "
                       "\xE2\x80\xA6 4 more \xE2\x80\xA6, 9: \"R9\", 10: \"R10\", "
                       "Count: \"10\"}\n"))
      << run.out;
  const std::size_t window = run.out.find("\xE2\x94\x8C\xE2\x94\x80 window 1: ");
  const std::size_t returned = run.out.find("trace: \xE2\x86\x90 OnGamesListModified");
  ASSERT_NE(window, std::string::npos) << run.out;
  EXPECT_LT(window, returned) << "the window the games list opened shows within that call";
}

TEST(Session, TheTraceShowsEveryCallBetweenClientAndPlugInInOrder) {
  Playground playground;
  const HostRun run = playground.Play(
      kStartAlpha + "select races Vor\nyes\nmenu races \"Break treaty\"\n", {"--trace"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> expected = {
      "trace: \xE2\x86\x92 OnLoad",
      "trace: \xE2\x86\x92 OnInitialize {DataManager: ",
      "trace:   plug-in calls ReadRegistry {Function: \"ReadRegistry\", Name: "
      "\"Trucelog\\DefLen\"}",
      "trace: \xE2\x86\x90 OnInitialize answered {1:1: \"Sign treaty\"",
      "trace: \xE2\x86\x92 OnGamesListModified {Count: \"1\", Game.1: \"Alpha\", Race.1: \"Xar\"}",
      "trace:   plug-in calls List {Function: \"List\", GameName: \"Alpha\", Parameter.1: "
      "\"Turns\"",
      "trace: \xE2\x86\x92 OnActivate {GameName: \"Alpha\", RaceName: \"Xar\"}",
      "trace: \xE2\x86\x92 OnUserCommand {Command: \"Break treaty\", GameName: \"Alpha\", "
      "RaceName: "
      "\"Xar\", SID: \"51467\", Turn: \"12\"}",
      "trace:   plug-in calls Selection {Function: \"Selection\", GameName: \"Alpha\", "
      "Parameter.1: "
      "\"51467\", Parameter.2: \"Name\", Parameters.Count: \"2\", RaceName: \"Xar\", Turn: \"12\"} "
      "\xE2\x86\x92 {1: \"Vor\", Count: \"1\"}",
      "\xE2\x94\x8C\xE2\x94\x80 Trucelog",
      "trace:   plug-in calls Add {Function: \"Add\", GameName: \"Alpha\", Parameter.1: "
      "\"DeclareWar\", "
      "Parameter.2: \"Vor\"",
      "client: declares war on Vor",
      "trace:   plug-in calls Refresh {",
      "trace: \xE2\x86\x90 OnUserCommand",
      "trace: \xE2\x86\x92 OnClose",
      "trace:   plug-in calls WriteRegistry {Function: \"WriteRegistry\", Name: "
      "\"Trucelog\\pos\\left\"",
      "trace: \xE2\x86\x90 OnClose",
  };
  std::size_t at = 0;
  for (const std::string& line : expected) {
    const std::size_t found = run.out.find("\n" + line, at);
    ASSERT_NE(found, std::string::npos) << "not found in order: " << line << "\n" << run.out;
    at = found + 1;
  }
}

TEST(Session, ColoursGoToTerminalsOnlyAndAScriptMayComeOnStandardInput) {
  Playground playground;
  const std::string script = kStartAlpha + "menu main \"Pact warnings\"\n";
  const HostRun plain = RunHost({"--game", "game"}, playground.temp.Path(), script);
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_TRUE(Contains(plain.out, "\n\xE2\x94\x82 dark red \xE2\x94\x82 Pact with Vor will expire"))
      << "a pipe is not a terminal: the colours are named";
  EXPECT_FALSE(Contains(plain.out, "\x1b["));
  const HostRun coloured =
      RunHost({"--game", "game", "--color=always"}, playground.temp.Path(), script);
  EXPECT_TRUE(Contains(coloured.out, "\x1b[48;2;112;0;0m\x1b[38;2;255;255;255m Pact with Vor"));
  EXPECT_TRUE(Contains(coloured.out, "\x1b[48;2;96;96;96m")) << "Lum's grey band";
  // Each band's colours end on its own line, so the box's side below stays plain.
  for (std::size_t at = coloured.out.find("\x1b[48;"); at != std::string::npos;
       at = coloured.out.find("\x1b[48;", at + 1)) {
    const std::size_t end = coloured.out.find('\n', at);
    EXPECT_EQ(coloured.out.rfind("\x1b[0m", end), end - 4) << coloured.out.substr(at, end - at);
  }

  // Typed in UTF-8, the race reaches the plug-in, and its file, in the client's code page.
  const HostRun cyrillic =
      RunHost({"--game", "game", "-"}, playground.temp.Path(),
              kStartAlpha +
                  "races Alpha Xar \xD0\x92\xD0\xBE\xD1\x80\n"
                  "select races \xD0\x92\xD0\xBE\xD1\x80\ntype till 13\nok\nmenu races sign\n");
  ASSERT_EQ(cyrillic.status, 0) << cyrillic.err;
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kStore), "\r\n\xC2\xEE\xF0,12,13,\r\n"));
  EXPECT_TRUE(Contains(cyrillic.out, "With  [\xD0\x92\xD0\xBE\xD1\x80 "));

  const HostRun mistaken =
      RunHost({"--game", "game", "-"}, playground.temp.Path(), kStartAlpha + "report Gamma 3\n");
  EXPECT_EQ(mistaken.status, 2);
  EXPECT_EQ(mistaken.err, "stdin:3: the client has no game \"Gamma\": it has \"Alpha\"\n");
}

TEST(Session, AColouredBandEndsItsColoursBeforeItsLineEndEvenWhenItsTextHoldsLineEnds) {
  // A condition whose text, from the client's settings, ends in CR LF: the warning window draws
  // it on a band of its own.
  Playground playground("@Alpha/Xar\r\nVor,1,12,NA\r\n\r\n");
  playground.temp.Write(std::string("game/") + kSettings,
                        "Trucelog\\Conditions = 1\n"
                        "Trucelog\\Conditions\\0 = NA\n"
                        "Trucelog\\Conditions\\0\\string = Non-aggression%0D%0A\n"
                        "Trucelog\\flags = 110111\n");
  const std::string script = kStartAlpha + "menu main \"Pact warnings\"\n";
  for (const char* colour : {"--color=always", "--color=never"}) {
    const HostRun run = RunHost({"--game", "game", colour}, playground.temp.Path(), script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Non-aggression\\x0D\\x0A")) << colour << "\n" << run.out;
    std::size_t bands = 0;
    for (std::size_t at = run.out.find("\x1b["); at != std::string::npos;
         at = run.out.find("\x1b[", run.out.find('\n', at))) {
      const std::size_t end = run.out.find('\n', at);
      ASSERT_NE(end, std::string::npos);
      EXPECT_EQ(run.out.rfind("\x1b[0m", end), end - 4) << run.out.substr(at, end - at);
      EXPECT_EQ(run.out.compare(end + 1, 2, "\xE2\x94"), 0)
          << "the line after a band begins with the box's side, uncoloured";
      ++bands;
    }
    if (std::string(colour) == "--color=always") {
      EXPECT_GE(bands, 2u) << "the pact's band and its condition's" << run.out;
    } else {
      EXPECT_EQ(bands, 0u) << run.out;
    }
  }
}

TEST(Pictures, ALongGameNameIsCutFromTheFileNamesAndKeptWholeInTheTitles) {
  Playground playground("");
  const std::string name(240, 'Z');
  const HostRun run = playground.Play("game " + name + " Xar turn 12 races Xar Vor\nactivate " +
                                          name + "\nmenu main \"Pact warnings\"\n",
                                      {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<fs::path> pictures;
  for (const auto& entry : fs::directory_iterator(playground.temp.Path() / "pictures"))
    pictures.push_back(entry.path());
  ASSERT_EQ(pictures.size(), 1u);
  const std::string file = pictures[0].filename().string();
  EXPECT_LE(file.size(), 3 + 80 + 4) << file;
  EXPECT_EQ(file.rfind("01-window-1-pact-expiry-warnings-zzz", 0), 0u) << file;
  EXPECT_TRUE(Contains(ReadFile(pictures[0]), "<title>Pact expiry warnings (" + name + "/Xar"));
}

TEST(Pictures, APictureThatCannotBeWrittenEndsTheSessionWithItsReasonAfterClosingTheBox) {
  Playground playground;
  playground.temp.Write("not-a-folder", "a file");
  const HostRun run = playground.Play(kStartAlpha + "config\nchoose \"Use column\" Custom2\nok\n",
                                      {"--snapshots", "not-a-folder"});
  EXPECT_EQ(run.status, 4);
#ifdef _WIN32
  // Windows finds no such path where a file stands for a folder.
  const std::errc reason = std::errc::no_such_file_or_directory;
#else
  const std::errc reason = std::errc::not_a_directory;
#endif
  EXPECT_EQ(run.err, "trucelog-host: cannot write the picture " +
                         (playground.temp.Path() / "not-a-folder").string() +
                         "/01-settings-trucelog.svg: " + std::make_error_code(reason).message() +
                         "\n");
  EXPECT_TRUE(Contains(run.out, "\xE2\x94\x94\xE2\x94\x80 Cancel\n\nThe session ends: "))
      << run.out;
  EXPECT_FALSE(Contains(run.out, "choose")) << "no line after the picture's ran";
  EXPECT_FALSE(Contains(run.out, "(picture ")) << run.out;
}

TEST(Pictures, MaximiseMinimiseRestoreAndMoveAreDrawnAndANewWindowOpensAsTheActiveOneStands) {
  Playground playground;
  const HostRun run = playground.Play(kStartAlpha +
                                          "menu main \"Pact warnings\"\n"
                                          "window 1 maximise\n"
                                          "menu main \"Pact warnings\"\n"
                                          "windows\n"
                                          "window 2 minimize\n"
                                          "window 2 restore\n"
                                          "window 1 move 10 20\n"
                                          "window 1 activate\n"
                                          "window 1 escape\n",
                                      {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  // The frame opens a window maximised over a maximised one, which goes back to its place.
  EXPECT_TRUE(Contains(run.out,
                       "window 2: Pact expiry warnings (Alpha/Xar turn 12) \xE2\x80\x94 "
                       "maximised, active"))
      << run.out;
  EXPECT_TRUE(Contains(run.out,
                       "window 1: Pact expiry warnings (Alpha/Xar turn 12) \xE2\x80\x94 "
                       "open, at 0,0 size 500x300\n"))
      << run.out;
  const fs::path pictures = playground.temp.Path() / "pictures";
  const auto size = [&](const std::string& name) {
    const std::string svg = ReadFile(pictures / name);
    const std::size_t at = svg.find("width=\"");
    return at == std::string::npos ? std::string() : svg.substr(at, svg.find('>', at) - at);
  };
  EXPECT_TRUE(Contains(size("02-window-1-maximized-pact-expiry-warnings-alpha-xar-turn-12.svg"),
                       "width=\"1024\" height=\"768\""));
  EXPECT_TRUE(Contains(size("03-window-2-pact-expiry-warnings-alpha-xar-turn-12.svg"),
                       "width=\"1024\" height=\"768\""));
  EXPECT_TRUE(Contains(size("04-window-2-minimized-pact-expiry-warnings-alpha-xar-turn-12.svg"),
                       "width=\"160\" height=\"22\""));
  EXPECT_TRUE(Contains(size("05-window-2-restored-pact-expiry-warnings-alpha-xar-turn-12.svg"),
                       "width=\"500\" height=\"300\""));
  EXPECT_TRUE(Contains(size("06-window-1-moved-pact-expiry-warnings-alpha-xar-turn-12.svg"),
                       "width=\"500\" height=\"300\""));
  EXPECT_FALSE(fs::exists(pictures / "07-window-1-pact-expiry-warnings-alpha-xar-turn-12.svg"))
      << "activating or a key changes nothing to draw";
  EXPECT_EQ(std::distance(fs::directory_iterator(pictures), fs::directory_iterator()), 6);
}

TEST(Pictures, NewPicturesFollowThoseAlreadyInTheFolder) {
  Playground playground;
  playground.temp.Write("pictures/01-old.svg", "<svg/>");
  playground.temp.Write("pictures/07-older.svg", "<svg/>");
  playground.temp.Write("pictures/notes-12.txt", "");
  const HostRun run =
      playground.Play(kStartAlpha + "menu main \"Pact warnings\"\n", {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "(picture 08-window-1-pact-expiry-warnings-alpha-xar-turn-12.svg)"))
      << run.out;
  EXPECT_EQ(playground.temp.Read("pictures/01-old.svg"), "<svg/>");
}

TEST(Pictures, EveryPictureOfTheDemoRendersWithARealSvgRenderer) {
  if (!IsTool(RSVG_CONVERT)) {
    GTEST_SKIP() << "no rsvg-convert to render the pictures with: not installed (librsvg2-bin), "
                    "or a Windows build, whose test programs cannot run it";
  }
  TempDir root;
  CopyFolder(TRUCELOG_EXAMPLES "/demo-game", root.Path() / "game");
  const HostRun run = RunHost({"--game", "game", "--color=never", "--snapshots", "pictures",
                               BuildPath(TRUCELOG_EXAMPLES "/demo.session")},
                              root.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<fs::path> pictures;
  for (const auto& entry : fs::directory_iterator(root.Path() / "pictures")) {
    pictures.push_back(entry.path());
  }
  EXPECT_EQ(pictures.size(), 11u) << "windows, dialogs, the confirmation, settings, timeline";
  for (const fs::path& picture : pictures) {
    // As large as the picture says it is: the renderer read it whole.
    const auto [width, height] = SaidSize(ReadFile(picture));
    const auto [renderedWidth, renderedHeight] = RenderedSize(picture);
    EXPECT_NEAR(renderedWidth, width, 1) << picture;
    EXPECT_NEAR(renderedHeight, height, 1) << picture;
  }
}

TEST(Pictures, TheTimelineDrawsTurnsToOneScaleAndNamesTheStretchItShortens) {
  Playground playground("@Alpha/Xar\r\nVor,100,199,NA\r\nLum,901,950,\r\n\r\n");
  const HostRun run =
      playground.Play("game Alpha Xar turn 950 races Xar Vor Lum\nactivate Alpha\ntimeline\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string svg = ReadFile(playground.Game() / "timeline.svg");
  EXPECT_TRUE(Contains(svg,
                       ">turns 200\xE2\x80\x93"
                       "900 shortened<"))
      << svg;
  // Vor's hundred turns, ended, twice as wide as Lum's fifty, in force.
  const std::vector<double> vor = BarWidths(svg, "#606060"), lum = BarWidths(svg, "#207000");
  ASSERT_EQ(vor.size(), 1u) << svg;
  ASSERT_EQ(lum.size(), 1u) << svg;
  EXPECT_NEAR(vor[0] / lum[0], 2, 0.01) << vor[0] << " and " << lum[0];
  // The 700 turns between them take less than either.
  EXPECT_LT(SaidSize(svg).first, 2 * vor[0] + 300);
  if (!IsTool(RSVG_CONVERT)) {
    GTEST_SKIP() << "no rsvg-convert to render the timeline with: not installed (librsvg2-bin), "
                    "or a Windows build, whose test programs cannot run it";
  }
  const auto [width, height] = SaidSize(svg);
  const auto [renderedWidth, renderedHeight] = RenderedSize(playground.Game() / "timeline.svg");
  EXPECT_NEAR(renderedWidth, width, 1);
  EXPECT_NEAR(renderedHeight, height, 1);
}

namespace {

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// The <text> element that writes `text`, whole; empty when there is none.
std::string TextElement(const std::string& svg, const std::string& text) {
  const std::size_t at = svg.find(">" + text + "</text>");
  if (at == std::string::npos) return "";
  const std::size_t begin = svg.rfind("<text ", at);
  return svg.substr(begin, at - begin + 1);
}

std::string Attribute(const std::string& element, const std::string& name) {
  const std::size_t at = element.find(" " + name + "=\"");
  if (at == std::string::npos) return "";
  const std::size_t begin = at + name.size() + 3;
  return element.substr(begin, element.find('"', begin) - begin);
}

}  // namespace

TEST(Pictures, TheRaceTableIsDrawnAsTheClientShowsItWithThePactCellsAndTheSelection) {
  Playground playground;
  const std::string script = kStartAlpha + kSignKelWithACondition +
                             "select races Lum Vor\n"
                             "table picture\n"
                             "table picture mine.svg\n";
  const HostRun run = playground.Play(script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out, "(picture game/table.svg)\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "(picture mine.svg)\n")) << run.out;
  const std::string svg = ReadFile(playground.Game() / "table.svg");
  EXPECT_EQ(svg, playground.temp.Read("mine.svg"));
  EXPECT_TRUE(Contains(svg, "<title>Race table of Alpha (Xar, turn 12)</title>"));
  for (const char* column : {"Name", "Drive", "Status", "Notes", "Custom1", "Custom2", "Custom3"}) {
    EXPECT_NE(TextElement(svg, column), "") << column;
  }
  // The cells the plug-in filled, on their race's line; the client's own status on Xar's.
  const std::string kel = TextElement(svg, "Kel");
  const std::string pact = TextElement(svg, "Pact(30)");
  const std::string condition = TextElement(svg, "OB");
  ASSERT_NE(pact, "") << svg;
  ASSERT_NE(condition, "") << svg;
  EXPECT_EQ(Attribute(pact, "y"), Attribute(kel, "y"));
  EXPECT_EQ(Attribute(condition, "y"), Attribute(kel, "y"));
  EXPECT_GT(std::stod(Attribute(condition, "x")), std::stod(Attribute(pact, "x")))
      << "Custom1 lies right of Status";
  EXPECT_EQ(Attribute(TextElement(svg, "you"), "y"), Attribute(TextElement(svg, "Xar"), "y"));
  // Lum and Vor selected: white on the highlight, the others black on white.
  for (const char* race : {"Lum", "Vor"}) {
    EXPECT_EQ(Attribute(TextElement(svg, race), "fill"), "#ffffff") << race;
  }
  for (const char* race : {"Xar", "Kel"}) {
    EXPECT_EQ(Attribute(TextElement(svg, race), "fill"), "#000000") << race;
  }
  EXPECT_EQ(Occurrences(svg, "fill=\"#0a246a\""), 3u) << "the caption bar and two lines";

  // Into the snapshots folder, numbered with the others.
  const HostRun snapped =
      playground.Play(kStartAlpha + "table picture\n", {"--snapshots", "pictures"});
  ASSERT_EQ(snapped.status, 0) << snapped.err;
  EXPECT_TRUE(Contains(snapped.out, "(picture pictures/01-race-table-alpha-xar.svg)\n"))
      << snapped.out;
  const HostRun wrong = playground.Play(kStartAlpha + "table pictures\n");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_TRUE(Contains(wrong.err, "expected table, or table picture [FILE]")) << wrong.err;

  if (!IsTool(RSVG_CONVERT)) {
    GTEST_SKIP() << "no rsvg-convert to render the table with: not installed (librsvg2-bin), "
                    "or a Windows build, whose test programs cannot run it";
  }
  const auto [width, height] = SaidSize(svg);
  const auto [renderedWidth, renderedHeight] = RenderedSize(playground.Game() / "table.svg");
  EXPECT_NEAR(renderedWidth, width, 1);
  EXPECT_NEAR(renderedHeight, height, 1);
  EXPECT_NEAR(height, 20 + 4 + 20 + 4 * 18 + 4, 1) << "caption, headers, four races";
}

TEST(Pictures, ARaceTableTooLongForOnePictureIsDrawnOnNumberedPagesEachWithItsHeaders) {
  Playground playground("");
  std::string races = "Xar";
  for (int i = 1; i < 1000; ++i) races += " R" + std::to_string(i);
  const std::string start = "game Big Xar turn 12 races " + races + "\nactivate Big\n";
  const HostRun run = playground.Play(start +
                                          "select races R999\ntable picture\n"
                                          "table picture big.svg\n",
                                      {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Contains(run.out,
                       "(picture pictures/01-race-table-big-xar-page-1-of-2.svg, "
                       "pictures/02-race-table-big-xar-page-2-of-2.svg)\n"))
      << Lines(run.out, 20);
  EXPECT_TRUE(Contains(run.out, "(picture big-page-1.svg, big-page-2.svg)\n"));
  const fs::path pictures = playground.temp.Path() / "pictures";
  const std::string first = ReadFile(pictures / "01-race-table-big-xar-page-1-of-2.svg");
  const std::string second = ReadFile(pictures / "02-race-table-big-xar-page-2-of-2.svg");
  EXPECT_EQ(first, playground.temp.Read("big-page-1.svg"));
  EXPECT_EQ(second, playground.temp.Read("big-page-2.svg"));
  EXPECT_TRUE(Contains(first, "<title>Race table of Big (Xar, turn 12), page 1 of 2</title>"));
  EXPECT_TRUE(Contains(second, "<title>Race table of Big (Xar, turn 12), page 2 of 2</title>"));
  // Every race once, in order, each page under its own headers; the selection on the second.
  EXPECT_NE(TextElement(first, "Xar"), "");
  EXPECT_NE(TextElement(first, "R906"), "");
  EXPECT_EQ(TextElement(first, "R907"), "");
  EXPECT_NE(TextElement(second, "R907"), "");
  EXPECT_NE(TextElement(second, "R999"), "");
  for (const std::string* page : {&first, &second}) {
    EXPECT_NE(TextElement(*page, "Custom3"), "");
    const auto [width, height] = SaidSize(*page);
    EXPECT_LE(width, 16384);
    EXPECT_LE(height, 16384);
  }
  EXPECT_EQ(Attribute(TextElement(second, "R999"), "fill"), "#ffffff");
  EXPECT_EQ(Occurrences(first, "fill=\"#0a246a\""), 1u) << "no selection there";

  if (!IsTool(RSVG_CONVERT)) {
    GTEST_SKIP() << "no rsvg-convert to render the pages with: not installed (librsvg2-bin), "
                    "or a Windows build, whose test programs cannot run it";
  }
  for (const char* page :
       {"01-race-table-big-xar-page-1-of-2.svg", "02-race-table-big-xar-page-2-of-2.svg"}) {
    const auto [width, height] = SaidSize(ReadFile(pictures / page));
    const auto [renderedWidth, renderedHeight] = RenderedSize(pictures / page);
    EXPECT_NEAR(renderedWidth, width, 1) << page;
    EXPECT_NEAR(renderedHeight, height, 1) << page;
  }
}

TEST(Pictures, ATimelineOfAThousandRacesIsDrawnOnNumberedPagesEachAWholePicture) {
  std::string store = "@Big/Xar\r\n";
  for (int i = 1; i <= 1000; ++i) {
    store += "R" + std::to_string(i) + "," + std::to_string(1000 + i % 40) + "," +
             std::to_string(1100 + i % 60) + ",NA\r\n";
  }
  Playground playground(store + "\r\n");
  const std::string start = "game Big Xar turn 1200\nactivate Big\n";
  const HostRun run =
      playground.Play(start + "timeline\ntimeline tl.svg\n", {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  const fs::path folder = playground.temp.Path() / "pictures";
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(folder)) pages.push_back(entry.path());
  std::sort(pages.begin(), pages.end());
  ASSERT_GE(pages.size(), 2u);
  std::string listed;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string of =
        "page-" + std::to_string(i + 1) + "-of-" + std::to_string(pages.size()) + ".svg";
    EXPECT_EQ(pages[i].filename().string(),
              (i < 9 ? "0" : "") + std::to_string(i + 1) + "-timeline-big-xar-" + of);
    listed += (i == 0 ? "" : ", ") + ("pictures/" + pages[i].filename().string());
    EXPECT_EQ(ReadFile(pages[i]),
              playground.temp.Read("tl-page-" + std::to_string(i + 1) + ".svg"));
  }
  EXPECT_TRUE(Contains(run.out, "(from the store file): " + listed + "\n")) << Lines(run.out, 12);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string svg = ReadFile(pages[i]);
    EXPECT_TRUE(Contains(svg, "<title>Pacts of Big/Xar, page " + std::to_string(i + 1) + " of " +
                                  std::to_string(pages.size()) + "</title>"));
    EXPECT_TRUE(Contains(svg, ">turn 1200<")) << "the axis on each page";
    EXPECT_TRUE(Contains(svg, ">NA = (not in the dictionary)<")) << "the legend on each page";
    const auto [width, height] = SaidSize(svg);
    EXPECT_LE(width, 16384);
    EXPECT_LE(height, 16384);
  }
  EXPECT_TRUE(Contains(ReadFile(pages.front()), ">R1<"));
  EXPECT_TRUE(Contains(ReadFile(pages.back()), ">R999<")) << "sorted by name, R999 last";

  if (!IsTool(RSVG_CONVERT)) {
    GTEST_SKIP() << "no rsvg-convert to render the pages with: not installed (librsvg2-bin), "
                    "or a Windows build, whose test programs cannot run it";
  }
  for (const fs::path& page : pages) {
    const auto [width, height] = SaidSize(ReadFile(page));
    const auto [renderedWidth, renderedHeight] = RenderedSize(page);
    EXPECT_NEAR(renderedWidth, width, 1) << page;
    EXPECT_NEAR(renderedHeight, height, 1) << page;
  }
}

TEST(Pictures, WarningWindowsDialogsAndTheTimelineAreSvgWithTheirColoursAndRaces) {
  Playground playground;
  const HostRun run = playground.Play(kStartAlpha + "report Alpha 12\n" + kSignKelWithACondition +
                                          "menu main \"Pact warnings\"\n"
                                          "timeline\n",
                                      {"--snapshots", "pictures"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<fs::path> pictures;
  for (const auto& entry : fs::directory_iterator(playground.temp.Path() / "pictures")) {
    pictures.push_back(entry.path());
  }
  std::sort(pictures.begin(), pictures.end());
  ASSERT_GE(pictures.size(), 6u);
  const auto named = [&](const std::string& part) {
    for (const fs::path& picture : pictures) {
      if (Contains(picture.filename().string(), part)) return ReadFile(picture);
    }
    ADD_FAILURE() << "no picture named *" << part << "*";
    return std::string();
  };
  const std::string report = named("01-window-1-pact-expiry-warnings-alpha-xar-turn-12");
  EXPECT_TRUE(Contains(report, "fill=\"#700000\"")) << "Vor's band: it ends this turn";
  EXPECT_TRUE(Contains(report, ">Pact with Vor will expire at the turn 12 (after 0 turns)<"));
  const std::string all = named("window-2-pact-expiry-warnings");
  EXPECT_TRUE(Contains(all, "fill=\"#207000\"")) << "Kel's band, 18 turns ahead";
  EXPECT_TRUE(Contains(all, "fill=\"#606060\"")) << "Lum's band, 3 turns ahead, 5 the threshold";
  const std::string sign = named("sign-treaty-ok");
  EXPECT_TRUE(Contains(sign, ">Open borders<"));
  EXPECT_TRUE(Contains(sign, ">30<")) << "the turn typed";
  const std::string timeline = named("timeline-alpha-xar");
  for (const char* race : {">Kel<", ">Lum<", ">Vor<", ">OB = Open borders<"}) {
    EXPECT_TRUE(Contains(timeline, race)) << race;
  }

  if (!IsTool(XMLLINT)) {
    GTEST_SKIP() << "no xmllint to check the pictures with: not installed (libxml2-utils), or "
                    "a Windows build, whose test programs cannot run it";
  }
  for (const fs::path& picture : pictures) {
    const std::string check = std::string(XMLLINT) + " --noout '" + picture.string() + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << picture;
  }
}
