// The console host as people use it: the demo and its transcript, sessions that continue where
// the last one ended, mistakes in scripts, the pictures, the prompt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host_process.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kStore = "PLUGINS/Trucelog.ini";
constexpr const char* kSettings = "client-settings.txt";

// Alpha at turn 12, played as Xar; Vor's pact ends this turn, Lum's in 3.
const std::string kAlphaStore = "@Alpha/Xar\r\nVor,1,12,\r\nLum,5,15,\r\n\r\n";

const std::string kStartAlpha =
    "game Alpha Xar turn 12 races Xar Vor Lum Kel\n"
    "activate Alpha\n";

const std::string kSignKelWithACondition =
    "select races Kel\n"
    "type \"till the turn\" 30\n"
    "click Add\n"
    "type \"Main text\" \"Open borders\"\n"
    "type Abbreviation ob\n"
    "ok\n"
    "tick \"Open borders\"\n"
    "ok\n"
    "menu races \"Sign treaty\"\n";

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

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

// A game folder holding `store`, inside a fresh folder the host is started from.
struct Playground {
  explicit Playground(const std::string& store = kAlphaStore) {
    if (!store.empty()) temp.Write(std::string("game/") + kStore, store);
    fs::create_directories(Game());
  }
  fs::path Game() const { return temp.Path() / "game"; }
  HostRun Play(const std::string& script, std::vector<std::string> options = {}) const {
    const fs::path file = temp.Path() / ("session" + std::to_string(++runs) + ".txt");
    temp.Write(file.filename().string(), script);
    options.insert(options.begin(), {"--game", "game", "--color=never"});
    options.push_back(file.filename().string());
    return RunHost(options, temp.Path());
  }
  // The store file and the settings file: all a session leaves behind.
  std::string Folder() const {
    return ReadFile(Game() / kStore) + "\n--\n" + ReadFile(Game() / kSettings);
  }

  TempDir temp;
  mutable int runs = 0;
};

bool IsXmlTool(const char* tool) { return tool[0] != '\0' && fs::exists(tool); }

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
      {{"report Alpha twelve"}, 0, "expected the turn as a number of 0 or more, got \"twelve\""},
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

TEST(Session, WithoutAGameFolderAFreshOneIsMadeAndNamedFirst) {
  TempDir folder;
  const HostRun run = RunHost({"--color=never"}, folder.Path(), "quit\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string first = Lines(run.out, 1);
  ASSERT_TRUE(Contains(first, "Game folder: ")) << run.out;
  const std::string made = first.substr(13, first.find(" (new)") - 13);
  EXPECT_TRUE(fs::is_directory(made)) << made;
  EXPECT_TRUE(fs::exists(fs::path(made) / kSettings)) << "OnClose saved the window position";
  fs::remove_all(made);
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

  // Typed in UTF-8, the race reaches the plug-in, and its file, in the client's code page.
  const HostRun cyrillic = RunHost(
      {"--game", "game", "-"}, playground.temp.Path(),
      kStartAlpha + "select races \xD0\x92\xD0\xBE\xD1\x80\ntype till 13\nok\nmenu races sign\n");
  ASSERT_EQ(cyrillic.status, 0) << cyrillic.err;
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kStore), "\r\n\xC2\xEE\xF0,12,13,\r\n"));
  EXPECT_TRUE(Contains(cyrillic.out, "With  [\xD0\x92\xD0\xBE\xD1\x80 "));

  const HostRun mistaken =
      RunHost({"--game", "game", "-"}, playground.temp.Path(), kStartAlpha + "report Gamma 3\n");
  EXPECT_EQ(mistaken.status, 2);
  EXPECT_EQ(mistaken.err, "stdin:3: the client has no game \"Gamma\": it has \"Alpha\"\n");
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

  if (!IsXmlTool(XMLLINT)) {
    GTEST_SKIP() << "no xmllint to check the pictures with: not installed (libxml2-utils), or "
                    "a Windows build, whose test programs cannot run it";
  }
  for (const fs::path& picture : pictures) {
    const std::string check = std::string(XMLLINT) + " --noout '" + picture.string() + "'";
    EXPECT_EQ(std::system(check.c_str()), 0) << picture;
  }
}

TEST(Prompt, AskThePersonForTheSignDialogFieldByField) {
#ifdef _WIN32
  GTEST_SKIP() << "no pseudo-terminal on Windows to play the person at the prompt through";
#else
  Playground playground;
  HostTerminal terminal({"--game", "game", "--color=never"}, playground.temp.Path());
  ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();
  terminal.Type("game Alpha Xar turn 12 races Xar Vor Lum");
  ASSERT_TRUE(terminal.WaitFor("trucelog> "));
  terminal.Type("activate Alpha");
  ASSERT_TRUE(terminal.WaitFor("trucelog> "));
  terminal.Type("select races Lum");
  ASSERT_TRUE(terminal.WaitFor("trucelog> "));
  terminal.Type("menu races \"Sign treaty\"");
  ASSERT_TRUE(terminal.WaitFor("With [Lum] (Lum, Vor, Xar): ")) << terminal.Screen();
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("From turn [12]: "));
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("till the turn [22]: "));
  terminal.Type("25");
  ASSERT_TRUE(terminal.WaitFor("OK, Add or Cancel? [OK] ")) << terminal.Screen();
  terminal.Type("add");
  ASSERT_TRUE(terminal.WaitFor("Main text []: ")) << terminal.Screen();
  terminal.Type("Open borders");
  ASSERT_TRUE(terminal.WaitFor("Abbreviation []: "));
  terminal.Type("ob");
  ASSERT_TRUE(terminal.WaitFor("\"Abbreviation\" shows \"OB\"")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("OK or Cancel? [OK] "));
  terminal.Type("");
  // The fields again, as they stand now.
  ASSERT_TRUE(terminal.WaitFor("With [Lum] (Lum, Vor, Xar): ")) << terminal.Screen();
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("From turn [12]: "));
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("till the turn [25]: "));
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("[ ] Open borders (y/N): ")) << terminal.Screen();
  terminal.Type("y");
  ASSERT_TRUE(terminal.WaitFor("OK, Add or Cancel? [OK] "));
  terminal.Type("ok");
  ASSERT_TRUE(terminal.WaitFor("client: declares peace with Lum")) << terminal.Screen();
  terminal.Type("call GetPact Lum");
  EXPECT_TRUE(terminal.WaitFor("GetPact(Lum) = 25")) << terminal.Screen();
  terminal.Type("tabel");
  EXPECT_TRUE(terminal.WaitFor("error: unknown command \"tabel\" (did you mean table?)"));
  terminal.Type("quit");
  EXPECT_EQ(terminal.Finish(), 0) << terminal.Screen();
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kStore), "Lum,12,25,OB\r\n"));
#endif
}
