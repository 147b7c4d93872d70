#include "store/pact_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "afx_faults.h"
#include "support/store_io.h"
#include "support/temp_dir.h"

namespace {

// The eight-line example: Xar's memos in the games Alpha and Beta.
const std::string kExampleFile =
    "@Alpha/Xar\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\nLum,5,30,NA\r\n\r\n"
    "@Beta/Xar\r\nKel,1,12,\r\n\r\n";

// A store file's sections, each with its lines sorted, themselves sorted: the file up to the
// order of sections and of races.
std::vector<std::string> Sections(const std::string& file) {
  std::vector<std::string> sections;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = file.substr(start, end - start);
    if (!line.empty()) {
      lines.push_back(line);
      continue;
    }
    std::sort(lines.begin() + 1, lines.end());
    std::string section;
    for (const std::string& l : lines) section += l + "\n";
    sections.push_back(section);
    lines.clear();
  }
  EXPECT_EQ(start, file.size()) << "the file ends with a complete empty line";
  std::sort(sections.begin(), sections.end());
  return sections;
}

// The store's contents as its file would list them, through a save.
std::string Saved(PactStore& store) {
  TempDir dir;
  SaveStore(store, dir.File("Trucelog.ini").c_str());
  return dir.Read("Trucelog.ini");
}

struct StoreWithFile {
  explicit StoreWithFile(const std::string& bytes) {
    dir.Write("PLUGINS/Trucelog.ini", bytes);
    LoadStore(store, Path().c_str());
  }
  std::string Path() const { return dir.Path().string() + "\\PLUGINS\\Trucelog.ini"; }
  std::string Bytes() const { return dir.Read("PLUGINS/Trucelog.ini"); }

  TempDir dir;
  PactStore store;
};

}  // namespace

TEST(PactStore, LookupsOfAbsentKeysAndRacesAnswerNothing) {
  PactStore store;
  store.AddPact("Alpha/Xar", "Vor", 10, 15, "NA");
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 12), 15u);
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "Vor", 12), "NA");
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Vor"), 15u);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "vor", 12), 0u);
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Vor", 12), 0u);
  EXPECT_EQ(store.GetConditionsAt("Beta/Xar", "Vor", 12), "");
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Lum"), 0u);
  store.BreakPact("Beta/Xar", "Vor", 11);
  store.BreakPact("Alpha/Xar", "Lum", 11);
  store.RemoveExpired("Beta/Xar", 100);
  EXPECT_EQ(store.GetCount(), 1);

  store.AddPact("Gamma/Xar", "Vor", 20, 10, "");
  EXPECT_EQ(store.GetCount(), 2) << "containers are created even for an ignored pact";
  EXPECT_EQ(Sections(Saved(store)),
            (std::vector<std::string>{"@Alpha/Xar\nVor,10,15,NA\n", "@Gamma/Xar\n"}));
}

TEST(PactStore, BreakingAndRemovingExpiredKeepTheRace) {
  PactStore store;
  store.AddPact("Alpha/Xar", "Vor", 10, 15, "NA");
  store.AddPact("Alpha/Xar", "Vor", 16, 20, "");
  store.AddPact("Alpha/Xar", "Lum", 1, 9, "");
  store.RemoveExpired("Alpha/Xar", 16);
  EXPECT_EQ(Sections(Saved(store)), (std::vector<std::string>{"@Alpha/Xar\nVor,16,20,\n"}));
  store.BreakPact("Alpha/Xar", "Vor", 17);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 16), 17u);
  store.BreakPact("Alpha/Xar", "Vor", 3);
  EXPECT_EQ(Sections(Saved(store)), (std::vector<std::string>{"@Alpha/Xar\n"}))
      << "emptied races and keys stay and their section is still written";
}

