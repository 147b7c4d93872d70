#include "plugin/settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/connected_plugin.h"

namespace {

struct Flags {
  BOOL report, game, deleteExpired, peace, war;
  int expiredMode;
  BOOL showTurn, showConditions;

  bool operator==(const Flags&) const = default;
};

Flags FlagsOf(const PluginSettings& s) {
  return {s.WarnOnReport,      s.WarnOnGame,  s.DeleteExpired,   s.DeclarePeaceOnSign,
          s.DeclareWarOnBreak, s.ExpiredMode, s.ShowExpiredTurn, s.ShowExpiredConditions};
}

void PrintTo(const Flags& f, std::ostream* out) {
  *out << f.report << f.game << f.deleteExpired << f.peace << f.war << " mode " << f.expiredMode
       << " show " << f.showTurn << f.showConditions;
}

}  // namespace

TEST(Settings, WithNothingStoredTheInitialValuesStay) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  PluginSettings settings;
  settings.LoadSettings(plugin);
  EXPECT_EQ(settings.DefLen, 10);
  EXPECT_EQ(settings.DefLenText, "10");
  EXPECT_EQ(settings.ExpThr, 5);
  EXPECT_EQ(settings.StatusColumn, 8);
  EXPECT_EQ(settings.InfoColumn, 18);
  EXPECT_EQ(settings.ShowAll, 1);
  EXPECT_EQ(settings.ShowInfo, 2);
  EXPECT_EQ(settings.FlagsText(), "100111");
  EXPECT_EQ(settings.WarnWindowRect.right, 500);
  EXPECT_EQ(host.Calls("ReadRegistry").size(), 11u);
}

TEST(Settings, FlagsOfEveryStoredLengthLoad) {
  const struct {
    const char* stored;
    Flags expected;
  } cases[] = {
      {"110", {1, 1, 0, 1, 1, 1, 0, 0}},     {"001", {0, 0, 1, 1, 1, 0, 0, 0}},
      {"1", {1, 0, 0, 1, 1, 1, 0, 0}},       {"0000", {0, 0, 0, 0, 1, 1, 0, 0}},
      {"10111", {1, 0, 1, 1, 1, 0, 0, 0}},   {"x0y00", {1, 0, 1, 0, 0, 0, 0, 0}},
      {"110013", {1, 1, 0, 0, 1, 3, 1, 1}},  {"111112", {1, 1, 1, 1, 1, 2, 1, 0}},
      {"10011A", {1, 0, 0, 1, 1, 17, 1, 1}},
  };
  for (const auto& c : cases) {
    SimulatedHost host;
    ConnectedPlugin plugin(host);
    host.settings["Trucelog\\flags"] = c.stored;
    PluginSettings settings;
    settings.LoadSettings(plugin);
    EXPECT_EQ(FlagsOf(settings), c.expected) << "flags " << c.stored;
  }
}

TEST(Settings, NumbersAndTypedTextsLoadAsStored) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  host.settings = {{"Trucelog\\DefLen", "007"},     {"Trucelog\\ExpThr", "abc"},
                   {"Trucelog\\ColNum", "7"},       {"Trucelog\\InfNum", " -2x"},
                   {"Trucelog\\ShowAll", "0"},      {"Trucelog\\ShowInfo", "99999999999"},
                   {"Trucelog\\pos\\left", "-10"},  {"Trucelog\\pos\\top", "20"},
                   {"Trucelog\\pos\\right", "640"}, {"Trucelog\\pos\\bottom", "480"}};
  PluginSettings settings;
  settings.LoadSettings(plugin);
  EXPECT_EQ(settings.DefLenText, "007");
  EXPECT_EQ(settings.DefLen, 7);
  EXPECT_EQ(settings.ExpThrText, "abc");
  EXPECT_EQ(settings.ExpThr, 0);
  EXPECT_EQ(settings.StatusColumn, 24);
  EXPECT_EQ(settings.InfNum, -2);
  EXPECT_EQ(settings.InfoColumn, 16);
  EXPECT_EQ(settings.ShowAll, 0);
  EXPECT_EQ(settings.ShowInfo, 2147483647);
  EXPECT_EQ(settings.WarnWindowRect.left, -10);
  EXPECT_EQ(settings.WarnWindowRect.bottom, 480);

  // The largest column numbers wrap round as the client's arithmetic does, without overflow.
  host.settings = {{"Trucelog\\ColNum", "2147483647"}, {"Trucelog\\InfNum", "2147483647"}};
  settings.LoadSettings(plugin);
  EXPECT_EQ(settings.StatusColumn, INT_MIN + 16);
  EXPECT_EQ(settings.InfoColumn, INT_MIN + 17);
}

TEST(Settings, SaveDerivesTheComputedValuesAndWritesTheKeysInOrder) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  host.settings["Trucelog\\flags"] = "111112";
  PluginSettings settings;
  settings.LoadSettings(plugin);
  settings.ColNum = 2;
  settings.InfNum = 1;
  settings.DefLenText = "15";
  settings.SaveSettings(plugin);
  EXPECT_EQ(settings.StatusColumn, 19);
  EXPECT_EQ(settings.InfoColumn, 19);
  EXPECT_EQ(settings.DefLen, 15);
  EXPECT_EQ(host.settings.at("Trucelog\\flags"), "110112");
  EXPECT_EQ(host.SettingsWritten(),
            (std::vector<std::string>{"Trucelog\\DefLen", "Trucelog\\ExpThr", "Trucelog\\ColNum",
                                      "Trucelog\\InfNum", "Trucelog\\ShowInfo", "Trucelog\\ShowAll",
                                      "Trucelog\\flags"}));
  EXPECT_EQ(host.settings.at("Trucelog\\DefLen"), "15");
  EXPECT_EQ(host.settings.at("Trucelog\\ColNum"), "2");

  settings.ExpiredMode = 0;
  settings.SaveSettings(plugin);
  EXPECT_EQ(host.settings.at("Trucelog\\flags"), "111110");

  host.settings["Trucelog\\flags"] = "110013";
  PluginSettings unchanged;
  unchanged.LoadSettings(plugin);
  unchanged.SaveSettings(plugin);
  EXPECT_EQ(host.settings.at("Trucelog\\flags"), "110013");
}
