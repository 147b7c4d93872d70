#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "module/session.h"

namespace {

const Entries kRegistrations = {
    {"MenuItem", "Pact warnings"}, {"MenuItem:51467", "Trucelog"}, {"1:51467", "Sign treaty"},
    {"2:51467", "Break treaty"},   {"MenuItem:1", "Trucelog"},     {"1:1", "Sign treaty"},
    {"2:1", "Break treaty"},       {"MenuItem:51691", "Trucelog"}, {"1:51691", "Sign treaty"},
    {"2:51691", "Break treaty"},   {"PrepareTable:51467", "13"},   {"Function:GetPact", "1"},
    {"Function:GetPactEx", "2"}};

const std::string kStore = "@Alpha/Xar\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\n\r\n";

// GetPact of Vor as Xar in Alpha at turn 12.
std::string VorAtTwelve(Session& session) {
  const Entries answer = session.CallFunction({{"GameName", "Alpha"},
                                               {"RaceName", "Xar"},
                                               {"Turn", "12"},
                                               {"FuncName", "GetPact"},
                                               {"Parameters.Count", "1"},
                                               {"Parameter.1", "Vor"}});
  return answer.count("Return") ? answer.at("Return") : "(none)";
}

}  // namespace

TEST(Startup, RegistersMenusTableAndScriptFunctionsOverExistingKeys) {
  Session session(kStore);
  const Entries answer = session.Start({{"MenuItem", "Other"}, {"Unrelated", "kept"}});
  Entries expected = session.host.StartupParameters();
  expected.insert(kRegistrations.begin(), kRegistrations.end());
  expected["MenuItem"] = "Pact warnings";
  expected["Unrelated"] = "kept";
  EXPECT_EQ(answer, expected);
}

TEST(Startup, LoadsTheStoreSettingsAndDictionaryThroughTheCallback) {
  Session session(kStore);
  session.host.settings = {{"Trucelog\\DefLen", "12"}, {"Trucelog\\Conditions", "1"}};
  session.Start();
  EXPECT_EQ(VorAtTwelve(session), "20");
  std::vector<std::string> read;
  for (const Entries& request : session.host.Calls("ReadRegistry"))
    read.push_back(request.at("Name"));
  EXPECT_EQ(read, (std::vector<std::string>{
                      "Trucelog\\DefLen", "Trucelog\\ExpThr", "Trucelog\\ColNum",
                      "Trucelog\\InfNum", "Trucelog\\ShowAll", "Trucelog\\ShowInfo",
                      "Trucelog\\flags", "Trucelog\\pos\\left", "Trucelog\\pos\\top",
                      "Trucelog\\pos\\right", "Trucelog\\pos\\bottom", "Trucelog\\Conditions",
                      "Trucelog\\Conditions\\0", "Trucelog\\Conditions\\0\\string"}));
  EXPECT_EQ(session.host.Requests().size(), read.size()) << "nothing but settings reads";
}

TEST(Startup, WithoutACallbackNothingIsSentButTheStoreLoadsAndTheKeysAreWritten) {
  Session session(kStore);
  session.host.settings = {{"Trucelog\\pos\\left", "33"}};
  const Entries answer = session.Start({}, false);
  EXPECT_EQ(answer, kRegistrations);
  EXPECT_EQ(VorAtTwelve(session), "20");
  session.module.OnClose();
  EXPECT_TRUE(session.host.Requests().empty());
}

TEST(Startup, FindsTheStoreBelowAWorkingDirectoryLongerThanTheFirstBuffer) {
#ifdef _WIN32
  // There a working directory, and a file named through it, stays within MAX_PATH (260).
  GTEST_SKIP() << "no working directory longer than 256 characters holds a reachable file";
#endif
  TempDir root;
  std::string deep = root.Path().string();
  while (deep.size() <= 300) deep += "/" + std::string(60, 'd');
  std::filesystem::create_directories(deep + "/PLUGINS");
  std::ofstream(deep + "/PLUGINS/Trucelog.ini", std::ios::binary) << kStore;

  Session session;
  std::filesystem::current_path(deep);
  session.Start();
  EXPECT_EQ(VorAtTwelve(session), "20");
}

TEST(Startup, OnCloseWritesTheWarningWindowRectangle) {
  Session session;
  session.Start();
  session.module.OnClose();
  EXPECT_EQ(session.host.SettingsWritten(),
            (std::vector<std::string>{"Trucelog\\pos\\left", "Trucelog\\pos\\top",
                                      "Trucelog\\pos\\right", "Trucelog\\pos\\bottom"}));
  EXPECT_EQ(session.host.settings, (Entries{{"Trucelog\\pos\\left", "0"},
                                            {"Trucelog\\pos\\top", "0"},
                                            {"Trucelog\\pos\\right", "500"},
                                            {"Trucelog\\pos\\bottom", "300"}}));
}
