#include <gtest/gtest.h>

#include <string>

#include "module/session.h"

namespace {

// Xar's memo in Alpha: B adjoining, C with a gap; Vor's memo: a pact with Xar and with Lum.
const std::string kStore =
    "@Alpha/Xar\r\nB,10,15,NA\r\nB,16,20,\r\nC,10,15,\r\nC,17,20,\r\nLum,1,30,\r\n\r\n"
    "@Alpha/Vor\r\nXar,1,50,\r\nLum,5,40,\r\n\r\n"
    "@Alpha/Kel\r\nLum,5,25,\r\n\r\n";

struct ScriptSession : Session {
  ScriptSession() : Session(kStore) { Start(); }

  // The "Return" of GetPact(race) as Xar in Alpha at `turn`; "(none)" when nothing was written.
  std::string GetPact(const std::string& race, const std::string& turn) {
    return Returned(CallFunction({{"GameName", "Alpha"},
                                  {"RaceName", "Xar"},
                                  {"Turn", turn},
                                  {"FuncName", "GetPact"},
                                  {"Parameters.Count", "1"},
                                  {"Parameter.1", race}}));
  }

  std::string GetPactEx(const std::string& a, const std::string& b, const std::string& turn) {
    return Returned(CallFunction({{"GameName", "Alpha"},
                                  {"RaceName", "Nobody"},
                                  {"Turn", turn},
                                  {"FuncName", "GetPactEx"},
                                  {"Parameters.Count", "2"},
                                  {"Parameter.1", a},
                                  {"Parameter.2", b}}));
  }

  static std::string Returned(const Entries& answer) {
    return answer.count("Return") ? answer.at("Return") : "(none)";
  }
};

}  // namespace

TEST(ScriptFunctions, GetPactAnswersTheEndOfTheUnbrokenRunAtTheTurn) {
  ScriptSession session;
  EXPECT_EQ(session.GetPact("B", "12"), "20");
  EXPECT_EQ(session.GetPact("C", "12"), "15");
  EXPECT_EQ(session.GetPact("C", "16"), "0");
  EXPECT_EQ(session.GetPact("C", "17"), "20");
  EXPECT_EQ(session.GetPact("C", "15"), "15");
  EXPECT_EQ(session.GetPact("C", "9"), "0");
  EXPECT_EQ(session.GetPact("C", " +12abc"), "15");
  EXPECT_EQ(session.GetPact("C", "x12"), "0");
  EXPECT_EQ(session.GetPact("Nobody", "12"), "0");
  EXPECT_EQ(session.GetPact("", "12"), "0");
}

TEST(ScriptFunctions, GetPactExAsksTheFirstRacesMemoThenTheSeconds) {
  ScriptSession session;
  EXPECT_EQ(session.GetPactEx("Xar", "Lum", "10"), "30") << "Xar's memo of Lum";
  EXPECT_EQ(session.GetPactEx("Vor", "Lum", "10"), "40") << "Vor's memo of Lum";
  EXPECT_EQ(session.GetPactEx("Lum", "Kel", "10"), "25") << "only Kel's memo knows";
  EXPECT_EQ(session.GetPactEx("Xar", "Vor", "10"), "50") << "only Vor's memo knows";
  EXPECT_EQ(session.GetPactEx("Lum", "Sar", "10"), "0");
}

TEST(ScriptFunctions, OtherNamesAndParameterCountsWriteNothing) {
  ScriptSession session;
  const Entries base = {{"GameName", "Alpha"}, {"RaceName", "Xar"},  {"Turn", "12"},
                        {"Parameter.1", "B"},  {"Parameter.2", "C"}, {"Return", "kept"}};
  const struct {
    const char* function;
    const char* count;
  } cases[] = {{"GetPact", "2"},   {"GetPact", "01"}, {"GetPact", " 1"},
               {"GetPactEx", "1"}, {"getpact", "1"},  {"GetPacts", "1"}};
  for (const auto& c : cases) {
    Entries request = base;
    request["FuncName"] = c.function;
    request["Parameters.Count"] = c.count;
    EXPECT_EQ(session.CallFunction(request), request) << c.function << " with " << c.count;
  }
}

TEST(ScriptFunctions, KeysTheRequestLackedArePresentAndEmptyAfterwards) {
  ScriptSession session;
  EXPECT_EQ(session.CallFunction({{"FuncName", "GetPact"}, {"Parameters.Count", "1"}}),
            (Entries{{"FuncName", "GetPact"},
                     {"Parameters.Count", "1"},
                     {"GameName", ""},
                     {"RaceName", ""},
                     {"Turn", ""},
                     {"Parameter.1", ""},
                     {"Return", "0"}}));
  EXPECT_EQ(session.CallFunction({{"FuncName", "GetPactEx"}}), (Entries{{"FuncName", "GetPactEx"},
                                                                        {"GameName", ""},
                                                                        {"RaceName", ""},
                                                                        {"Turn", ""},
                                                                        {"Parameters.Count", ""}}));
  EXPECT_EQ(session.CallFunction({}),
            (Entries{{"GameName", ""}, {"RaceName", ""}, {"Turn", ""}, {"FuncName", ""}}));
}
