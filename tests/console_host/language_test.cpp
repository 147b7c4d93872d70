// The pieces of the session language: words and quotes, the settings file, and the names by
// which a person finds the controls of the plug-in's own dialog layouts.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "afx_standin.h"
#include "dialog_view.h"
#include "display.h"
#include "res/resource.h"
#include "script_words.h"
#include "settings_file.h"
#include "support/temp_dir.h"

extern const char afxResourceScript[];

namespace {

using Words = std::vector<std::string>;

std::string EveryByte() {
  std::string bytes;
  for (int code = 1; code < 256; ++code) bytes += static_cast<char>(code);
  return bytes;
}

std::string Thrown(const std::string& line) {
  try {
    SplitWords(line);
  } catch (const SessionError& error) {
    return error.what();
  }
  return "";
}

// A dialog of the module's resource script, built as the framework builds it, without the
// plug-in's code behind it.
class TemplateDialog {
 public:
  explicit TemplateDialog(UINT id) : state_(afxResourceScript), current_(&state_) {
    parent_.Attach(AfxCreateWindow("#32770", "Settings", WS_POPUP | WS_VISIBLE, 0,
                                   RECT{0, 0, 320, 200}, nullptr, 0));
    dialog_.Create(id, &parent_);
    dialog_.ShowWindow(SW_SHOW);
  }
  ~TemplateDialog() {
    dialog_.DestroyWindow();
    parent_.DestroyWindow();
  }
  CDialog& Dialog() { return dialog_; }

 private:
  AFX_MODULE_STATE state_;
  AFX_MAINTAIN_STATE2 current_;
  CWnd parent_;
  CDialog dialog_;
};

std::string FindFails(const DialogView& view, const std::string& name,
                      const std::vector<ControlKind>& kinds) {
  try {
    view.Find(name, kinds, "a control");
  } catch (const SessionError& error) {
    return error.what();
  }
  return "";
}

}  // namespace

TEST(Words, QuotesKeepBlanksEscapesWriteAnyByteAndCommentsEndTheLine) {
  EXPECT_EQ(SplitWords("  menu races \"Sign treaty\"  # the race table\n"),
            (Words{"menu", "races", "Sign treaty"}));
  EXPECT_EQ(SplitWords("type \"\" x\"y z\"w Trucelog\\DefLen"),
            (Words{"type", "", "xy zw", "Trucelog\\DefLen"}));
  EXPECT_EQ(SplitWords("say \"a \\\"b\\\" \\\\ \\x41\\xc0#\\t\""),
            (Words{"say", "a \"b\" \\ A\xC0#\t"}));
  EXPECT_EQ(SplitWords("# nothing but a comment"), Words{});
  EXPECT_EQ(Thrown("type till \"20"), "a quote is not closed: add the closing \"");
  EXPECT_NE(Thrown("type \"\\q\""), "");
  EXPECT_NE(Thrown("type \"\\x4\""), "");

  // Whatever a word holds, written back it reads the same.
  for (const std::string& word :
       {std::string(), std::string("plain"), std::string("two words"), std::string("#hash"),
        std::string("q\"uote"), std::string("back\\slash"), EveryByte()}) {
    EXPECT_EQ(SplitWords("x " + QuoteWord(word)), (Words{"x", word})) << QuoteWord(word);
  }
  EXPECT_EQ(QuoteWord("Vor"), "Vor");
  EXPECT_EQ(QuoteWord("Sign treaty"), "\"Sign treaty\"");
}

TEST(Words, WhatThePersonTypesInUtf8ReachesTheClientInItsCodePage) {
  std::string letters = "\x95\xA7\xA8\xB8";
  for (int code = 0xC0; code <= 0xFF; ++code) letters += static_cast<char>(code);
  EXPECT_EQ(TypedAnsi(ShowAnsi(letters)), letters);
  EXPECT_EQ(TypedAnsi("\xD0\x92\xD0\xBE\xD1\x80 Vor"), "\xC2\xEE\xF0 Vor");
  // What the code page lacks, and bytes that are no UTF-8 at all, stay as they were.
  EXPECT_EQ(TypedAnsi("\xE2\x82\xAC \xC0\xEB \xD0"), "\xE2\x82\xAC \xC0\xEB \xD0");
}

