// The console host at a terminal, as a person uses it: the prompt and the questions of a
// dialog, Ctrl-C and Ctrl-D there, Tab completion; and Ctrl-C stopping a script piped in.
#include <gtest/gtest.h>

#include <string>

#include "host_process.h"
#include "playground.h"

#ifdef _WIN32

TEST(Prompt, IsPlayedOnAPseudoTerminal) {
  GTEST_SKIP() << "no pseudo-terminal on Windows to play the person at the prompt through";
}

#else

namespace {

// The host at its prompt in Alpha, turn 12, with Lum selected.
void StartInAlpha(HostTerminal& terminal) {
  ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();
  for (const char* line :
       {"game Alpha Xar turn 12 races Xar Vor Lum Kel", "activate Alpha", "select races Lum"}) {
    terminal.Type(line);
    ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();
  }
}

}  // namespace

TEST(Prompt, AskThePersonForTheSignDialogFieldByField) {
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
  ASSERT_TRUE(terminal.WaitFor("Enter keeps what a field shows, Ctrl-C cancels the dialog."));
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
}

TEST(Prompt, ACorrectionAndARefusedOKAreShownAtThePrompt) {
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
  terminal.Type("30");
  ASSERT_TRUE(terminal.WaitFor("till the turn [22]: "));
  terminal.Type("1000");
  ASSERT_TRUE(terminal.WaitFor("\"From turn\" shows \"22\"")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("OK, Add or Cancel? [OK] "));
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("Leaving the field changed it to 22")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("ok? ")) << terminal.Screen();
  terminal.Type("ok");
  ASSERT_TRUE(terminal.WaitFor("\"till the turn\" shows \"22\"")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("With [Lum] (Lum, Vor, Xar): ")) << terminal.Screen();
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("From turn [22]: "));
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("till the turn [22]: "));
  terminal.Type("25");
  ASSERT_TRUE(terminal.WaitFor("OK, Add or Cancel? [OK] "));
  terminal.Type("");
  ASSERT_TRUE(terminal.WaitFor("client: declares peace with Lum")) << terminal.Screen();
  terminal.Type("quit");
  EXPECT_EQ(terminal.Finish(), 0) << terminal.Screen();
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kStore), "Lum,22,25,\r\n"));
}

TEST(Prompt, CtrlCClearsTheLineCancelsWhatIsAskedAndOnlyQuitEndsTheSession) {
  Playground playground;
  HostTerminal terminal({"--game", "game", "--color=never"}, playground.temp.Path());
  ASSERT_TRUE(terminal.WaitFor("quit or Ctrl-D to end, Ctrl-C to clear a line"));
  StartInAlpha(terminal);

  // At the prompt: the line typed so far goes, the session stays.
  terminal.Press("quit");
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("^C")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();
  terminal.Type("call GetPact Lum");
  ASSERT_TRUE(terminal.WaitFor("GetPact(Lum) = 15")) << terminal.Screen();

  // In a dialog's questions: the dialog is cancelled; in a nested one, that one alone.
  terminal.Type("menu races sign");
  ASSERT_TRUE(terminal.WaitFor("With [Lum]")) << terminal.Screen();
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("\xE2\x94\x94\xE2\x94\x80 Cancel")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();
  terminal.Type("menu races sign");
  for (const char* question : {"With [Lum]", "From turn [12]: ", "till the turn [22]: "}) {
    ASSERT_TRUE(terminal.WaitFor(question)) << terminal.Screen();
    terminal.Type("");
  }
  ASSERT_TRUE(terminal.WaitFor("OK, Add or Cancel? [OK] ")) << terminal.Screen();
  terminal.Type("add");
  ASSERT_TRUE(terminal.WaitFor("Main text []: ")) << terminal.Screen();
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("\xE2\x94\x82 \xE2\x94\x94\xE2\x94\x80 Cancel"))
      << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("With [Lum]")) << "the sign dialog asks on";
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("\n\xE2\x94\x94\xE2\x94\x80 Cancel")) << terminal.Screen();

  // In a confirmation: No.
  terminal.Type("menu races break");
  ASSERT_TRUE(terminal.WaitFor("yes or no? ")) << terminal.Screen();
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("\xE2\x94\x94\xE2\x94\x80 No")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor("trucelog> "));
  terminal.Type("quit");
  EXPECT_EQ(terminal.Finish(), 0) << terminal.Screen();
  EXPECT_TRUE(Contains(terminal.Screen(), "The session ends: the client closes its windows"));
  EXPECT_FALSE(Contains(terminal.Screen(), "unknown command")) << "the cleared line never ran";
  EXPECT_FALSE(Contains(terminal.Screen(), "declares")) << "nothing signed, nothing broken";
  EXPECT_EQ(ReadFile(playground.Game() / kStore), kAlphaStore);
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kSettings), "Trucelog\\pos\\left = "))
      << "OnClose saved the window position";
}

