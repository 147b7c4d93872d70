#include <gtest/gtest.h>

#include <string>

#include "config_dialog.h"
#include "module/session.h"
#include "res/resource.h"

namespace {

const Entries kGame = {{"GameName", "Alpha"}, {"RaceName", "Xar"}, {"Turn", "12"}};

}  // namespace

TEST(ConfigPage, OpensUnderThePluginsItemShowingTheSettings) {
  Session session;
  session.Start();
  HostConfigDialog settings(session.module);
  CDialog* page = settings.Open();
  ASSERT_NE(page, nullptr);
  const HTREEITEM item = settings.Tree().GetChildItem(settings.PluginsItem());
  EXPECT_EQ(settings.Tree().GetItemText(item), "Trucelog");
  EXPECT_EQ(AfxGetTreeItemMask(settings.Tree(), item), TVIF_TEXT | TVIF_PARAM);
  EXPECT_EQ(page->GetParent(), settings.Tree().GetParent());
  EXPECT_TRUE(page->IsWindowVisible());

  CUserInput input(*page);
  EXPECT_EQ(input.Text(IDC_DEFLEN), "10");
  EXPECT_EQ(input.Text(IDC_EXPTHR), "5");
  EXPECT_TRUE(input.IsChecked(IDC_WARN_REPORT));
  EXPECT_FALSE(input.IsChecked(IDC_WARN_GAME));
  EXPECT_TRUE(input.IsChecked(IDC_DECLARE_PEACE));
  EXPECT_TRUE(input.IsChecked(IDC_DECLARE_WAR));
  EXPECT_TRUE(input.IsChecked(IDC_COL_STATUS));
  EXPECT_TRUE(input.IsChecked(IDC_INFO_CUSTOM1));
  EXPECT_EQ(input.Text(IDC_SHOW_INFO), "Always");
  EXPECT_EQ(input.Text(IDC_SHOW_ALL), "Explicit");
  EXPECT_EQ(input.Text(IDC_EXPIRED), "Keep, but don't show");
  CStringArray choices;
  input.Items(IDC_EXPIRED, choices);
  EXPECT_EQ(choices.GetSize(), 4);
}

TEST(ConfigPage, ATurnCountOutsideTheRangeTurnsIntoTheDefaultWhenLeft) {
  Session session;
  session.Start();
  HostConfigDialog settings(session.module);
  CUserInput input(*settings.Open());
  input.Type(IDC_DEFLEN, "250");
  input.Key(VK_TAB);
  EXPECT_EQ(input.Text(IDC_DEFLEN), "10");
  input.Type(IDC_EXPTHR, "");
  input.Type(IDC_DEFLEN, "007");
  input.Key(VK_TAB);
  EXPECT_EQ(input.Text(IDC_EXPTHR), "5");
  EXPECT_EQ(input.Text(IDC_DEFLEN), "007") << "a valid text stays as typed";
  settings.Confirm(kGame);
  EXPECT_EQ(session.host.settings.at("Trucelog\\DefLen"), "007");
}

TEST(ConfigPage, ConfirmingSavesTheChoicesAndRefreshesTheRaceTable) {
  Session session;
  session.Start();
  HostConfigDialog settings(session.module);
  CUserInput input(*settings.Open());
  input.Click(IDC_COL_CUSTOM2);
  input.Pick(IDC_EXPIRED, "Delete");
  input.Click(IDC_WARN_GAME);
  settings.Confirm(kGame);

  EXPECT_EQ(session.host.settings.at("Trucelog\\ColNum"), "2");
  EXPECT_EQ(session.host.settings.at("Trucelog\\InfNum"), "0");
  EXPECT_EQ(session.host.settings.at("Trucelog\\flags"), "111110");
  EXPECT_EQ(session.host.SettingsWritten(),
            (std::vector<std::string>{"Trucelog\\DefLen", "Trucelog\\ExpThr", "Trucelog\\ColNum",
                                      "Trucelog\\InfNum", "Trucelog\\ShowInfo", "Trucelog\\ShowAll",
                                      "Trucelog\\flags"}));
  const auto refreshes = session.host.Calls("Refresh");
  ASSERT_EQ(refreshes.size(), 1u);
  EXPECT_EQ(refreshes[0], (Entries{{"Function", "Refresh"},
                                   {"GameName", "Alpha"},
                                   {"RaceName", "Xar"},
                                   {"Turn", "12"},
                                   {"Parameters.Count", "1"},
                                   {"Parameter.1", "51467"}}));
}

TEST(ConfigPage, OkWithoutTheGameSavesButDoesNotRefresh) {
  Session session;
  session.Start();
  HostConfigDialog settings(session.module);
  settings.Open();
  settings.Confirm({{"GameName", "Alpha"}, {"Turn", "3"}});
  EXPECT_EQ(session.host.settings.at("Trucelog\\flags"), "100111");
  EXPECT_TRUE(session.host.Calls("Refresh").empty());
}

TEST(ConfigPage, NoTreeOrNoItemCreatesNothing) {
  Session session;
  session.Start();
  for (const Entries& wrong :
       {Entries{{"TreeCtrl", "0"}}, Entries{{"Item", "0"}}, Entries{{"TreeCtrl", "none"}}}) {
    HostConfigDialog settings(session.module);
    EXPECT_EQ(settings.Open(wrong), nullptr);
    EXPECT_EQ(settings.Tree().GetChildItem(settings.PluginsItem()), nullptr);
  }
  CMapStringToString onlyTree;
  HostConfigDialog settings(session.module);
  onlyTree.SetAt("TreeCtrl",
                 std::to_string(reinterpret_cast<std::uintptr_t>(&settings.Tree())).c_str());
  session.module.CreateConfig(onlyTree);
  EXPECT_EQ(settings.Tree().GetChildItem(settings.PluginsItem()), nullptr);
}
