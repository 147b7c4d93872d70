// The memo through the loaded module when its surroundings fail: the player is told, once, in
// words naming the file and the system's reason; the pacts stay and are saved when saving works
// again, at the latest when the client closes.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "afx_faults.h"
#include "module/session.h"
#include "res/resource.h"
#include "support/scripted_user.h"

namespace {

const std::string kTwoGames =
    "@Alpha/Xar\r\nVor,10,15,NA/TR\r\nVor,16,20,\r\nLum,5,30,NA\r\n\r\n"
    "@Beta/Xar\r\nKel,1,12,\r\n\r\n";

void SignSar(Session& session, ScriptedUser& user) {
  session.host.AnswerSelection("51467", "Name", {"Sar"});
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) { input.Click(IDOK); });
  session.Command("Sign treaty", "51467");
}

// The system's words for `error`, as a message shows them.
std::string SystemText(DWORD error) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  while (length > 0 && std::isspace(static_cast<unsigned char>(text[length - 1]))) --length;
  return std::string(text, length);
}

struct FaultFreeAfterwards {
  ~FaultFreeAfterwards() { afx_faults::ClearFileFaults(); }
};

}  // namespace

TEST(MemoSurroundings, AStoreFileUnreadableAtStartUpIsSaidOnceNeverReplacedAndMergedLater) {
  const FaultFreeAfterwards cleanup;
  Session session(kTwoGames);
  ScriptedUser user;
  afx_faults::FailFileCall(afx_faults::FileCall::open);
  session.Start();
  afx_faults::ClearFileFaults();
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  const std::string said = user.messageBoxes[0].text;
  EXPECT_EQ(said.rfind("Trucelog could not read the pact store file\n", 0), 0u) << said;
  EXPECT_NE(said.find("PLUGINS\\Trucelog.ini\n" + SystemText(ERROR_ACCESS_DENIED) + "\n"),
            std::string::npos)
      << said;
  EXPECT_EQ(session.PactEnd("Vor"), "0") << "nothing was read";

  // Readable again by the time of the command: the save reads it first.
  SignSar(session, user);
  const std::string file = session.game.Read(Session::kStoreFile);
  for (const char* line : {"Vor,10,15,NA/TR", "Lum,5,30,NA", "Kel,1,12,", "Sar,12,22,"}) {
    EXPECT_NE(file.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(session.PactEnd("Vor"), "20") << "the table shows what the file held";
  EXPECT_EQ(user.messageBoxes.size(), 1u);
}

TEST(MemoSurroundings, AFailedSaveIsSaidOnceAndTriedAgainUntilTheClientCloses) {
  Session session(kTwoGames);
  ScriptedUser user;
  session.Start();
  // The store file turns into a folder: nothing can be written there.
  std::filesystem::remove(session.game.File(Session::kStoreFile));
  std::filesystem::create_directory(session.game.File(Session::kStoreFile));
  SignSar(session, user);
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  const std::string said = user.messageBoxes[0].text;
  EXPECT_EQ(said.rfind("Trucelog could not save your pacts to the pact store file\n", 0), 0u);
  EXPECT_NE(said.find(SystemText(ERROR_ACCESS_DENIED) + "\n\nThe pacts are kept"),
            std::string::npos)
      << said;
  EXPECT_EQ(session.PactEnd("Sar"), "22") << "the pact is kept in the session";

  session.host.AnswerSelection("51467", "Name", {"Lum"});
  user.AnswerMessageBox(IDYES);
  session.Command("Break treaty", "51467");
  EXPECT_EQ(user.messageBoxes.size(), 2u) << "the question, and the same failure not again";

  std::filesystem::remove(session.game.File(Session::kStoreFile));
  session.module.OnClose();
  const std::string file = session.game.Read(Session::kStoreFile);
  EXPECT_NE(file.find("Sar,12,22,"), std::string::npos) << "saved when the client closed";
  EXPECT_NE(file.find("Lum,5,12,NA"), std::string::npos);
  EXPECT_NE(file.find("Kel,1,12,"), std::string::npos);
  EXPECT_EQ(user.messageBoxes.size(), 2u);
}

TEST(MemoSurroundings, ARefusedSettingsWriteIsSaidAndTheConditionsAreSavedWhenTheClientCloses) {
  // A settings store that times out on one name while `refusing`.
  struct TimingOut : SimulatedHost::Client {
    bool refusing = true;
    bool Answer(const Entries& request, CMapStringToString& answer) override {
      if (!refusing || request.at("Function") != "WriteRegistry" ||
          request.at("Name") != "Trucelog\\Conditions\\0") {
        return false;
      }
      answer.SetAt("LastError", "Timeout");
      return true;
    }
    void Answered(const Entries&, const Entries&) override {}
  } timingOut;
  Session session(kTwoGames);
  session.host.SetClient(&timingOut);
  ScriptedUser user;
  session.Start();
  session.host.AnswerSelection("51467", "Name", {"Sar"});
  user.InDialog(IDD_SIGN_TREATY, [](CDialog&, CUserInput& input) {
    input.Click(IDC_ADD);
    input.Tick(IDC_CONDITIONS, "Open borders");
    input.Click(IDOK);
  });
  user.InDialog(IDD_NEW_CONDITION, [](CDialog&, CUserInput& input) {
    input.Type(IDC_MAIN_TEXT, "Open borders");
    input.Type(IDC_ABBREVIATION, "OB");
    input.Click(IDOK);
  });
  session.Command("Sign treaty", "51467");
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text,
            "Trucelog could not save your pact conditions in the client's settings: the client "
            "answered \"Timeout\" for Trucelog\\Conditions\\0.\n\nThe conditions are kept, and "
            "saving will be tried again after your next treaty command and when the client "
            "closes.");
  EXPECT_EQ(session.host.settings.count("Trucelog\\Conditions"), 0u) << "no count over a gap";
  EXPECT_NE(session.game.Read(Session::kStoreFile).find("Sar,12,22,OB"), std::string::npos);

  timingOut.refusing = false;
  session.module.OnClose();
  EXPECT_EQ(session.host.settings.at("Trucelog\\Conditions"), "1");
  EXPECT_EQ(session.host.settings.at("Trucelog\\Conditions\\0\\string"), "Open borders");
  EXPECT_EQ(user.messageBoxes.size(), 1u);
}

TEST(MemoSurroundings, AGameNamedLikeAnotherGamesStoreKeyLeavesThatMemoAlone) {
  Session session(kTwoGames);
  session.Start();
  session.Send(&PluginModule::OnGamesListModified, {{"Count", "2"},
                                                    {"Game.1", "Alpha"},
                                                    {"Race.1", "Xar"},
                                                    {"Game.2", "Alpha/Xar"},
                                                    {"Race.2", "Yon"}});
  EXPECT_EQ(session.PactEnd("Vor"), "20");
  session.gameName = "Alpha/Xar";
  session.raceName = "Yon";
  EXPECT_EQ(session.PactEnd("Vor"), "0");
}

TEST(MemoSurroundings, AFileStillUnreadableWhenSavingIsNotSaidTwice) {
  Session session;
  std::filesystem::create_directories(session.game.File(Session::kStoreFile));
  ScriptedUser user;
  session.Start();
  ASSERT_EQ(user.messageBoxes.size(), 1u);
  EXPECT_EQ(user.messageBoxes[0].text.rfind("Trucelog could not read", 0), 0u);
  SignSar(session, user);
  session.module.OnClose();
  EXPECT_EQ(user.messageBoxes.size(), 1u) << "the save held up for the same reason says nothing";
  EXPECT_TRUE(std::filesystem::is_directory(session.game.File(Session::kStoreFile)));
}
