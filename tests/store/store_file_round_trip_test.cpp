// A store file the plug-in wrote reads back into the same store, which writes the same bytes
// again, whatever the file it first came from held.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "store/pact_store.h"
#include "store/storable_text.h"
#include "support/store_io.h"
#include "support/temp_dir.h"

namespace {

using namespace std::string_literals;

// Loads `bytes` into a fresh store and answers what that store saves.
std::string LoadAndSave(const std::string& bytes) {
  TempDir dir;
  dir.Write("in.ini", bytes);
  PactStore store;
  LoadStore(store, dir.File("in.ini").c_str());
  SaveStore(store, dir.File("out.ini").c_str());
  return dir.Read("out.ini");
}

}  // namespace

TEST(StoreFileRoundTrip, ALineWithAZeroByteIsWrittenBackAsItWasAndReadsBackTheSame) {
  // Found by fuzzing: the conditions "\r" stood before a zero byte. A carriage return ends a
  // line, and a line holding a zero byte, which the framework would read only up to it, stays
  // out of the store and is written back whole.
  const std::string found = "@Alpha/Xar\r\noVr,2\n@Beta/Xar\r\nK\xe5l,1,12,\r\0\r\n"s;
  const std::string saved = LoadAndSave(found);
  EXPECT_EQ(saved, "@Beta/Xar\r\nK\xe5l,1,12,\r\n\0\r\n\r\n@Alpha/Xar\r\noVr,2\r\n\r\n"s);
  EXPECT_EQ(LoadAndSave(saved), saved);

  // A header with a zero byte is no header: the lines after it belong where they stood.
  const std::string zeroHeader = "@\0Beta\r\nVor,1,2,\r\n@Alpha/Xar\r\nKel,3,4,A\0B\r\n"s;
  EXPECT_EQ(LoadAndSave(zeroHeader), zeroHeader + "\r\n");
}

TEST(StoreFileRoundTrip, TheSameStoreSavesTheSameBytesWhateverOrderItsFileListedThingsIn) {
  std::string forward, backward;
  for (int key = 0; key < 40; ++key) {
    std::string section = "@Game" + std::to_string(key) + "/Xar\r\n";
    for (int race = 0; race < 30; ++race) {
      section += "Race" + std::to_string(race) + ",1," + std::to_string(key + race + 1) + ",\r\n";
    }
    forward += section + "\r\n";
    backward = section + "\r\n" + backward;
  }
  const std::string saved = LoadAndSave(forward);
  EXPECT_EQ(LoadAndSave(backward), saved);
  EXPECT_EQ(LoadAndSave(saved), saved);
}

TEST(StoreFileRoundTrip, RacesWithRunsOfEveryLengthLoadEveryPact) {
  // Each race's lines in a run of its own length, short and long ones in turn, one race twice;
  // every pact with conditions of its own.
  const int lengths[] = {1, 70, 3, 300, 1, 64, 65, 2, 257};
  std::string file = "@Alpha/Xar\r\n";
  int lines = 0;
  for (int race = 0; race < 9; ++race) {
    lines += lengths[race];
    for (int pact = 0; pact < lengths[race]; ++pact) {
      const int from = 1 + 3 * pact;
      file += "Race" + std::to_string(race) + "," + std::to_string(from) + "," +
              std::to_string(from + 1) + ",C" + std::to_string(pact) + "\r\n";
    }
  }
  file += "Race1,1000,1001,\r\n\r\n";
  TempDir dir;
  dir.Write("in.ini", file);
  PactStore store;
  LoadStore(store, dir.File("in.ini").c_str());
  for (int race = 0; race < 9; ++race) {
    const CString name = ("Race" + std::to_string(race)).c_str();
    const int last = lengths[race] - 1;
    EXPECT_EQ(store.GetPactEnd("Alpha/Xar", name, 1 + 3 * last), 2u + 3 * last) << race;
    EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", name, 1 + 3 * last),
              ("C" + std::to_string(last)).c_str());
  }
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Race1"), 1001u);
  const std::string saved = LoadAndSave(file);
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2 + lines + 1);
  EXPECT_EQ(LoadAndSave(saved), saved);
}

// Every name and abbreviation the plug-in accepts, with any byte at its start, in its middle or
// at its end, comes back from the file exactly; a key the file could not carry is left out
// rather than let its header misfile the sections after it.
TEST(StoreFileRoundTrip, WhatTheStorableRulesAcceptReadsBackExactly) {
  std::vector<std::string> names;
  for (int value = 1; value < 256; ++value) {
    const std::string ch(1, static_cast<char>(value));
    for (const std::string& name : {ch + "Vor", "Vo" + ch + "r", "Vor" + ch}) names.push_back(name);
  }
  PactStore store;
  std::vector<std::pair<std::string, std::string>> kept;  // key, race
  DWORD turn = 1;
  for (const std::string& name : names) {
    const std::pair<std::string, std::string> places[] = {
        {"Alpha/Xar", name}, {name + "/Xar", "Vor"}, {"Alpha/" + name, "Vor"}};
    for (const auto& [key, race] : places) {
      if (!IsStorableKey(key.c_str()) || !IsStorableRaceName(race.c_str())) continue;
      const CString conditions = IsStorableAbbreviation(name.c_str()) ? name.c_str() : "NA";
      store.AddPact(key.c_str(), race.c_str(), turn, turn, "NA/" + conditions);
      kept.emplace_back(key, race);
      ++turn;
    }
  }
  store.AddPact("Beta\x1A/Xar", "Vor", 1, 2, "");
  store.AddPact("Gamma/Xar ", "Vor", 1, 2, "");
  TempDir dir;
  SaveStore(store, dir.File("store.ini").c_str());
  PactStore loaded;
  LoadStore(loaded, dir.File("store.ini").c_str());

  turn = 1;
  for (const auto& [key, race] : kept) {
    EXPECT_EQ(loaded.GetPactEnd(key.c_str(), race.c_str(), turn), turn) << key << " " << race;
    EXPECT_EQ(loaded.GetConditionsAt(key.c_str(), race.c_str(), turn),
              store.GetConditionsAt(key.c_str(), race.c_str(), turn))
        << key << " " << race;
    ++turn;
  }
  EXPECT_GT(kept.size(), 3 * 255u) << "most bytes are kept";
  EXPECT_EQ(LoadAndSave(dir.Read("store.ini")), dir.Read("store.ini"));
  EXPECT_EQ(dir.Read("store.ini").find("Beta"), std::string::npos);
  EXPECT_EQ(dir.Read("store.ini").find("Gamma"), std::string::npos);

  // A carriage return alone ends a line, as other readers of the file take it; each of the
  // lines it makes is still written back.
  const std::string odd = "@Al\rpha/Xar\r\nV\ror,1,2,A\rB\r\n\r\n";
  EXPECT_EQ(LoadAndSave(odd), "@Al\r\nor,1,2,A\r\npha/Xar\r\nV\r\nB\r\n\r\n");
}
