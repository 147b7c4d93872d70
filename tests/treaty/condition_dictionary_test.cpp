#include "treaty/condition_dictionary.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/connected_plugin.h"

namespace {

Entries Stored(const ConditionDictionary& dictionary) {
  CStringArray abbreviations, texts;
  dictionary.ToArrays(abbreviations, texts);
  Entries entries;
  for (INT_PTR i = 0; i < abbreviations.GetSize(); ++i)
    entries[abbreviations[i].GetString()] = texts[i].GetString();
  return entries;
}

}  // namespace

TEST(ConditionDictionary, TakeNextWalksTheConditionsStringOneAbbreviationAtATime) {
  ConditionDictionary dictionary;
  dictionary.AddCondition("B", "Beta");
  dictionary.AddCondition("A", "Gamma");
  dictionary.AddCondition("a", "lower");
  CString conditions = "B/A";
  EXPECT_EQ(dictionary.TakeNext(conditions), "Beta");
  EXPECT_EQ(conditions, "A");
  EXPECT_EQ(dictionary.TakeNext(conditions), "Gamma");
  EXPECT_EQ(conditions, "");
  EXPECT_EQ(dictionary.TakeNext(conditions), "");
  EXPECT_EQ(conditions, "");

  conditions = "ZZ/a";
  EXPECT_EQ(dictionary.TakeNext(conditions), "") << "unknown, but still consumed";
  EXPECT_EQ(conditions, "a");
  EXPECT_EQ(dictionary.TakeNext(conditions), "lower");

  dictionary.AddCondition("B", "Bravo");
  EXPECT_EQ(Stored(dictionary), (Entries{{"A", "Gamma"}, {"B", "Bravo"}, {"a", "lower"}}));
}

TEST(ConditionDictionary, SavesEveryEntryAndLoadsItBackThroughTheSettingsStore) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  ConditionDictionary saved;
  saved.AddCondition("NA", "Non-aggression");
  saved.AddCondition("TR", "Trade \xE4\xEE\xE3");
  saved.SaveConditions(plugin);
  EXPECT_EQ(host.settings.at("Trucelog\\Conditions"), "2");
  EXPECT_EQ(host.SettingsWritten(),
            (std::vector<std::string>{"Trucelog\\Conditions", "Trucelog\\Conditions\\0",
                                      "Trucelog\\Conditions\\0\\string", "Trucelog\\Conditions\\1",
                                      "Trucelog\\Conditions\\1\\string"}));

  ConditionDictionary loaded;
  loaded.LoadConditions(plugin);
  EXPECT_EQ(Stored(loaded), Stored(saved));
}

TEST(ConditionDictionary, ASmallerDictionaryLeavesOldKeysThatTheCountHides) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  host.settings = {{"Trucelog\\Conditions", "5"}};
  for (int i = 0; i < 5; ++i) {
    host.settings["Trucelog\\Conditions\\" + std::to_string(i)] = "OLD" + std::to_string(i);
    host.settings["Trucelog\\Conditions\\" + std::to_string(i) + "\\string"] = "Old";
  }
  ConditionDictionary three;
  for (const char* abbreviation : {"A", "B", "C"}) three.AddCondition(abbreviation, "New");
  three.SaveConditions(plugin);
  EXPECT_EQ(host.settings.at("Trucelog\\Conditions\\4"), "OLD4");

  ConditionDictionary loaded;
  loaded.LoadConditions(plugin);
  EXPECT_EQ(Stored(loaded), (Entries{{"A", "New"}, {"B", "New"}, {"C", "New"}}));
}

TEST(ConditionDictionary, LoadingSkipsIncompleteEntriesAndMissingCounts) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  ConditionDictionary dictionary;
  dictionary.LoadConditions(plugin);
  EXPECT_TRUE(dictionary.IsEmpty());
  EXPECT_EQ(host.Requests().size(), 1u) << "no count, no further reads";

  host.settings = {{"Trucelog\\Conditions", "3"},
                   {"Trucelog\\Conditions\\0", "NA"},
                   {"Trucelog\\Conditions\\0\\string", "Non-aggression"},
                   {"Trucelog\\Conditions\\1", "TR"},
                   {"Trucelog\\Conditions\\2\\string", "No abbreviation"}};
  dictionary.LoadConditions(plugin);
  EXPECT_EQ(Stored(dictionary), (Entries{{"NA", "Non-aggression"}}));

  host.settings = {{"Trucelog\\Conditions", "many"}, {"Trucelog\\Conditions\\0", "X"}};
  ConditionDictionary none;
  none.LoadConditions(plugin);
  EXPECT_TRUE(none.IsEmpty());
}

namespace {

// A settings store that refuses to let some of its names be read, as a host may.
struct RefusingReads : SimulatedHost::Client {
  std::set<std::string> names;
  bool Answer(const Entries& request, CMapStringToString& answer) override {
    if (request.at("Function") != "ReadRegistry" || !names.count(request.at("Name"))) return false;
    answer.SetAt("LastError", "Access Denied");
    return true;
  }
  void Answered(const Entries&, const Entries&) override {}
};

}  // namespace

TEST(ConditionDictionary, StoredEntriesTheHostRefusedToShowAreNeverWrittenOver) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  RefusingReads refusing;
  host.SetClient(&refusing);
  const Entries stored = {{"Trucelog\\Conditions", "2"},
                          {"Trucelog\\Conditions\\0", "NA"},
                          {"Trucelog\\Conditions\\0\\string", "Non-aggression"},
                          {"Trucelog\\Conditions\\1", "TR"},
                          {"Trucelog\\Conditions\\1\\string", "Trade"}};
  for (const char* refused : {"Trucelog\\Conditions", "Trucelog\\Conditions\\1\\string"}) {
    host.settings = stored;
    refusing.names = {refused};
    ConditionDictionary dictionary;
    dictionary.LoadConditions(plugin);
    dictionary.AddCondition("TR", "Trade routes");
    dictionary.AddCondition("OB", "Observers");
    dictionary.SaveConditions(plugin);
    EXPECT_EQ(host.settings, stored) << refused << " still refused: nothing written";

    refusing.names.clear();
    dictionary.SaveConditions(plugin);
    ConditionDictionary loaded;
    loaded.LoadConditions(plugin);
    EXPECT_EQ(Stored(loaded),
              (Entries{{"NA", "Non-aggression"}, {"TR", "Trade routes"}, {"OB", "Observers"}}))
        << refused << " read at last: the session's text wins";
  }
}
