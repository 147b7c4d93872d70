// What a player records comes back after a restart, byte for byte, or is refused before
// anything is recorded, sent or saved: every byte value at the start, in the middle and at the
// end of a race name, a game name, an own race name and a condition's abbreviation, signed
// through the loaded module, then read by a fresh start of it on the files it left.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "module/session.h"
#include "res/resource.h"
#include "support/scripted_user.h"

namespace {

enum class Field { kRace, kGame, kOwnRace, kAbbreviation };

#ifdef _WIN32
void ExpectEverySigningBackOrRefused(Field) {
  GTEST_SKIP() << "a fresh start of the module needs a process of its own (fork)";
}
#else

// One signing: the names it is made with and the condition it adds, if any.
struct Signing {
  std::string game = "Alpha";
  std::string ownRace = "Xar";
  std::string race;
  std::string abbreviation;
  std::string mainText;
};

// The signings of one field with the bytes first..last at one place in the name.
std::vector<Signing> Signings(Field field, int first, int last, int place) {
  std::vector<Signing> signings;
  for (int byte = first; byte <= last; ++byte) {
    const std::string ch(1, static_cast<char>(byte));
    auto around = [&](const std::string& base) {
      return place == 0   ? ch + base
             : place == 1 ? base.substr(0, 1) + ch + base.substr(1)
                          : base + ch;
    };
    Signing signing;
    signing.race = "R" + std::to_string(byte);
    switch (field) {
      case Field::kRace:
        signing.race = around("Vor");
        break;
      case Field::kGame:
        signing.game = around("Alpha");
        break;
      case Field::kOwnRace:
        signing.ownRace = around("Xar");
        break;
      case Field::kAbbreviation:
        signing.abbreviation = around("OB");
        signing.mainText = "Condition " + std::to_string(byte);
        break;
    }
    signings.push_back(signing);
  }
  return signings;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char digits[3];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", byte);
    hex += digits;
  }
  return hex;
}

std::string Unhex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

std::string SettingsText(const Entries& settings) {
  std::string text;
  for (const auto& [name, value] : settings) text += Hex(name) + " " + Hex(value) + "\n";
  return text;
}

Entries SettingsFrom(const std::string& text) {
  Entries settings;
  std::istringstream lines(text);
  std::string name, value;
  while (lines >> name >> value) settings[Unhex(name)] = Unhex(value);
  return settings;
}

// What the player sees of one signing: the script function's answer and the race table's
// row, its status and its conditions.
std::string Observe(Session& session, const Signing& signing) {
  session.gameName = signing.game;
  session.raceName = signing.ownRace;
  std::vector<std::string> row(21);
  row[0] = signing.race;
  row = session.TableRow(row);
  return Hex(session.PactEnd(signing.race)) + " " + Hex(row[8]) + " " + Hex(row[18]) + "\n";
}

// Signs through the race table's menu as a person would: the race comes selected, the condition
// is added and ticked, OK. Expects the command either to go through or to leave no trace.
void Sign(Session& session, const Signing& signing) {
  session.gameName = signing.game;
  session.raceName = signing.ownRace;
  session.host.AnswerSelection("51467", "Name", {signing.race});
  ScriptedUser user;
  user.InDialog(IDD_SIGN_TREATY, [&signing](CDialog&, CUserInput& input) {
    if (!signing.mainText.empty()) {
      input.Click(IDC_ADD);
      input.Tick(IDC_CONDITIONS, signing.mainText.c_str());
    }
    input.Click(IDOK);
  });
  user.InDialog(IDD_NEW_CONDITION, [&signing](CDialog&, CUserInput& input) {
    input.Type(IDC_MAIN_TEXT, signing.mainText.c_str());
    input.Type(IDC_ABBREVIATION, signing.abbreviation.c_str());
    input.Click(IDOK);
  });
  const std::size_t before = session.host.Requests().size();
  const std::string file = session.game.Read(Session::kStoreFile);
  session.Command("Sign treaty", "51467");
  bool refreshed = false;
  for (std::size_t i = before; i < session.host.Requests().size(); ++i) {
    refreshed = refreshed || session.host.Requests()[i].at("Function") == "Refresh";
  }
  if (refreshed) {
    EXPECT_EQ(session.PactEnd(signing.race), "22") << Hex(signing.race);
    return;
  }
  SCOPED_TRACE("refused: " + Hex(signing.game + "/" + signing.ownRace + " " + signing.race));
  for (std::size_t i = before; i < session.host.Requests().size(); ++i) {
    const std::string function = session.host.Requests()[i].at("Function");
    EXPECT_TRUE(function == "Selection" || function == "List") << function;
  }
  EXPECT_EQ(session.game.Read(Session::kStoreFile), file);
  EXPECT_EQ(session.PactEnd(signing.race), "0");
}

