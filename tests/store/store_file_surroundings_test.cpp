// The store file among everything that happens to it on a player's machine: a person edits
// it, another client saves it, it cannot be read for a while, it is a link. Whatever it held is
// still there after a save, or the save wrote nothing and said why.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "afx_faults.h"
#include "store/file_place.h"
#include "store/pact_store.h"
#include "support/store_io.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace std::string_literals;

namespace {

const std::string kTwoGames =
    "@Alpha/Xar\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\nLum,5,30,NA\r\n\r\n"
    "@Beta/Xar\r\nKel,1,12,\r\n\r\n";

struct FaultFreeAfterwards {
  ~FaultFreeAfterwards() { afx_faults::ClearFileFaults(); }
};

}  // namespace

TEST(StoreFileSurroundings, AFileAPersonEditedKeepsEveryLineThroughASave) {
  TempDir dir;
  // What an editor leaves: a byte-order mark, a blank before a separator, lines ended by a
  // carriage return alone, lines the store cannot read, text after a Ctrl-Z.
  const std::string edited =
      "\xEF\xBB\xBF@Alpha/Xar\r\nLum,5 ,30 ,NA\rVor,1,2,\r"
      "note to self\r\nKel,9,3,\r\n\r\n"
      "@Beta/Xar\nSar,4,8,TR\n"
      "\x1A"
      "copied from the old machine\r\nVor,1,99,\r\n"s;
  dir.Write("Trucelog.ini", edited);
  PactStore store;
  ASSERT_TRUE(LoadStore(store, dir.File("Trucelog.ini").c_str()));
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Lum", 12), 30u) << "the mark hides no section";
  EXPECT_EQ(store.GetConditionsAt("Alpha/Xar", "Lum", 12), "NA");
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 1), 2u);
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Sar", 5), 8u);
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Vor", 50), 0u) << "after the Ctrl-Z: not read";

  store.AddPact("Beta/Xar", "Kel", 20, 30, "");
  ASSERT_TRUE(SaveStore(store, dir.File("Trucelog.ini").c_str()));
  const std::string saved = dir.Read("Trucelog.ini");
  EXPECT_EQ(saved.rfind("\xEF\xBB\xBF", 0), 0u);
  for (const char* kept : {"\r\nnote to self\r\n", "\r\nKel,9,3,\r\n", "\r\nSar,4,8,TR\r\n",
                           "\r\nLum,5,30,NA\r\n", "\r\nKel,20,30,\r\n"}) {
    EXPECT_NE(saved.find(kept), std::string::npos) << kept;
  }
  EXPECT_EQ(saved.substr(saved.find('\x1A')),
            "\x1A"
            "copied from the old machine\r\nVor,1,99,\r\n");

  // What the store wrote reads back into the same store and the same lines.
  PactStore again;
  ASSERT_TRUE(LoadStore(again, dir.File("Trucelog.ini").c_str()));
  ASSERT_TRUE(SaveStore(again, dir.File("again.ini").c_str()));
  EXPECT_EQ(dir.Read("again.ini"), saved);
}

TEST(StoreFileSurroundings, TwoClientsSavingInTurnKeepBothSetsOfPacts) {
  TempDir dir;
  dir.Write("Trucelog.ini", kTwoGames);
  const std::string path = dir.File("Trucelog.ini");
  PactStore first, second;
  ASSERT_TRUE(LoadStore(first, path.c_str()));
  ASSERT_TRUE(LoadStore(second, path.c_str()));

  first.AddPact("Alpha/Xar", "Sar", 1, 9, "OB");
  ASSERT_TRUE(SaveStore(first, path.c_str()));
  second.AddPact("Beta/Xar", "Tor", 3, 4, "");
  second.BreakPact("Alpha/Xar", "Lum", 12);
  ASSERT_TRUE(SaveStore(second, path.c_str()));
  EXPECT_EQ(second.GetPactEnd("Alpha/Xar", "Sar", 5), 9u) << "the other client's pact, read in";
  first.AddPact("Gamma/Xar", "Vor", 7, 8, "");
  ASSERT_TRUE(SaveStore(first, path.c_str()));

  PactStore reader;
  ASSERT_TRUE(LoadStore(reader, path.c_str()));
  EXPECT_EQ(reader.GetPactEnd("Alpha/Xar", "Sar", 5), 9u);
  EXPECT_EQ(reader.GetPactEnd("Beta/Xar", "Tor", 3), 4u);
  EXPECT_EQ(reader.GetPactEnd("Alpha/Xar", "Lum", 10), 12u) << "broken by the second client";
  EXPECT_EQ(reader.GetPactEnd("Gamma/Xar", "Vor", 7), 8u);
  EXPECT_EQ(reader.GetPactEnd("Alpha/Xar", "Vor", 12), 20u);
  EXPECT_EQ(reader.GetPactEnd("Beta/Xar", "Kel", 1), 12u);
  EXPECT_EQ(first.GetPactEnd("Beta/Xar", "Tor", 3), 4u);
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    files.insert(entry.path().filename().string());
  }
  EXPECT_EQ(files, std::set<std::string>{"Trucelog.ini"}) << "no lock or temporary file left";
}