TEST(Prompt, CtrlDEndsTheSessionWithTheClientsClosingStepsEvenInADialog) {
  Playground playground;
  HostTerminal terminal({"--game", "game", "--color=never"}, playground.temp.Path());
  StartInAlpha(terminal);
  terminal.Type("menu races sign");
  ASSERT_TRUE(terminal.WaitFor("With [Lum]")) << terminal.Screen();
  terminal.Press("\x04");
  ASSERT_TRUE(terminal.WaitFor("\xE2\x94\x94\xE2\x94\x80 Cancel")) << terminal.Screen();
  EXPECT_EQ(terminal.Finish(), 0) << terminal.Screen();
  EXPECT_TRUE(Contains(terminal.Screen(), "The session ends: the client closes its windows"));
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kSettings), "Trucelog\\pos\\left = "));
}

TEST(Prompt, ARaceTheGameLacksIsShownAndLeavesNothingSelected) {
  Playground playground;
  HostTerminal terminal({"--game", "game", "--color=never"}, playground.temp.Path());
  StartInAlpha(terminal);
  terminal.Type("select races vor");
  ASSERT_TRUE(
      terminal.WaitFor("error: the client has no race \"vor\" in Alpha (did you mean "
                       "Vor?): its races are Xar, Vor, Lum, Kel"))
      << terminal.Screen();
  // Lum, selected before, is not the target now: the plug-in finds no row selected and asks
  // nothing.
  terminal.Type("menu races \"Break treaty\"");
  terminal.Type("activate Gamma");
  ASSERT_TRUE(terminal.WaitFor("error: the client has no game \"Gamma\""));
  EXPECT_FALSE(Contains(terminal.Screen(), "race(s)?")) << terminal.Screen();
  terminal.Type("table");
  ASSERT_TRUE(terminal.WaitFor("error: no game is active")) << "not the last one";
  terminal.Type("quit");
  EXPECT_EQ(terminal.Finish(), 0);
}

TEST(Prompt, TabCompletesNamesInTheClientsLettersAndTheGreetingTellsWhatTheReadmeDoes) {
  if (!TRUCELOG_LINE_EDITING) GTEST_SKIP() << "built without GNU readline: no Tab completion";
  Playground playground;
  HostTerminal terminal({"--game", "game", "--color=never"}, playground.temp.Path());
  ASSERT_TRUE(terminal.WaitFor("; Tab completes ")) << terminal.Screen();
  ASSERT_TRUE(terminal.WaitFor(".")) << terminal.Screen();
  const std::string screen = terminal.Screen();
  const std::size_t from = screen.find("Tab completes ");
  const std::string completes = screen.substr(from, screen.find('.', from) - from);
  // The README's lines wrap where they will.
  std::string readme;
  for (const char ch : ReadFile(TRUCELOG_README)) {
    const bool blank = ch == ' ' || ch == '\n' || ch == '\r';
    if (!blank || (!readme.empty() && readme.back() != ' ')) readme += blank ? ' ' : ch;
  }
  EXPECT_TRUE(Contains(readme, completes)) << completes;

  terminal.Type(
      "game \xD0\x91\xD0\xB5\xD1\x82\xD0\xB0 Xar turn 3 races Xar "
      "\xD0\x92\xD0\xBE\xD1\x80 Kel");
  ASSERT_TRUE(terminal.WaitFor("trucelog> "));
  terminal.Press("activate \xD0\x91\t");
  terminal.Press("\r");
  ASSERT_TRUE(terminal.WaitFor("client: the player works in \xD0\x91\xD0\xB5\xD1\x82\xD0\xB0"))
      << terminal.Screen();
  terminal.Press("select races \xD0\x92\t");
  terminal.Press("\r");
  ASSERT_TRUE(terminal.WaitFor("selected in the race table: \xD0\x92\xD0\xBE\xD1\x80"))
      << terminal.Screen();
  terminal.Type("quit");
  EXPECT_EQ(terminal.Finish(), 0);
}