TEST(SettingsFile, EveryByteOfANameOrValueComesBackAndTheFileStaysReadable) {
  TempDir folder;
  const std::string path = folder.File("client-settings.txt");
  const Entries settings = {{"Trucelog\\DefLen", "10"},
                            {"Trucelog\\Conditions\\0\\string", "Open borders"},
                            {"  spaced = name ", " value with blanks "},
                            {"#not a comment", ""},
                            {"every byte", EveryByte()},
                            {"percent", "100% \xC0\xE1"}};
  ASSERT_TRUE(SaveSettingsFile(path, settings));
  EXPECT_EQ(LoadSettingsFile(path), settings);

  const std::string text = folder.Read("client-settings.txt");
  EXPECT_NE(text.find("\nTrucelog\\DefLen = 10\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nTrucelog\\Conditions\\0\\string = Open borders\n"), std::string::npos);
  EXPECT_NE(text.find("\npercent = 100%25 %C0%E1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n%23not a comment =\n"), std::string::npos) << text;
  for (const char ch : text) {
    const auto code = static_cast<unsigned char>(ch);
    EXPECT_TRUE(ch == '\n' || (code >= 0x20 && code < 0x7F)) << "byte " << int{code};
  }

  folder.Write("edited.txt", "# by hand\r\nTrucelog\\ExpThr=3\r\nno equals sign\r\n= no name\r\n");
  std::vector<std::string> skipped;
  EXPECT_EQ(LoadSettingsFile(folder.File("edited.txt"), &skipped),
            (Entries{{"Trucelog\\ExpThr", "3"}}));
  EXPECT_EQ(skipped, (std::vector<std::string>{"3: no equals sign", "4: = no name"}));
  EXPECT_EQ(LoadSettingsFile(folder.File("missing.txt")), Entries{});
  EXPECT_FALSE(SaveSettingsFile(folder.File("no/such/folder/file.txt"), settings));
}

TEST(SettingsFile, EachSaveReplacesTheLastWhole) {
  TempDir folder;
  const std::string path = folder.File("client-settings.txt");
  ASSERT_TRUE(SaveSettingsFile(path, {{"Trucelog\\DefLen", "10"}, {"Trucelog\\ExpThr", "5"}}));
  ASSERT_TRUE(SaveSettingsFile(path, {{"Trucelog\\DefLen", "7"}}));
  EXPECT_EQ(LoadSettingsFile(path), (Entries{{"Trucelog\\DefLen", "7"}}));
  EXPECT_FALSE(folder.Exists("client-settings.txt.new"));
}

TEST(DialogView, FieldsAreNamedByTheLabelBesideOrAboveThem) {
  TemplateDialog sign(IDD_SIGN_TREATY);
  const DialogView view(sign.Dialog());
  const std::vector<ControlKind> fields = {ControlKind::kEdit, ControlKind::kCombo,
                                           ControlKind::kList};
  EXPECT_EQ(view.Caption(), "Sign treaty");
  EXPECT_EQ(view.Find("With", fields, "a field").id, IDC_RACE);
  EXPECT_EQ(view.Find("race", fields, "a field").id, IDC_RACE);
  EXPECT_EQ(view.Find("from turn", fields, "a field").id, IDC_FROM);
  EXPECT_EQ(view.Find("From", fields, "a field").id, IDC_FROM);
  EXPECT_EQ(view.Find("till the turn", fields, "a field").id, IDC_TILL);
  EXPECT_EQ(view.Find("till", fields, "a field").id, IDC_TILL);
  EXPECT_EQ(view.Find("Additional conditions", fields, "a field").id, IDC_CONDITIONS)
      << "the label above the list, not the one before it in the template";
  EXPECT_EQ(view.Find("add", {ControlKind::kButton}, "a button").id, IDC_ADD);
  EXPECT_EQ(FindFails(view, "turn", fields),
            "\"turn\" could be any of \"From turn\", \"till the turn\" in the \"Sign treaty\" "
            "dialog: say which");
  EXPECT_EQ(FindFails(view, "Cancel", fields),
            "\"Cancel\" in the \"Sign treaty\" dialog is a button, not a control");
  EXPECT_EQ(view.TextLines(),
            (std::vector<std::string>{"With  [                             \xE2\x96\xBE]",
                                      "From turn  [    ]  till the turn  [    ]  (inclusive)",
                                      "Additional conditions:  [ Add ]", "    (no items)",
                                      "[ OK ]  [ Cancel ]"}));
}