TEST(PactStore, RenameKeyMovesReplacesOrDoesNothing) {
  PactStore store;
  store.AddPact("Alpha", "Vor", 10, 15, "");
  store.AddPact("Alpha", "Lum", 1, 5, "");
  store.AddPact("Beta/Xar", "Kel", 1, 12, "");
  store.RenameKey("Alpha", "Alpha/Xar");
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 12), 15u);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Lum", 2), 5u);
  EXPECT_EQ(store.GetPactEnd("Alpha", "Vor", 12), 0u);

  store.RenameKey("Alpha/Xar", "Beta/Xar");
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Kel", 5), 12u) << "the pacts the key held stay";
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Vor", 12), 15u);

  store.RenameKey("Nothing", "Beta/Xar");
  store.RenameKey("Beta/Xar", "Beta/Xar");
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Vor", 12), 15u);
  EXPECT_EQ(store.GetCount(), 1);

  // Where both keys hold a race's pacts, the moved ones fill only the turns the key had none for.
  store.AddPact("Gamma", "Vor", 1, 30, "OLD");
  store.AddPact("Gamma", "Vor", 40, 45, "OLD");
  store.AddPact("Gamma/Xar", "Vor", 10, 15, "NEW");
  store.AddPact("Gamma/Xar", "Vor", 41, 50, "NEW");
  store.RenameKey("Gamma", "Gamma/Xar");
  const PactHistory* vor = store.FindHistory("Gamma/Xar", "Vor");
  ASSERT_NE(vor, nullptr);
  std::vector<std::string> pacts;
  for (INT_PTR i = 0; i < vor->GetSize(); ++i) {
    const PactInterval pact = vor->GetInterval(i);
    pacts.push_back(std::to_string(pact.from) + ".." + std::to_string(pact.to) + " " +
                    pact.conditions.GetString());
  }
  EXPECT_EQ(pacts, (std::vector<std::string>{"1..9 OLD", "10..15 NEW", "16..30 OLD", "40..40 OLD",
                                             "41..50 NEW"}));
  EXPECT_EQ(store.GetCount(), 2);
}

TEST(StoreFile, TheExampleLoadsAndSavesBackToTheSameBytes) {
  StoreWithFile file(kExampleFile);
  EXPECT_EQ(file.store.GetPactEnd("Alpha/Xar", "Vor", 12), 20u);
  EXPECT_EQ(file.store.GetConditionsAt("Alpha/Xar", "Vor", 12), "NA/TR");
  EXPECT_EQ(file.store.GetConditionsAt("Alpha/Xar", "Vor", 17), "");
  EXPECT_EQ(file.store.GetPactEnd("Beta/Xar", "Kel", 1), 12u);
  SaveStore(file.store, file.Path().c_str());
  EXPECT_EQ(Sections(file.Bytes()), Sections(kExampleFile));
  EXPECT_EQ(file.Bytes().size(), kExampleFile.size());
  EXPECT_FALSE(file.dir.Exists("PLUGINS/Trucelog.ini.new"));
}

