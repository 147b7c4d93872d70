#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/pact_store.h"

namespace {

const char* const kKey = "Alpha/Xar";

std::string Warning(const char* race, int end, int left) {
  CString line;
  line.Format("Pact with %s will expire at the turn %d (after %d turns)", race, end, left);
  return line.GetString();
}

const std::string kNoConditions = "  \x95 No special conditions";

std::string Condition(const std::string& text) { return "  \xA7 " + text; }

std::vector<std::string> Warnings(const PactStore& store, const char* key, DWORD turn,
                                  int threshold, bool withConditions) {
  CStringArray lines;
  lines.Add("stale");
  store.GetExpiryWarnings(key, turn, threshold, lines, withConditions);
  std::vector<std::string> result;
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) result.push_back(lines[i].GetString());
  return result;
}

// Six races around turn 12: adjoining, ending soon, ending now, starting later, ended.
struct SixRaces : PactStore {
  SixRaces() {
    AddPact(kKey, "Vor", 10, 15, "NA/TR");
    AddPact(kKey, "Vor", 16, 20, "XX");
    AddPact(kKey, "Lum", 10, 14, "");
    AddPact(kKey, "Kel", 10, 12, "");
    AddPact(kKey, "Sar", 20, 30, "NA");
    AddPact(kKey, "Tor", 1, 9, "NA");
    Dictionary.AddCondition("NA", "Non-aggression");
  }
};

}  // namespace

TEST(ExpiryScan, ListsThePactsEndingWithinTheThresholdSoonestFirst) {
  const SixRaces store;
  EXPECT_EQ(Warnings(store, kKey, 12, 5, false),
            (std::vector<std::string>{Warning("Kel", 12, 0), Warning("Lum", 14, 2)}));
  EXPECT_EQ(Warnings(store, kKey, 12, 999, false),
            (std::vector<std::string>{Warning("Kel", 12, 0), Warning("Lum", 14, 2),
                                      Warning("Vor", 20, 8)}));
  EXPECT_TRUE(Warnings(store, kKey, 12, -1, false).empty());
  EXPECT_TRUE(Warnings(store, "Beta/Xar", 12, 999, false).empty());
  EXPECT_TRUE(Warnings(store, kKey, 50, 999, false).empty());
}

TEST(ExpiryScan, ConditionLinesFollowEachWarningFromThePactInForceNow) {
  const SixRaces store;
  EXPECT_EQ(Warnings(store, kKey, 12, 999, true),
            (std::vector<std::string>{Warning("Kel", 12, 0), kNoConditions, Warning("Lum", 14, 2),
                                      kNoConditions, Warning("Vor", 20, 8),
                                      Condition("Non-aggression"), Condition("")}));
  EXPECT_EQ(Warnings(store, kKey, 16, 999, true),
            (std::vector<std::string>{Warning("Vor", 20, 4), Condition("")}));
}

TEST(ExpiryScan, EqualTurnsLeftKeepTheOrderTheRacesWereVisited) {
  PactStore store;
  const std::vector<std::string> races = {"A", "B", "C", "D", "E", "F", "G", "H"};
  for (const std::string& race : races) store.AddPact(kKey, race.c_str(), 1, 20, "");
  store.AddPact(kKey, "Soon", 1, 15, "");
  // The visiting order is the map's own; the scan must list ties in that order.
  std::vector<std::string> visited;
  CString key;
  CObject* value = nullptr;
  const RacePacts* racePacts = nullptr;
  ASSERT_TRUE(store.Lookup(kKey, value));
  racePacts = static_cast<const RacePacts*>(value);
  for (POSITION position = racePacts->GetStartPosition(); position;) {
    racePacts->GetNextAssoc(position, key, value);
    if (key != "Soon") visited.push_back(Warning(key, 20, 10));
  }
  visited.insert(visited.begin(), Warning("Soon", 15, 5));
  EXPECT_EQ(Warnings(store, kKey, 10, 999, false), visited);
}

TEST(ExpiryScan, ConditionStringsExpandOneLinePerAbbreviation) {
  PactStore store;
  store.Dictionary.AddCondition("NA", "Non-aggression");
  store.Dictionary.AddCondition("TR", "Trade");
  store.AddPact(kKey, "Vor", 1, 20, "/NA//TR/");
  store.AddPact(kKey, "Lum", 1, 19, "ZZ");
  EXPECT_EQ(Warnings(store, kKey, 10, 999, true),
            (std::vector<std::string>{Warning("Lum", 19, 9), Condition(""), Warning("Vor", 20, 10),
                                      Condition(""), Condition("Non-aggression"), Condition(""),
                                      Condition("Trade")}));
}