TEST(Prompt, TabCompletesNamesWithBlanksUnquotedAndEachAnswerWhatItActsOn) {
  if (!TRUCELOG_LINE_EDITING) GTEST_SKIP() << "built without GNU readline: no Tab completion";
  Playground playground;
  HostTerminal terminal({"--game", "game", "--color=never"}, playground.temp.Path());
  StartInAlpha(terminal);
  // Ctrl-C shows after what was typed, the prompt before it left whole.
  terminal.Press("abc");
  ASSERT_TRUE(terminal.WaitFor("abc")) << terminal.Screen();
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("^C\r\n")) << terminal.Screen();
  EXPECT_TRUE(Contains(terminal.Screen(), "trucelog> abc^C\r\n")) << terminal.Screen();

  terminal.Press("menu races S\t");
  terminal.Press("\r");
  ASSERT_TRUE(terminal.WaitFor("With [Lum]")) << terminal.Screen();
  terminal.Press("\x03");
  ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();

  // The race table's picture, by its word.
  terminal.Press("table p\t\r");
  ASSERT_TRUE(terminal.WaitFor("(picture game/table.svg)")) << terminal.Screen();

  terminal.Type("config");
  ASSERT_TRUE(terminal.WaitFor("settings> ")) << terminal.Screen();
  // Only check boxes are ticked: "W" then fits no field, and "g" picks the second box.
  terminal.Press("tick W\t");
  terminal.Press("g\t\r");
  ASSERT_TRUE(terminal.WaitFor("\xC2\xBB tick \"Warn me when game loaded\"\r\n"))
      << terminal.Screen();
  terminal.Press("choose \"Use column\" Custom\t");
  terminal.Press("\t");
  ASSERT_TRUE(terminal.WaitFor("Custom1  Custom2  Custom3")) << terminal.Screen();
  terminal.Press("2\r");
  ASSERT_TRUE(terminal.WaitFor("\xC2\xBB choose \"Use column\" Custom2\r\n")) << terminal.Screen();
  terminal.Type("ok");
  ASSERT_TRUE(terminal.WaitFor("trucelog> ")) << terminal.Screen();
  terminal.Type("quit");
  EXPECT_EQ(terminal.Finish(), 0) << terminal.Screen();
  EXPECT_FALSE(Contains(terminal.Screen(), "error:")) << terminal.Screen();
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kSettings), "Trucelog\\ColNum = 2\n"))
      << ReadFile(playground.Game() / kSettings);
}

TEST(Script, CtrlCStopsAPipedScriptBetweenLinesAndTheSessionClosesAsUsual) {
  Playground playground;
  HostTerminal host({"--game", "game", "--color=never", "-"}, playground.temp.Path(),
                    HostTerminal::Wiring::kPipes);
  for (const char* line : {"game Alpha Xar turn 12 races Xar Vor Lum Kel", "activate Alpha",
                           "menu main \"Pact warnings\"", "window 1 move 40 30 520 200"}) {
    host.Type(line);
  }
  ASSERT_TRUE(host.WaitFor("at 40,30 size 520x200")) << host.Screen();
  host.Interrupt();
  EXPECT_EQ(host.Finish(), 130) << host.Screen();
  EXPECT_TRUE(Contains(host.Screen(),
                       "stdin:5: interrupted (Ctrl-C): the session ends before "
                       "this line\n"))
      << host.Screen();
  EXPECT_TRUE(Contains(host.Screen(), "The session ends: the client closes its windows"));
  EXPECT_TRUE(Contains(ReadFile(playground.Game() / kSettings), "Trucelog\\pos\\left = 40\n"))
      << "OnClose kept where the window was left";
}

#endif