TEST(StoreFile, MalformedLinesAreSkippedOrReadAsFarAsTheyGo) {
  StoreWithFile file(
      "Early,1,2,X\n"  // before any header
      "@Alpha/Xar\n"
      "Vor,10,15\n"            // two commas only: no conditions
      "Lum,1,2,A,B,,C\n"       // everything after the third comma
      "Kel,5\n"                // one comma: skipped
      ",3,4,NA\n"              // empty race name
      "   Sar,7,8,TR  \t\n"    // white space at both ends goes
      "Tor,x,y,Q\n"            // numbers without digits: no pact
      "Dun,9,3,Q\n"            // from after to: no pact
      "Fen,4;6,Z\n"            // any character after the from number separates
      "Gor,4,6x,Z\n"           // text after the to number stays in the conditions
      "Hax,-2147483648,-1,\n"  // turns of 2^31 and above, as they are written
      "Ilk,-1,99999999999,\n"  // clamped to the 32-bit range
      "Max,4000000000,2147483648,\n"
      "@\n"
      "Jun,1,2,\n"  // after an empty header: skipped
      "@Beta/Xar\r\n"
      "Kel,1,12,\r\n");
  PactStore& store = file.store;
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Early", 1), 0u);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 10), 15u);
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "Vor", 10), "");
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "Lum", 1), "A,B,,C");
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Kel"), 0u);
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "", 3), "NA");
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "Sar", 7), "TR");
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Tor"), 0u) << "turns without digits: no pact";
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Dun"), 0u);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Fen", 5), 6u);
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "Gor", 5), "x,Z");
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Hax", 3000000000u), 4294967295u);
  EXPECT_EQ(store.GetLastTurn("Alpha/Xar", "Ilk"), 0u) << "4294967295 to 2147483647: from > to";
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Max", 2147483647u), 2147483647u);
  EXPECT_EQ(store.GetPactEnd("", "Jun", 1), 0u);
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Kel", 1), 12u);
  EXPECT_EQ(store.GetCount(), 2);

  // Every line that is no pact is written back as it was, in its place.
  const std::string saved = Saved(store);
  EXPECT_NE(saved.find("\r\nHax,-2147483648,-1,\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("Early,1,2,X\r\n"), 0u);
  for (const char* kept : {"\r\nKel,5\r\n", "\r\nTor,x,y,Q\r\n", "\r\nDun,9,3,Q\r\n",
                           "\r\nIlk,-1,99999999999,\r\n", "\r\n@\r\nJun,1,2,\r\n\r\n"}) {
    EXPECT_NE(saved.find(kept), std::string::npos) << kept;
  }
}

TEST(StoreFile, OverlappingLinesOfARaceMergeInFileOrder) {
  StoreWithFile file(
      "@Alpha/Xar\n"
      "Vor,10,15,A\n"
      "Vor,12,25,A\n"  // stretches the first
      "Vor,20,30,B\n"  // takes turns 20 on
      "Vor,9,3,C\n"    // from after to: no pact, the line kept
      "Vor,1,2,C\n"    // before all of them
      "Lum,5,6,\n"
      "Vor,40,41,A\n");  // the race again, after another
  EXPECT_EQ(Sections(Saved(file.store)),
            Sections("@Alpha/Xar\r\nLum,5,6,\r\nVor,1,2,C\r\nVor,10,19,A\r\nVor,20,30,B\r\n"
                     "Vor,40,41,A\r\nVor,9,3,C\r\n\r\n"));
}

TEST(StoreFile, ARaceNamedWithAnAtSignComesBackAsAHeader) {
  PactStore store;
  store.AddPact("Alpha/Xar", "@Vor", 1, 2, "");
  TempDir dir;
  SaveStore(store, dir.File("Trucelog.ini").c_str());
  PactStore reloaded;
  LoadStore(reloaded, dir.File("Trucelog.ini").c_str());
  EXPECT_EQ(reloaded.GetCount(), 0) << "the key Vor,1,2, holds no pact lines";
}

TEST(StoreFile, NothingToLoadLeavesTheStoreEmptyAndNothingToSaveLeavesTheFile) {
  for (const std::string& bytes :
       {std::string(), std::string("\r\n\r\n@Alpha/Xar\r\n\r\n@Beta/Xar\n")}) {
    StoreWithFile file(bytes);
    EXPECT_EQ(file.store.GetCount(), 0);
    SaveStore(file.store, file.Path().c_str());
    EXPECT_EQ(file.Bytes(), bytes);
  }
  TempDir dir;
  PactStore store;
  LoadStore(store, dir.File("missing.ini").c_str());
  SaveStore(store, dir.File("missing.ini").c_str());
  EXPECT_FALSE(dir.Exists("missing.ini"));
  store.AddPact("Alpha/Xar", "Vor", 1, 2, "");
  SaveStore(store, dir.File("no/folder/missing.ini").c_str());
  EXPECT_FALSE(dir.Exists("no")) << "the folder is not created";
}

TEST(StoreFile, LoadAddsToWhatTheStoreHolds) {
  StoreWithFile file(kExampleFile);
  LoadStore(file.store, file.Path().c_str());
  EXPECT_EQ(Sections(Saved(file.store)), Sections(kExampleFile)) << "the same lines merge";
  file.dir.Write("other.ini", "@Alpha/Xar\nVor,18,25,NA\n");
  LoadStore(file.store, file.dir.File("other.ini").c_str());
  EXPECT_EQ(file.store.GetPactEnd("Alpha/Xar", "Vor", 12), 25u);
  EXPECT_EQ(file.store.GetConditionsAt("Alpha/Xar", "Vor", 17), "");
  EXPECT_EQ(file.store.GetConditionsAt("Alpha/Xar", "Vor", 18), "NA");
}

TEST(StoreFile, ASaveThatFailsMidwayLeavesThePreviousFileByteForByte) {
  StoreWithFile file(kExampleFile);
  file.store.AddPact("Gamma/Xar", "Vor", 1, 2, "");
  for (std::size_t budget : {0u, 1u, 20u, 60u}) {
    afx_faults::FailFileIoAfter(budget);
    SaveStore(file.store, file.Path().c_str());
    afx_faults::ClearFileFaults();
    EXPECT_EQ(file.Bytes(), kExampleFile) << "failing after " << budget << " bytes";
    EXPECT_FALSE(file.dir.Exists("PLUGINS/Trucelog.ini.new"));
  }
  SaveStore(file.store, file.Path().c_str());
  EXPECT_NE(file.Bytes().find("@Gamma/Xar\r\nVor,1,2,\r\n\r\n"), std::string::npos);
}

TEST(StoreFile, AReadFailureKeepsWhatWasReadBefore) {
  TempDir dir;
  dir.Write("Trucelog.ini", kExampleFile);
  PactStore store;
  afx_faults::FailFileIoAfter(30);  // within the second pact line
  LoadStore(store, dir.File("Trucelog.ini").c_str());
  afx_faults::ClearFileFaults();
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 12), 15u);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 16), 0u);
}

