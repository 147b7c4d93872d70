#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "plugin/host_plugin_base.h"
#include "plugin/plugin_app.h"
#include "support/connected_plugin.h"

namespace {

struct Connected {
  SimulatedHost host;
  ConnectedPlugin plugin{host};
};

CStringArray& Parameters(CStringArray& array, std::initializer_list<const char*> values) {
  for (const char* value : values) array.Add(value);
  return array;
}

}  // namespace

TEST(HostProtocol, StartupParametersFillTheFieldsAndLeaveMissingOnesAlone) {
  HostPluginBase plugin;
  EXPECT_EQ(plugin.DataManager, 0u);
  CMapStringToString startup;
  const DWORD_PTR widest = (std::numeric_limits<DWORD_PTR>::max)();
  Fill(startup, {{"MainFrame", "65814"},
                 {"DataManager", std::to_string(widest).c_str()},
                 {"EventMask", "12abc"},
                 {"MainFramePtr", "not a number"}});
  plugin.ReadStartupParameters(startup);
  EXPECT_EQ(plugin.MainFrame, 65814u);
  EXPECT_EQ(plugin.DataManager, widest) << "an address as wide as the pointers must survive";
  EXPECT_EQ(plugin.EventMask, 12u);
  EXPECT_EQ(plugin.MainFramePtr, 0u);

  CMapStringToString partial;
  Fill(partial, {{"EventMask", "7"}});
  plugin.ReadStartupParameters(partial);
  EXPECT_EQ(plugin.EventMask, 7u);
  EXPECT_EQ(plugin.MainFrame, 65814u);
}

TEST(HostProtocol, ANumberNoPointerCanHoldIsNoCallback) {
  // One past the widest address of the platform: 2^64 with 64-bit pointers, 2^32 with 32-bit
  // ones, where cutting it down to the pointer's width would give 0 or some small address.
  const char* pastTheWidest = sizeof(DWORD_PTR) == 8 ? "18446744073709551616" : "4294967296";
  const char* pastTheWidestPlusOne = sizeof(DWORD_PTR) == 8 ? "18446744073709551617" : "4294967297";
  for (const char* text : {pastTheWidest, pastTheWidestPlusOne, "-1", " -4096"}) {
    HostPluginBase plugin;
    CMapStringToString startup;
    Fill(startup, {{"DataManager", text}});
    plugin.ReadStartupParameters(startup);
    EXPECT_EQ(plugin.DataManager, 0u) << text;
  }
  HostPluginBase plugin;
  CMapStringToString startup;
  Fill(startup, {{"DataManager", " 4096"}});
  plugin.ReadStartupParameters(startup);
  EXPECT_EQ(plugin.DataManager, 4096u) << "leading blanks are read past, as for every number";
}

TEST(HostProtocol, CallHostNumbersItsParametersFromOne) {
  Connected session;
  CStringArray none, two;
  HostRequest answer;
  answer.SetAt("Stale", "x");
  session.plugin.CallHost("Alpha", "Xar", 0, "Refresh", none, answer);
  session.plugin.CallHost("Alpha", "Xar", 4294967295u, "Selection",
                          Parameters(two, {"51467", "Name"}), answer);

  ASSERT_EQ(session.host.Requests().size(), 2u);
  EXPECT_EQ(session.host.Requests()[0], (Entries{{"GameName", "Alpha"},
                                                 {"RaceName", "Xar"},
                                                 {"Turn", "0"},
                                                 {"Function", "Refresh"},
                                                 {"Parameters.Count", "0"}}));
  EXPECT_EQ(session.host.Requests()[1], (Entries{{"GameName", "Alpha"},
                                                 {"RaceName", "Xar"},
                                                 {"Turn", "4294967295"},
                                                 {"Function", "Selection"},
                                                 {"Parameters.Count", "2"},
                                                 {"Parameter.1", "51467"},
                                                 {"Parameter.2", "Name"}}));
}

TEST(HostProtocol, CallHostLeavesTheHostsAnswerAndTheRequestKeysForTheCaller) {
  Connected session;
  session.host.AnswerList("Races", {"Vor", "Lum"});
  CStringArray parameters;
  HostRequest answer;
  answer.SetAt("Stale", "x");
  session.plugin.CallHost("Alpha", "Xar", 12, "List", Parameters(parameters, {"Races"}), answer);
  const Entries got = Snapshot(answer);
  EXPECT_EQ(got.count("Stale"), 0u);
  EXPECT_EQ(got.at("Count"), "2");
  EXPECT_EQ(got.at("2"), "Lum");
  EXPECT_EQ(got.at("Function"), "List");
  EXPECT_EQ(got.at("LastError"), "") << "reading the error inserts it";
}

TEST(HostProtocol, CallHostRetriesBusyAndAccessDeniedButNothingElse) {
  Connected session;
  session.host.Refuse("Busy", 3);
  session.host.Refuse("Access Denied", 2);
  session.host.Refuse("BUSY");
  session.host.Refuse("Busy");
  CStringArray none;
  HostRequest answer;
  session.plugin.CallHost("Alpha", "Xar", 1, "Refresh", none, answer);
  EXPECT_EQ(session.host.Calls("Refresh").size(), 6u) << "five refusals retried, BUSY ends it";
  EXPECT_EQ(Snapshot(answer).at("LastError"), "BUSY");

  session.plugin.CallHost("Alpha", "Xar", 1, "Refresh", none, answer);
  EXPECT_EQ(session.host.Calls("Refresh").size(), 8u) << "the queued Busy, then success";
}