// Runs `phase` in a process of its own, so that the module starts there as fresh as after a
// restart of the host; answers whether it ran without a failed expectation.
bool InFreshProcess(const std::function<void()>& phase) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    phase();
    std::fflush(nullptr);
    _exit(testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// Signs every signing, then starts afresh on the files and settings left: each pact is seen as
// it was before, or, refused, was never seen at all.
void ExpectEverySigningBackOrRefused(Field field) {
  constexpr int kBatch = 64;
  const std::string kSentinel = "@Zeta/Xar\r\nSen,1,99,\r\n\r\n";
  for (int place = 0; place < 3; ++place) {
    for (int first = 1; first <= 255; first += kBatch) {
      const std::vector<Signing> signings =
          Signings(field, first, (std::min)(first + kBatch - 1, 255), place);
      TempDir exchange;
      ASSERT_TRUE(InFreshProcess([&] {
        Session session(kSentinel);
        session.Start();
        std::string seen;
        for (const Signing& signing : signings) Sign(session, signing);
        for (const Signing& signing : signings) seen += Observe(session, signing);
        exchange.Write("seen", seen);
        exchange.Write("settings", SettingsText(session.host.settings));
        exchange.Write("store", session.game.Read(Session::kStoreFile));
      })) << "signing, place "
          << place << ", bytes from " << first;
      ASSERT_TRUE(InFreshProcess([&] {
        Session session(exchange.Read("store"));
        session.host.settings = SettingsFrom(exchange.Read("settings"));
        session.Start();
        std::string seen;
        for (const Signing& signing : signings) seen += Observe(session, signing);
        exchange.Write("seen again", seen);
      })) << "restart, place "
          << place << ", bytes from " << first;
      std::istringstream before(exchange.Read("seen")), after(exchange.Read("seen again"));
      std::string seen, seenAgain;
      for (const Signing& signing : signings) {
        std::getline(before, seen);
        std::getline(after, seenAgain);
        EXPECT_EQ(seenAgain, seen)
            << "after a restart: " << Hex(signing.game) << "/" << Hex(signing.ownRace) << " "
            << Hex(signing.race) << " " << Hex(signing.abbreviation);
      }
      EXPECT_NE(exchange.Read("seen").find("3232 "), std::string::npos) << "something was kept";
    }
  }
}
#endif

}  // namespace

TEST(RoundTrip, EveryByteInARaceNameComesBackOrIsRefused) {
  ExpectEverySigningBackOrRefused(Field::kRace);
}

TEST(RoundTrip, EveryByteInAGameNameComesBackOrIsRefused) {
  ExpectEverySigningBackOrRefused(Field::kGame);
}

TEST(RoundTrip, EveryByteInAnOwnRaceNameComesBackOrIsRefused) {
  ExpectEverySigningBackOrRefused(Field::kOwnRace);
}

TEST(RoundTrip, EveryByteInAnAbbreviationComesBackOrIsRefused) {
  ExpectEverySigningBackOrRefused(Field::kAbbreviation);
}
