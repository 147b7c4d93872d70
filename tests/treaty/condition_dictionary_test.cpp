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
  const CString conditions = "B/A";
  int at = 0;
  EXPECT_EQ(dictionary.TakeNext(conditions, at), "Beta");
  EXPECT_EQ(at, 2);
  EXPECT_EQ(dictionary.TakeNext(conditions, at), "Gamma");
  EXPECT_EQ(at, 4);
  EXPECT_EQ(dictionary.TakeNext(conditions, at), "");
  EXPECT_EQ(at, 4);

  const CString unknownFirst = "ZZ/a";
  at = 0;
  EXPECT_EQ(dictionary.TakeNext(unknownFirst, at), "") << "unknown, but still consumed";
  EXPECT_EQ(at, 3);
  EXPECT_EQ(dictionary.TakeNext(unknownFirst, at), "lower");

  dictionary.AddCondition("B", "Bravo");
  EXPECT_EQ(Stored(dictionary), (Entries{{"A", "Gamma"}, {"B", "Bravo"}, {"a", "lower"}}));
}

TEST(ConditionDictionary, SavesEveryEntryAndLoadsItBackThroughTheSettingsStore) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  HostSettings settings(plugin);
  ConditionDictionary saved;
  saved.AddCondition("NA", "Non-aggression");
  saved.AddCondition("TR", "Trade \xE4\xEE\xE3");
  CString why;
  EXPECT_TRUE(saved.SaveConditions(settings, why));
  EXPECT_EQ(host.settings.at("Trucelog\\Conditions"), "2");
  EXPECT_EQ(host.SettingsWritten(),
            (std::vector<std::string>{"Trucelog\\Conditions\\0", "Trucelog\\Conditions\\0\\string",
                                      "Trucelog\\Conditions\\1", "Trucelog\\Conditions\\1\\string",
                                      "Trucelog\\Conditions"}))
      << "the count last, once every entry it counts is whole";

  ConditionDictionary loaded;
  loaded.LoadConditions(settings);
  EXPECT_EQ(Stored(loaded), Stored(saved));
}

TEST(ConditionDictionary, EntriesAnotherClientStoredKeepTheirNumbersAndNewOnesFollow) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  HostSettings settings(plugin);
  host.settings = {{"Trucelog\\Conditions", "5"}};
  for (int i = 0; i < 5; ++i) {
    host.settings["Trucelog\\Conditions\\" + std::to_string(i)] = "OLD" + std::to_string(i);
    host.settings["Trucelog\\Conditions\\" + std::to_string(i) + "\\string"] = "Old";
  }
  ConditionDictionary three;
  for (const char* abbreviation : {"A", "B", "C"}) three.AddCondition(abbreviation, "New");
  three.AddCondition("OLD4", "Renamed");
  CString why;
  EXPECT_TRUE(three.SaveConditions(settings, why));
  EXPECT_EQ(host.settings.at("Trucelog\\Conditions\\0"), "OLD0");
  EXPECT_EQ(host.settings.at("Trucelog\\Conditions\\4\\string"), "Renamed");
  EXPECT_EQ(host.settings.at("Trucelog\\Conditions"), "8");
  EXPECT_EQ(three.GetCount(), 8) << "the other client's entries join the session";

  ConditionDictionary loaded;
  loaded.LoadConditions(settings);
  EXPECT_EQ(Stored(loaded), (Entries{{"A", "New"},
                                     {"B", "New"},
                                     {"C", "New"},
                                     {"OLD0", "Old"},
                                     {"OLD1", "Old"},
                                     {"OLD2", "Old"},
                                     {"OLD3", "Old"},
                                     {"OLD4", "Renamed"}}));
}

TEST(ConditionDictionary, LoadingSkipsIncompleteEntriesAndMissingCounts) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  HostSettings settings(plugin);
  ConditionDictionary dictionary;
  dictionary.LoadConditions(settings);
  EXPECT_TRUE(dictionary.IsEmpty());
  EXPECT_EQ(host.Requests().size(), 1u) << "no count, no further reads";

  host.settings = {{"Trucelog\\Conditions", "3"},
                   {"Trucelog\\Conditions\\0", "NA"},
                   {"Trucelog\\Conditions\\0\\string", "Non-aggression"},
                   {"Trucelog\\Conditions\\1", "TR"},
                   {"Trucelog\\Conditions\\2\\string", "No abbreviation"}};
  dictionary.LoadConditions(settings);
  EXPECT_EQ(Stored(dictionary), (Entries{{"NA", "Non-aggression"}}));

  host.settings = {{"Trucelog\\Conditions", "many"}, {"Trucelog\\Conditions\\0", "X"}};
  ConditionDictionary none;
  none.LoadConditions(settings);
  EXPECT_TRUE(none.IsEmpty());
}

