// The store file survives a file layer that fails: every open, write, flush, sync, close and
// rename a save makes is failed in turn.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "afx_faults.h"
#include "store/pact_store.h"
#include "support/store_io.h"
#include "support/temp_dir.h"

namespace {

using afx_faults::FileCall;

const std::string kPreviousFile =
    "@Alpha/Xar\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\nLum,5,30,NA\r\n\r\n"
    "@Beta/Xar\r\nKel,1,12,\r\n\r\n";

#ifdef _WIN32
// Windows' own MoveFileExA moves files there, beyond the reach of injected faults.
constexpr FileCall kInjectedCalls[] = {FileCall::open, FileCall::write, FileCall::flush,
                                       FileCall::sync, FileCall::close};
#else
constexpr FileCall kInjectedCalls[] = {FileCall::open, FileCall::write, FileCall::flush,
                                       FileCall::sync, FileCall::close, FileCall::rename};
#endif

const char* NameOf(FileCall call) {
  switch (call) {
    case FileCall::open:
      return "open";
    case FileCall::write:
      return "write";
    case FileCall::flush:
      return "flush";
    case FileCall::sync:
      return "sync";
    case FileCall::close:
      return "close";
    case FileCall::rename:
      return "rename";
  }
  return "?";
}

std::set<std::string> FilesIn(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Clears every fault, also when an expectation fails midway.
struct FaultFreeAfterwards {
  ~FaultFreeAfterwards() { afx_faults::ClearFileFaults(); }
};

}  // namespace

// A game folder holding the previous file, and a session's store that read it and signed one
// more pact; when `anotherClientSaved`, another client then saved a pact of its own, so that
// the session's save must read the file first.
struct GameWithStore {
  explicit GameWithStore(bool anotherClientSaved) {
    game.Write("PLUGINS/Trucelog.ini", kPreviousFile);
    LoadStore(store, path.c_str());
    store.AddPact("Gamma/Xar", "Sar", 3, 9, "OB");
    if (anotherClientSaved) {
      PactStore other;
      LoadStore(other, path.c_str());
      other.AddPact("Beta/Xar", "Tor", 2, 3, "");
      SaveStore(other, path.c_str());
    }
    before = game.Read("PLUGINS/Trucelog.ini");
  }
  TempDir game;
  const std::string path = game.File("PLUGINS/Trucelog.ini");
  PactStore store;
  std::string before;
};

TEST(StoreFileFaults, ASaveFailingAtAnyFileCallKeepsThePreviousFileAndLeavesNothingBesideIt) {
  const FaultFreeAfterwards cleanup;
  std::string asLeftNewFile;
  for (const bool anotherClientSaved : {false, true}) {
    SCOPED_TRACE(anotherClientSaved ? "reading the file first" : "as the store left it");
    // What a save writes, and how many calls of each kind it makes.
    std::string newFile;
    std::map<FileCall, int> callsOf;
    {
      GameWithStore reference(anotherClientSaved);
      afx_faults::ClearFileFaults();
      ASSERT_TRUE(SaveStore(reference.store, reference.path.c_str()));
      newFile = reference.game.Read("PLUGINS/Trucelog.ini");
      for (FileCall call : kInjectedCalls) callsOf[call] = afx_faults::FileCallCount(call);
    }
    ASSERT_NE(newFile.find("@Gamma/Xar\r\nSar,3,9,OB\r\n\r\n"), std::string::npos);
    EXPECT_EQ(newFile.find("Tor,2,3,") != std::string::npos, anotherClientSaved);
    if (!anotherClientSaved) asLeftNewFile = newFile;

    for (FileCall call : kInjectedCalls) {
      const int calls = callsOf[call];
      EXPECT_GE(calls, 1) << "a save makes no " << NameOf(call) << " call";

      for (int nth = 1; nth <= calls; ++nth) {
        SCOPED_TRACE(std::string(NameOf(call)) + " call " + std::to_string(nth) + " fails");
        GameWithStore session(anotherClientSaved);
        afx_faults::ClearFileFaults();
        afx_faults::FailFileCall(call, nth);
        EXPECT_FALSE(SaveStore(session.store, session.path.c_str()));
        afx_faults::ClearFileFaults();
        EXPECT_EQ(session.game.Read("PLUGINS/Trucelog.ini"), session.before);
        EXPECT_EQ(FilesIn(session.game.Path() / "PLUGINS"), std::set<std::string>{"Trucelog.ini"});

        EXPECT_TRUE(SaveStore(session.store, session.path.c_str()));
        EXPECT_EQ(session.game.Read("PLUGINS/Trucelog.ini"), newFile);
        EXPECT_EQ(FilesIn(session.game.Path() / "PLUGINS"), std::set<std::string>{"Trucelog.ini"});
      }
    }
  }
#ifdef _WIN32
  // The system's own rename fails as it really does: on a store file someone holds open, even
  // after the tries a moment's hold is given.
  PactStore store;
  store.AddPact("Gamma/Xar", "Sar", 3, 9, "OB");
  const std::string& newFile = asLeftNewFile;
  TempDir game;
  game.Write("Trucelog.ini", kPreviousFile);
  const std::string path = game.File("Trucelog.ini");
  {
    CStdioFile holder;
    ASSERT_TRUE(holder.Open(path.c_str(), CFile::modeRead));
    SaveStore(store, path.c_str());
  }
  EXPECT_EQ(game.Read("Trucelog.ini"), kPreviousFile);
  EXPECT_EQ(FilesIn(game.Path()), std::set<std::string>{"Trucelog.ini"});
  SaveStore(store, path.c_str());
  EXPECT_EQ(game.Read("Trucelog.ini"), newFile);
#endif
}

TEST(StoreFileFaults, ASaveWithoutAPreviousFileThatFailsCreatesNone) {
  const FaultFreeAfterwards cleanup;
  PactStore store;
  store.AddPact("Alpha/Xar", "Vor", 1, 2, "");
  for (FileCall call : kInjectedCalls) {
    if (call == FileCall::open) continue;  // a failing open makes nothing
    SCOPED_TRACE(NameOf(call));
    TempDir game;
    afx_faults::FailFileCall(call);
    SaveStore(store, game.File("Trucelog.ini").c_str());
    afx_faults::ClearFileFaults();
    EXPECT_TRUE(FilesIn(game.Path()).empty());
  }
}

TEST(StoreFileFaults, AStoreFileThatCannotBeOpenedAddsNothing) {
  const FaultFreeAfterwards cleanup;
  TempDir game;
  game.Write("Trucelog.ini", kPreviousFile);
  PactStore store;
  store.AddPact("Alpha/Xar", "Vor", 1, 2, "");
  afx_faults::FailFileCall(FileCall::open);
  LoadStore(store, game.File("Trucelog.ini").c_str());
  afx_faults::ClearFileFaults();
  EXPECT_EQ(store.GetCount(), 1);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Vor", 2), 2u);
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Lum", 12), 0u);

  LoadStore(store, game.File("Trucelog.ini").c_str());
  EXPECT_EQ(store.GetPactEnd("Alpha/Xar", "Lum", 12), 30u) << "the next load reads it";
}