TEST(StoreFileSurroundings, AFileThatCannotBeReadIsNeverReplacedAndIsReadAgainBeforeTheNextSave) {
  const FaultFreeAfterwards cleanup;
  TempDir dir;
  dir.Write("Trucelog.ini", kTwoGames);
  const std::string path = dir.File("Trucelog.ini");
  PactStore store;
  CString why;
  afx_faults::FailFileIoAfter(35);  // a read error in the second line of Vor
  EXPECT_FALSE(store.Load(path.c_str(), why));
  afx_faults::ClearFileFaults();
  EXPECT_EQ(why, SystemReason(ERROR_IO_DEVICE));
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 12), 15u) << "what was read is shown";

  store.AddPact("Alpha/Xar", "Sar", 1, 9, "");
  afx_faults::FailFileCall(afx_faults::FileCall::open);
  EXPECT_FALSE(store.Save(path.c_str(), why)) << "still unreadable: nothing written";
  afx_faults::ClearFileFaults();
  EXPECT_EQ(why, SystemReason(ERROR_ACCESS_DENIED));
  EXPECT_EQ(dir.Read("Trucelog.ini"), kTwoGames);

  ASSERT_TRUE(store.Save(path.c_str(), why));
  PactStore reader;
  ASSERT_TRUE(LoadStore(reader, path.c_str()));
  for (const char* race : {"Vor", "Lum"}) {
    EXPECT_NE(reader.GetPactEnd("Alpha/Xar", race, 18), 0u) << race;
  }
  EXPECT_EQ(reader.GetPactEnd("Beta/Xar", "Kel", 1), 12u);
  EXPECT_EQ(reader.GetPactEnd("Alpha/Xar", "Sar", 1), 9u);
  EXPECT_EQ(store.GetPactEnd("Beta/Xar", "Kel", 1), 12u) << "the store now shows all of it";
}

TEST(StoreFileSurroundings, AFolderWhereTheFileShouldBeIsReportedAndLeftAlone) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path() / "Trucelog.ini");
  const std::string path = dir.File("Trucelog.ini");
  PactStore store;
  CString why;
  EXPECT_FALSE(store.Load(path.c_str(), why));
  EXPECT_EQ(why, SystemReason(ERROR_ACCESS_DENIED));
  store.AddPact("Alpha/Xar", "Sar", 1, 9, "");
  EXPECT_FALSE(store.Save(path.c_str(), why));
  EXPECT_EQ(why, SystemReason(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "Trucelog.ini"));

  std::filesystem::remove(dir.Path() / "Trucelog.ini");
  ASSERT_TRUE(store.Save(path.c_str(), why));
  EXPECT_EQ(dir.Read("Trucelog.ini"), "@Alpha/Xar\r\nSar,1,9,\r\n\r\n");
}

#ifndef _WIN32
TEST(StoreFileSurroundings, APipeDoesNotHoldUpStartingAndALinkStaysALink) {
  TempDir dir;
  const std::string pipe = dir.File("pipe.ini");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  PactStore store;
  CString why;
  EXPECT_FALSE(store.Load(pipe.c_str(), why)) << "a pipe is no file to read, and no wait";
  store.AddPact("Alpha/Xar", "Sar", 1, 9, "");
  EXPECT_FALSE(store.Save(pipe.c_str(), why));

  dir.Write("elsewhere/Trucelog.ini", kTwoGames);
  const std::string link = dir.File("Trucelog.ini");
  std::filesystem::create_symlink(dir.Path() / "elsewhere" / "Trucelog.ini", link);
  PactStore linked;
  ASSERT_TRUE(LoadStore(linked, link.c_str()));
  linked.AddPact("Alpha/Xar", "Sar", 1, 9, "");
  ASSERT_TRUE(SaveStore(linked, link.c_str()));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_NE(dir.Read("elsewhere/Trucelog.ini").find("Sar,1,9,"), std::string::npos);
  EXPECT_NE(dir.Read("elsewhere/Trucelog.ini").find("Kel,1,12,"), std::string::npos);
}

TEST(StoreFileSurroundings, TwoProcessesSavingAtOnceKeepEveryPactOfBoth) {
  TempDir dir;
  dir.Write("Trucelog.ini", kTwoGames);
  const std::string path = dir.File("Trucelog.ini");
  constexpr int kSaves = 25;
  pid_t children[2];
  for (int client = 0; client < 2; ++client) {
    children[client] = fork();
    ASSERT_GE(children[client], 0);
    if (children[client] == 0) {
      PactStore store;
      CString why;
      bool saved = store.Load(path.c_str(), why);
      for (int i = 0; i < kSaves && saved; ++i) {
        store.AddPact("Alpha/Xar", client == 0 ? "First" : "Second", 10 * i, 10 * i + 1, "");
        saved = store.Save(path.c_str(), why);
      }
      if (!saved) std::fprintf(stderr, "client %d: %s\n", client, why.GetString());
      _exit(saved ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every save succeeded";
  }
  PactStore reader;
  ASSERT_TRUE(LoadStore(reader, path.c_str()));
  for (const char* race : {"First", "Second"}) {
    for (DWORD i = 0; i < kSaves; ++i) {
      EXPECT_EQ(reader.GetPactEnd("Alpha/Xar", race, 10 * i), 10 * i + 1) << race << " " << i;
    }
  }
  EXPECT_EQ(reader.GetPactEnd("Beta/Xar", "Kel", 1), 12u);
}
#endif