namespace {

// A settings store that refuses some of its names, as a host may.
struct RefusingReads : SimulatedHost::Client {
  std::set<std::string> names;
  std::string function = "ReadRegistry";
  std::string error = "Access Denied";
  bool Answer(const Entries& request, CMapStringToString& answer) override {
    if (request.at("Function") != function || !names.count(request.at("Name"))) return false;
    answer.SetAt("LastError", error.c_str());
    return true;
  }
  void Answered(const Entries&, const Entries&) override {}
};

}  // namespace

TEST(ConditionDictionary, StoredEntriesTheHostRefusedToShowAreNeverWrittenOver) {
  SimulatedHost host;
  ConnectedPlugin plugin(host);
  HostSettings settings(plugin);
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
    dictionary.LoadConditions(settings);
    dictionary.AddCondition("TR", "Trade routes");
    dictionary.AddCondition("OB", "Observers");
    CString why;
    EXPECT_FALSE(dictionary.SaveConditions(settings, why));
    EXPECT_EQ(why, CString("the client answered \"Access Denied\" for ") + refused);
    EXPECT_EQ(host.settings, stored) << refused << " still refused: nothing written";

    refusing.names.clear();
    EXPECT_TRUE(dictionary.SaveConditions(settings, why));
    ConditionDictionary loaded;
    loaded.LoadConditions(settings);
    EXPECT_EQ(Stored(loaded),
              (Entries{{"NA", "Non-aggression"}, {"TR", "Trade routes"}, {"OB", "Observers"}}))
        << refused << " read at last: the session's text wins";
  }
}

TEST(ConditionDictionary, ARefusalAtAnyStepLeavesEveryStoredEntryWholeAndTheNextSaveFinishes) {
  const Entries stored = {{"Trucelog\\Conditions", "2"},
                          {"Trucelog\\Conditions\\0", "NA"},
                          {"Trucelog\\Conditions\\0\\string", "Non-aggression"},
                          {"Trucelog\\Conditions\\1", "TR"},
                          {"Trucelog\\Conditions\\1\\string", "Trade"}};
  const Entries expected = {
      {"NA", "Non-aggression"}, {"TR", "Trade"}, {"OB", "Observers"}, {"WA", "War aid"}};
  struct Step {
    const char* function;
    const char* name;
  };
  // A timeout is no answer about the name either: it counts as a refusal, as a denial does.
  const Step steps[] = {{"ReadRegistry", "Trucelog\\Conditions"},
                        {"ReadRegistry", "Trucelog\\Conditions\\1\\string"},
                        {"WriteRegistry", "Trucelog\\Conditions\\2"},
                        {"WriteRegistry", "Trucelog\\Conditions\\2\\string"},
                        {"WriteRegistry", "Trucelog\\Conditions\\3\\string"},
                        {"WriteRegistry", "Trucelog\\Conditions"}};
  for (const Step& step : steps) {
    SimulatedHost host;
    ConnectedPlugin plugin(host);
    HostSettings settings(plugin);
    RefusingReads refusing;
    refusing.function = step.function;
    refusing.error = "Timeout";
    refusing.names = {step.name};
    host.SetClient(&refusing);
    host.settings = stored;
    ConditionDictionary dictionary;
    dictionary.AddCondition("OB", "Observers");
    dictionary.AddCondition("WA", "War aid");
    CString why;
    EXPECT_FALSE(dictionary.SaveConditions(settings, why)) << step.name;
    ConditionDictionary meanwhile;
    refusing.names.clear();
    meanwhile.LoadConditions(settings);
    EXPECT_EQ(Stored(meanwhile), (Entries{{"NA", "Non-aggression"}, {"TR", "Trade"}}))
        << step.name << ": the stored entries, each with its own text, and nothing half-written";

    EXPECT_TRUE(dictionary.SaveConditions(settings, why)) << step.name;
    ConditionDictionary loaded;
    loaded.LoadConditions(settings);
    EXPECT_EQ(Stored(loaded), expected) << step.name;
  }
}