TEST(DialogView, ChoicesAreFoundThroughTheirGroupAndTheSameCaptionTwiceIsAmbiguous) {
  TemplateDialog page(IDD_CONFIG);
  const DialogView view(page.Dialog(), "Trucelog");
  const std::vector<ControlKind> fields = {ControlKind::kEdit, ControlKind::kDropList};
  EXPECT_EQ(view.Find("Default pact length", fields, "a field").id, IDC_DEFLEN);
  EXPECT_EQ(view.Find("expiry", fields, "a field").id, IDC_EXPTHR);
  EXPECT_EQ(view.Find("Show conditions", fields, "a field").id, IDC_SHOW_INFO);
  EXPECT_EQ(view.Find("Show all pacts", fields, "a field").id, IDC_SHOW_ALL);
  EXPECT_EQ(view.Find("Expired pacts", fields, "a field").id, IDC_EXPIRED);
  EXPECT_EQ(view.Find("Use column", {ControlKind::kGroupBox}, "a group").id, 65535);
  EXPECT_EQ(FindFails(view, "Custom1", {ControlKind::kRadio}),
            "\"Custom1\" could be any of \"Custom1\" (in \"Use column\"), \"Custom1\" (in \"Info "
            "column\") in the \"Trucelog\" page: say which");
  std::map<int, std::string> groups;
  for (const DialogControl& control : view.Controls()) groups[control.id] = control.group;
  EXPECT_EQ(groups[IDC_COL_CUSTOM2], "Use column");
  EXPECT_EQ(groups[IDC_INFO_CUSTOM3], "Info column");
  EXPECT_EQ(groups[IDC_WARN_REPORT], "");
  EXPECT_EQ(NameFit("use col", "Use column"), 1);
  EXPECT_EQ(NameFit("USE COLUMN:", "&Use column"), 2);
  EXPECT_EQ(NameFit("column use", "Use column"), 0);
  EXPECT_EQ(NameFit("", "Use column"), 0);
}

TEST(DialogView, APictureKeepsEachControlToItselfAndShowsWhenAListHoldsMore) {
  TemplateDialog sign(IDD_SIGN_TREATY);
  const auto conditions = [&](int count) {
    sign.Dialog().SendDlgItemMessage(IDC_CONDITIONS, LB_RESETCONTENT);
    for (int i = 1; i <= count; ++i) {
      const std::string text = "Condition " + std::to_string(i);
      sign.Dialog().SendDlgItemMessage(IDC_CONDITIONS, LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(text.c_str()));
    }
    return DialogView(sign.Dialog()).Svg("Sign treaty");
  };
  const std::string three = conditions(3);
  const std::string eight = conditions(8);
  const auto tracks = [](const std::string& svg) {
    std::size_t count = 0;
    for (std::size_t at = svg.find("fill=\"#eeeeee\""); at != std::string::npos;
         at = svg.find("fill=\"#eeeeee\"", at + 1)) {
      ++count;
    }
    return count;
  };
  EXPECT_EQ(tracks(three), 0u) << "three conditions fit the list";
  EXPECT_EQ(tracks(eight), 1u) << "eight do not: a scroll bar";
  EXPECT_NE(eight.find(">Condition 1<"), std::string::npos);
  EXPECT_EQ(eight.find(">Condition 8<"), std::string::npos) << "below the list's edge";
  EXPECT_EQ(eight.find("textLength"), std::string::npos);
  // Every control in a clipped group of its own.
  std::size_t clips = 0;
  for (std::size_t at = eight.find("<clipPath"); at != std::string::npos;
       at = eight.find("<clipPath", at + 1)) {
    ++clips;
  }
  EXPECT_GE(clips, DialogView(sign.Dialog()).Controls().size());
}