TEST(HostProtocol, RegistryCallsRetryOnlyBusyAndSendNoGame) {
  Connected session;
  session.host.settings["Trucelog\\DefLen"] = "12";
  session.host.Refuse("Busy", 2);
  EXPECT_EQ(session.plugin.ReadRegistry("Trucelog\\DefLen"), "12");
  EXPECT_EQ(session.host.Calls("ReadRegistry").size(), 3u);
  EXPECT_EQ(session.host.Requests().back(),
            (Entries{{"Function", "ReadRegistry"}, {"Name", "Trucelog\\DefLen"}}));

  session.host.Refuse("Access Denied");
  EXPECT_EQ(session.plugin.ReadRegistry("Trucelog\\DefLen"), "");
  EXPECT_EQ(session.host.Calls("ReadRegistry").size(), 4u) << "Access Denied is not retried";

  CString value = "stale";
  session.host.Refuse("Access Denied");
  EXPECT_FALSE(session.plugin.ReadRegistry("Trucelog\\DefLen", value)) << "refused, no value";
  EXPECT_EQ(value, "");
  EXPECT_TRUE(session.plugin.ReadRegistry("Trucelog\\ExpThr", value)) << "answered: not set";
  session.host.Refuse("Timeout");
  EXPECT_FALSE(session.plugin.ReadRegistry("Trucelog\\ExpThr", value))
      << "any error without a value says nothing about the name";
  EXPECT_TRUE(session.plugin.ReadRegistry("Trucelog\\DefLen", value));
  EXPECT_EQ(value, "12");

  session.host.Refuse("Access Denied");
  EXPECT_FALSE(session.plugin.WriteRegistry("Trucelog\\ExpThr", "7"));
  EXPECT_EQ(session.host.Calls("WriteRegistry").size(), 1u);
  EXPECT_EQ(session.host.settings.count("Trucelog\\ExpThr"), 0u);

  session.host.Refuse("Busy");
  session.plugin.WriteRegistry("Trucelog\\ExpThr", "7");
  EXPECT_EQ(session.host.Requests().back(), (Entries{{"Function", "WriteRegistry"},
                                                     {"Name", "Trucelog\\ExpThr"},
                                                     {"Trucelog\\ExpThr", "7"}}));
  EXPECT_EQ(session.host.settings.at("Trucelog\\ExpThr"), "7");
}

// A host that puts the value everywhere but under the requested name.
static void AnswerBesideTheName(CMapStringToString* request) {
  request->SetAt("Name", "12");
  request->SetAt("Value", "12");
  request->SetAt("trucelog\\deflen", "12");
}

TEST(HostProtocol, ReadRegistryTakesOnlyTheKeyEqualToTheName) {
  HostPluginBase plugin;
  plugin.DataManager = reinterpret_cast<DWORD_PTR>(&AnswerBesideTheName);
  EXPECT_EQ(plugin.ReadRegistry("Trucelog\\DefLen"), "");

  Connected session;
  session.host.settings["Trucelog\\ExpThr"] = "9";
  EXPECT_EQ(session.plugin.ReadRegistry("Trucelog\\ExpThr"), "9");
  EXPECT_EQ(session.plugin.ReadRegistry("Trucelog\\expthr"), "");
}

TEST(HostProtocol, WithoutACallbackNothingIsSent) {
  SimulatedHost host;
  HostPluginBase plugin;
  CStringArray none;
  HostRequest answer;
  answer.SetAt("Kept", "1");
  plugin.CallHost("Alpha", "Xar", 1, "Refresh", none, answer);
  plugin.WriteRegistry("Trucelog\\ExpThr", "7");
  EXPECT_EQ(plugin.ReadRegistry("Trucelog\\ExpThr"), "");
  EXPECT_TRUE(host.Requests().empty());
  EXPECT_EQ(Snapshot(answer), (Entries{{"Kept", "1"}}));
}

TEST(About, AnswersTheFiveKeysAndOverwritesName) {
  PluginApp app;
  CMapStringToString answer;
  Fill(answer, {{"Name", "Other"}, {"Extra", "kept"}});
  app.OnAbout(answer);
  EXPECT_EQ(Snapshot(answer), (Entries{{"Name", "Trucelog"},
                                       {"Author", "Trucelog team"},
                                       {"Version", "v.2.2.3"},
                                       {"Date", "09/09/2001"},
                                       {"Description",
                                        "\xD0\xE5\xE3\xE8\xF1\xF2\xF0\xE0\xF2\xEE\xF0 "
                                        "\xE4\xEE\xE3\xEE\xE2\xEE\xF0\xEE\xE2"},
                                       {"Extra", "kept"}}));
}

TEST(HostProtocol, CallHostMayBeGivenTextsThatLiveInItsOwnAnswer) {
  Connected session;
  HostRequest answer;
  answer.SetAt("1", std::string(300, 'L').c_str());
  answer.SetAt("Game", "Alpha");
  CStringArray none;
  // The answer is emptied before the request is filled: the texts must have been copied.
  session.plugin.CallHost(answer["Game"], answer["1"], 7, answer["1"], none, answer);
  const Entries sent = session.host.Requests().at(0);
  EXPECT_EQ(sent.at("GameName"), "Alpha");
  EXPECT_EQ(sent.at("RaceName"), std::string(300, 'L'));
  EXPECT_EQ(sent.at("Function"), std::string(300, 'L'));
}