TEST(StoreFile, ACtrlZEndsTheFileAsTheClientReadsIt) {
  StoreWithFile file(
      "@Alpha/Xar\r\nVor,10,15,\r\n\x1A\r\nLum,5,30,\r\n\r\n@Beta/Xar\r\nKel,1,12,\r\n");
  EXPECT_EQ(file.store.GetPactEnd("Alpha/Xar", "Vor", 12), 15u);
  EXPECT_EQ(file.store.GetPactEnd("Alpha/Xar", "Lum", 12), 0u);
  EXPECT_EQ(file.store.GetCount(), 1);
}

TEST(StoreFile, ASaveOverAFileThatIsOpenFailsAndLeavesItAsItWas) {
  StoreWithFile file(kExampleFile);
  file.store.AddPact("Gamma/Xar", "Vor", 1, 2, "");
  CStdioFile reader;
  ASSERT_TRUE(reader.Open(file.Path().c_str(), CFile::modeRead | CFile::typeText));
  SaveStore(file.store, file.Path().c_str());
  reader.Close();
  EXPECT_EQ(file.Bytes(), kExampleFile);
  EXPECT_FALSE(file.dir.Exists("PLUGINS/Trucelog.ini.new"));
}

// Histories of hundreds of races, loaded, read again by a save from a file another client
// changed, moved into another key and dropped with theirs, then new ones made in their place:
// each history stays with its own race's pacts.
TEST(PactStore, HistoriesStayTheirRacesWhileTheyMoveBetweenKeysAndStores) {
  constexpr int kRaces = 300;
  auto raceName = [](int race) {
    char name[8];
    std::snprintf(name, sizeof name, "R%03d", race);
    return std::string(name);
  };
  std::string alpha = "@Alpha/Xar\r\n";
  for (int race = 0; race < kRaces; ++race) {
    alpha += raceName(race) + "," + std::to_string(2 * race + 1) + "," +
             std::to_string(2 * race + 2) + ",NA\r\n";
  }
  alpha += "\r\n";
  const std::string beta = "@Beta/Xar\r\nKel,1,12,\r\nVor,3,4,OB\r\n\r\n";
  StoreWithFile file(alpha + beta);
  ASSERT_EQ(file.store.GetPactEnd("Alpha/Xar", "R299", 600), 600u);

  // Another client saved meanwhile: the next save reads the file and takes what it read.
  const std::string gamma = "@Gamma/Xar\r\nLum,1,2,\r\n\r\n";
  file.dir.Write("PLUGINS/Trucelog.ini", alpha + beta + gamma);
  file.store.AddPact("Beta/Xar", "New", 1, 3, "");
  ASSERT_TRUE(SaveStore(file.store, file.Path().c_str()));
  EXPECT_EQ(file.store.GetPactEnd("Gamma/Xar", "Lum", 1), 2u);

  // Alpha's races move into Beta, and Alpha's histories are dropped; Delta's take their room.
  file.store.RenameKey("Alpha/Xar", "Beta/Xar");
  for (int race = 0; race < kRaces; ++race) {
    file.store.AddPact("Delta/Xar", raceName(race).c_str(), 1000, 1000 + race, "TR");
  }
  for (int race = 0; race < kRaces; ++race) {
    const std::string name = raceName(race);
    EXPECT_EQ(file.store.GetPactEnd("Beta/Xar", name.c_str(), 2 * race + 1), 2u * race + 2) << name;
    EXPECT_STREQ(file.store.GetConditionsAt("Beta/Xar", name.c_str(), 2 * race + 1), "NA") << name;
    EXPECT_EQ(file.store.GetPactEnd("Delta/Xar", name.c_str(), 1000), 1000u + race) << name;
  }

  std::string expected = beta.substr(0, beta.size() - 2) + "New,1,3,\r\n";
  std::string delta = "@Delta/Xar\r\n";
  for (int race = 0; race < kRaces; ++race) {
    const std::string name = raceName(race);
    expected +=
        name + "," + std::to_string(2 * race + 1) + "," + std::to_string(2 * race + 2) + ",NA\r\n";
    delta += name + ",1000," + std::to_string(1000 + race) + ",TR\r\n";
  }
  expected += "\r\n" + delta + "\r\n" + gamma;
  ASSERT_TRUE(SaveStore(file.store, file.Path().c_str()));
  EXPECT_EQ(Sections(file.Bytes()), Sections(expected));
}
