#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx_resource.h"
#include "afx_winuser.h"

extern const char afxResourceScript[];

namespace {

constexpr WORD kRussian = 1049;
constexpr UINT kNone = 65535;  // IDC_STATIC as the template stores it

const CResourceScript& Module() {
  static const CResourceScript script(afxResourceScript);
  return script;
}

const CDialogTemplate& Dialog(UINT id) {
  static const CDialogTemplate missing;
  const CDialogTemplate* dialog = Module().FindDialog(id);
  EXPECT_NE(dialog, nullptr) << "dialog " << id;
  return dialog ? *dialog : missing;
}

// A control by its id, or an unaddressed one (a label, a group box) by its caption.
const CDialogItemTemplate& Item(const CDialogTemplate& dialog, UINT id, const char* text = "") {
  static const CDialogItemTemplate missing;
  for (const CDialogItemTemplate& item : dialog.items) {
    if (item.id == id && (id != kNone || item.text == text)) return item;
  }
  ADD_FAILURE() << "no control " << id << " " << text << " in dialog " << dialog.id;
  return missing;
}

struct Expected {
  UINT id;
  const char* windowClass;
  const char* text;
  short x, y, cx, cy;
  DWORD styles;    // all must be set
  DWORD absent;    // none may be set
  DWORD typeMask;  // with `type`: the kind of button, combo box or static
  DWORD type;
};

void ExpectControls(const CDialogTemplate& dialog, const std::vector<Expected>& table) {
  for (const Expected& e : table) {
    const CDialogItemTemplate& item = Item(dialog, e.id, e.text);
    SCOPED_TRACE(testing::Message() << "dialog " << dialog.id << ", " << e.id << " " << e.text);
    EXPECT_EQ(item.windowClass, e.windowClass);
    EXPECT_EQ(item.text, e.text);
    EXPECT_EQ(item.x, e.x);
    EXPECT_EQ(item.y, e.y);
    EXPECT_EQ(item.cx, e.cx);
    EXPECT_EQ(item.cy, e.cy);
    EXPECT_EQ(item.style & (e.styles | WS_CHILD | WS_VISIBLE), e.styles | WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(item.style & e.absent, 0u);
    EXPECT_EQ(item.style & e.typeMask, e.type);
  }
}

std::vector<UINT> Ids(const CDialogTemplate& dialog) {
  std::vector<UINT> ids;
  for (const CDialogItemTemplate& item : dialog.items) ids.push_back(item.id);
  return ids;
}

// Every label of these dialogs is left-aligned, vertically centred, a group start, no tab stop.
void ExpectLabels(const CDialogTemplate& dialog) {
  for (const CDialogItemTemplate& item : dialog.items) {
    if (item.windowClass != WC_STATIC) continue;
    SCOPED_TRACE(item.text.GetString());
    EXPECT_EQ(item.id, kNone);
    EXPECT_EQ(item.style & 0x0F, SS_LEFT);
    EXPECT_EQ(item.style & (SS_CENTERIMAGE | WS_GROUP), SS_CENTERIMAGE | WS_GROUP);
    EXPECT_EQ(item.style & WS_TABSTOP, 0u);
  }
}

constexpr DWORD kSpin =
    UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr DWORD kComboKind = 0x03;

}  // namespace

TEST(ModuleResources, TheWholeScriptIsUnderstood) { EXPECT_EQ(Module().Error(), ""); }

TEST(ModuleResources, SignTreatyDialogIsACentredModalPopUpWithoutSystemMenu) {
  const CDialogTemplate& dialog = Dialog(8000);
  EXPECT_EQ(dialog.language, kRussian);
  EXPECT_EQ(dialog.caption, "Sign treaty");
  EXPECT_EQ(dialog.cx, 177);
  EXPECT_EQ(dialog.cy, 129);
  EXPECT_EQ(dialog.fontName, "MS Sans Serif");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.style,
            WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT);
  EXPECT_EQ(Ids(dialog), (std::vector<UINT>{1, 2, kNone, 8001, kNone, 8003, 8002, kNone, 8004, 8005,
                                            kNone, 8020, kNone, 8024}));
  ExpectLabels(dialog);
  ExpectControls(
      dialog,
      {
          {1, "Button", "OK", 29, 108, 50, 14, WS_TABSTOP, 0, BS_TYPEMASK, BS_DEFPUSHBUTTON},
          {2, "Button", "Cancel", 98, 108, 50, 14, WS_TABSTOP, 0, BS_TYPEMASK, BS_PUSHBUTTON},
          {kNone, "Static", "With", 7, 7, 16, 12, 0, 0, 0, 0},
          {8001, "ComboBox", "", 25, 7, 145, 61, CBS_SORT | WS_VSCROLL | WS_TABSTOP, 0, kComboKind,
           CBS_DROPDOWN},
          {kNone, "Static", "From turn", 7, 26, 32, 12, 0, 0, 0, 0},
          {8003, "Edit", "", 41, 26, 28, 12, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
           ES_UPPERCASE, 0, 0},
          {8002, "msctls_updown32", "Spin1", 69, 26, 11, 12, kSpin, WS_TABSTOP, 0, 0},
          {kNone, "Static", "till the turn", 71, 26, 33, 12, 0, 0, 0, 0},
          {8004, "Edit", "", 106, 26, 28, 12, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
           0, 0, 0},
          {8005, "msctls_updown32", "Spin2", 137, 26, 11, 12, kSpin, WS_TABSTOP, 0, 0},
          {kNone, "Static", "(inclusive)", 136, 26, 34, 12, 0, 0, 0, 0},
          {8020, "ListBox", "", 7, 58, 163, 43,
           LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_SORT | LBS_NOSEL | LBS_NOTIFY |
               LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
           0, 0, 0},
          {kNone, "Static", "Additional conditions:", 7, 45, 68, 10, 0, 0, 0, 0},
          {8024, "Button", "Add", 148, 45, 22, 10, BS_CENTER | BS_VCENTER | WS_TABSTOP, 0,
           BS_TYPEMASK, BS_PUSHBUTTON},
      });
}

TEST(ModuleResources, NewConditionDialogTurnsTheAbbreviationIntoCapitalsOnly) {
  const CDialogTemplate& dialog = Dialog(8009);
  EXPECT_EQ(dialog.language, kRussian);
  EXPECT_EQ(dialog.caption, "New condition");
  EXPECT_EQ(dialog.cx, 227);
  EXPECT_EQ(dialog.cy, 47);
  EXPECT_EQ(dialog.fontName, "MS Sans Serif");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.style,
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT);
  EXPECT_EQ(Ids(dialog), (std::vector<UINT>{1, 2, kNone, 8004, kNone, 8003}));
  ExpectLabels(dialog);
  ExpectControls(
      dialog,
      {
          {1, "Button", "OK", 109, 26, 50, 14, WS_TABSTOP, 0, BS_TYPEMASK, BS_DEFPUSHBUTTON},
          {2, "Button", "Cancel", 170, 26, 50, 14, WS_TABSTOP, 0, BS_TYPEMASK, BS_PUSHBUTTON},
          {kNone, "Static", "Main text", 7, 7, 44, 12, 0, 0, 0, 0},
          {8004, "Edit", "", 51, 7, 169, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
           ES_UPPERCASE | ES_NUMBER, 0, 0},
          {kNone, "Static", "Abbreviation", 7, 26, 44, 12, 0, 0, 0, 0},
          {8003, "Edit", "", 51, 26, 40, 12, ES_UPPERCASE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
           ES_NUMBER, 0, 0},
      });
}

TEST(ModuleResources, ConfigurationPageIsAHiddenChildWithoutCaptionOrBorder) {
  const CDialogTemplate& dialog = Dialog(8006);
  EXPECT_EQ(dialog.language, kRussian);
  EXPECT_EQ(dialog.style, WS_CHILD | DS_SETFONT);
  EXPECT_EQ(dialog.caption, "");
  EXPECT_EQ(dialog.cx, 207);
  EXPECT_EQ(dialog.cy, 151);
  EXPECT_EQ(dialog.fontName, "MS Sans Serif");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.items.size(), 27u);
  ExpectLabels(dialog);
  constexpr DWORD kRadio = BS_TYPEMASK;
  ExpectControls(
      dialog,
      {
          {kNone, "Static", "Default pact length", 7, 7, 61, 12, 0, 0, 0, 0},
          {8003, "Edit", "", 69, 7, 23, 12, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER, 0, 0, 0},
          {8002, "msctls_updown32", "", 127, 7, 11, 12, kSpin, 0, 0, 0},
          {kNone, "Static", "Expiry warning threshold", 7, 26, 77, 12, 0, 0, 0, 0},
          {8004, "Edit", "", 86, 26, 23, 12, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER, 0, 0, 0},
          {8005, "msctls_updown32", "", 127, 26, 11, 12, kSpin, 0, 0, 0},
          {8006, "Button", "Warn me when report loaded", 28, 38, 105, 12, 0, 0, BS_TYPEMASK,
           BS_AUTOCHECKBOX},
          {8007, "Button", "Warn me when game loaded", 28, 50, 109, 12, 0, 0, BS_TYPEMASK,
           BS_AUTOCHECKBOX},
          {8001, "ComboBox", "", 63, 67, 49, 48, 0, CBS_SORT, kComboKind, CBS_DROPDOWNLIST},
          {8025, "ComboBox", "", 63, 86, 49, 46, 0, CBS_SORT, kComboKind, CBS_DROPDOWNLIST},
          {8018, "Button", "Declare peace when signing pact", 7, 105, 132, 12, 0, 0, BS_TYPEMASK,
           BS_AUTOCHECKBOX},
          {8019, "Button", "Declare war when breaking pact", 7, 117, 131, 12, 0, 0, BS_TYPEMASK,
           BS_AUTOCHECKBOX},
          {kNone, "Button", "Use column", 144, 7, 56, 67, 0, 0, BS_TYPEMASK, BS_GROUPBOX},
          {8014, "Button", "Status", 150, 19, 41, 12, WS_GROUP, 0, kRadio, BS_AUTORADIOBUTTON},
          {8015, "Button", "Custom1", 150, 31, 44, 12, 0, WS_GROUP, kRadio, BS_AUTORADIOBUTTON},
          {8017, "Button", "Custom3", 150, 55, 43, 12, 0, WS_GROUP, kRadio, BS_AUTORADIOBUTTON},
          {kNone, "Button", "Info column", 144, 79, 56, 53, 0, 0, BS_TYPEMASK, BS_GROUPBOX},
          {8021, "Button", "Custom1", 150, 91, 43, 12, WS_GROUP, 0, kRadio, BS_AUTORADIOBUTTON},
          {8023, "Button", "Custom3", 150, 115, 39, 12, 0, WS_GROUP, kRadio, BS_AUTORADIOBUTTON},
          {kNone, "Static", "Expired pacts:", 7, 132, 47, 12, WS_GROUP, 0, 0, 0},
          {8026, "ComboBox", "", 57, 132, 87, 48, 0, CBS_SORT, kComboKind, CBS_DROPDOWNLIST},
      });
}

TEST(ModuleResources, ConfigurationPageRadioGroupsHoldTheirRadioButtonsOnly) {
  // The arrow keys move the focus within a group, from one group start to the next; labels and
  // group boxes never take it.
  std::vector<std::vector<UINT>> groups;
  std::vector<bool> withRadios;
  for (const CDialogItemTemplate& item : Dialog(8006).items) {
    if (groups.empty() || (item.style & WS_GROUP)) {
      groups.emplace_back();
      withRadios.push_back(false);
    }
    const bool button = item.windowClass == WC_BUTTON;
    const DWORD kind = item.style & BS_TYPEMASK;
    if (item.windowClass == WC_STATIC || (button && kind == BS_GROUPBOX)) continue;
    groups.back().push_back(item.id);
    if (button && kind == BS_AUTORADIOBUTTON) withRadios.back() = true;
  }
  std::vector<std::vector<UINT>> radioGroups;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    if (withRadios[i]) radioGroups.push_back(groups[i]);
  }
  EXPECT_EQ(radioGroups,
            (std::vector<std::vector<UINT>>{{8014, 8015, 8016, 8017}, {8021, 8022, 8023}}));
}

TEST(ModuleResources, ConfigurationPageDropDownsOfferTheirChoicesInOrder) {
  std::vector<std::string> seen;
  for (const CDialogInitEntry& entry : Dialog(8006).initData) {
    EXPECT_EQ(entry.message, CB_ADDSTRING);
    seen.push_back(std::to_string(entry.controlId) + " " + entry.text.GetString());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"8001 Never", "8001 Explicit", "8001 Always",
                                            "8025 Never", "8025 Explicit", "8025 Always",
                                            "8026 Delete", "8026 Keep, but don't show",
                                            "8026 Show turn only", "8026 Show turn & conditions"}));
  EXPECT_TRUE(Dialog(8000).initData.empty());
}

TEST(ModuleResources, WarningDocumentTypeHasItsStringAndIcon) {
  CString text;
  EXPECT_TRUE(Module().FindString(8003, text));
  EXPECT_EQ(text, "\nTrucelog\nTrucelog");
  EXPECT_TRUE(Module().HasIcon(8003));
  EXPECT_FALSE(Module().HasIcon(8000));
  EXPECT_FALSE(Module().FindString(8000, text));
  EXPECT_EQ(text, "\nTrucelog\nTrucelog");
  EXPECT_EQ(Module().FindDialog(8003), nullptr);
}

TEST(ResourceScript, StylesStartFromTheStatementsDefaultsAndNotClearsBits) {
  const CResourceScript script(
      "#include <winresrc.h>\n"
      "#define BASE 0x10\n"
      "#define FIELD (BASE + 2)\n"
      "1 DIALOGEX 0, 0, 10, 10\n"
      "BEGIN\n"
      "  EDITTEXT FIELD, 1, 2, 3, 4, ES_NUMBER | NOT WS_TABSTOP | 0x8000L\n"
      "  LTEXT \"plain\", -1, 0, 0, 1, 1\n"
      "  LTEXT \"styled\", IDC_STATIC, 0, 0, 1, 1, SS_NOPREFIX\n"
      "  AUTORADIOBUTTON \"r\", 3, 0, 0, 1, 1, WS_GROUP\n"
      "  CONTROL \"\", 4, \"BUTTON\", BS_AUTOCHECKBOX | NOT WS_VISIBLE, 0, 0, 1, 1\n"
      "  COMBOBOX 5, 0, 0, 1, 1, (CBS_DROPDOWNLIST) | WS_TABSTOP, WS_EX_CLIENTEDGE\n"
      "  ICON \"logo\", 6, 9, 9, 20, 20\n"
      "END\n");
  ASSERT_EQ(script.Error(), "");
  const CDialogTemplate* dialog = script.FindDialog(1);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->language, 0x0409);
  EXPECT_EQ(dialog->style, WS_POPUP | WS_BORDER | WS_SYSMENU);
  ASSERT_EQ(dialog->items.size(), 7u);
  const auto& items = dialog->items;
  EXPECT_EQ(items[0].id, 0x12u);
  EXPECT_EQ(items[0].style, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER | 0x8000);
  EXPECT_EQ(items[1].id, 65535u);
  EXPECT_EQ(items[1].style, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT);
  EXPECT_EQ(items[2].style, WS_CHILD | WS_VISIBLE | SS_NOPREFIX);
  EXPECT_EQ(items[3].style, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON);
  EXPECT_EQ(items[4].windowClass, "Button");
  EXPECT_EQ(items[4].style, WS_CHILD | BS_AUTOCHECKBOX);
  EXPECT_EQ(items[5].style, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_TABSTOP);
  EXPECT_EQ(items[5].exStyle, WS_EX_CLIENTEDGE);
  EXPECT_EQ(items[6].windowClass, "Static");
  EXPECT_EQ(items[6].style, WS_CHILD | WS_VISIBLE | SS_ICON);
  EXPECT_EQ(items[6].cx, 0);
}

TEST(ResourceScript, TextsConditionalsAndInitialDataAreReadAsTheCompilerReadsThem) {
  const CResourceScript script(
      "/* a comment\n   over lines */\n"
      "#ifdef APSTUDIO_INVOKED\n"
      "1 TEXTINCLUDE BEGIN \"unreadable \\\" stuff\" END\n"
      "#error never read\n"
      "#else\n"
      "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
      "#endif\n"
      "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_RUS)\n"
      "LANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT  // read\n"
      "#endif\n"
      "STRINGTABLE DISCARDABLE\n"
      "BEGIN\n"
      "  7 \"a\\tb\\\\c\\\"d\"\"e\\101\\x42\"\n"
      "  8, \"joined \" \"text\"\n"
      "END\n"
      "9 DIALOG 0, 0, 5, 5 BEGIN LISTBOX 2, 0, 0, 1, 1 END\n"
      "9 DLGINIT\n"
      "BEGIN\n"
      "  2, 0x401, 3L, \"ab\\000\"\n"
      "  2, 0x401, 4, 0 0x7978, \"z\" \"\\000\"\n"
      "  0\n"
      "END\n"
      "IDR_MENU MENU BEGIN POPUP \"&File\" BEGIN MENUITEM \"E&xit\", 1 END END\n"
      "1 24 \"app.manifest\"\n");
  ASSERT_EQ(script.Error(), "");
  CString text;
  EXPECT_TRUE(script.FindString(7, text));
  EXPECT_EQ(text, "a\tb\\c\"d\"eAB");
  EXPECT_TRUE(script.FindString(8, text));
  EXPECT_EQ(text, "joined text");
  const CDialogTemplate* dialog = script.FindDialog(9);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->language, 0x0419);
  ASSERT_EQ(dialog->initData.size(), 2u);
  EXPECT_EQ(dialog->initData[0].message, LB_ADDSTRING);
  EXPECT_EQ(dialog->initData[0].text, "ab");
  EXPECT_EQ(dialog->initData[1].controlId, 2u);
  EXPECT_EQ(dialog->initData[1].text, "xyz");
}

TEST(ResourceScript, WhatCannotBeReadIsReportedWithItsLine) {
  const struct {
    const char* script;
    const char* error;
  } cases[] = {
      {"1 DIALOG 0, 0, 1, 1\nBEGIN\n  EDITTEXT 2, 0, 0, 1, 1,\n    ES_NUMBRE\nEND\n",
       "line 4: unknown name 'ES_NUMBRE'"},
      {"STRINGTABLE\nBEGIN\n  1 \"open\nEND\n", "line 3: string not closed"},
      {"1 DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"x\", 1, 0, 0\n", "line 3: ',' expected"},
      {"1 DIALOG 0, 0, 1, 1\nBEGIN\n", "line 2: END expected"},
      {"\n1 DLGINIT\nBEGIN\n  2, 0x403, 9, 0, \"ab\", 0\nEND\n",
       "line 3: initial data ends inside an entry"},
      {"#ifdef X\n1 ICON \"a.ico\"\n", "line 1: #if without #endif"},
      {"#endif\n", "line 1: #endif without #if"},
      {"/* never closed", "line 1: comment not closed"},
      {"1 ICON \"a.ico\"\n2 ICON a.ico\n", "line 2: unexpected character '.'"},
      {"#define A B\n#define B A\n1 DIALOG A, 0, 1, 1 BEGIN END\n", "line 3: unknown name 'A'"},
      {"LANGUAGE 1 / 0, 1\n", "line 1: division by zero"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const CResourceScript script(c.script);
    EXPECT_EQ(script.Error(), c.error);
  }
  // Nesting and expansion are bounded instead of exhausting the stack or the memory.
  const std::string deep = "LANGUAGE " + std::string(1000, '(') + "1";
  EXPECT_NE(CResourceScript(deep.c_str()).Error().Find("nested too deeply"), -1);
  std::string bomb = "#define M0 1\n";
  for (int i = 1; i < 40; ++i) {
    bomb += "#define M" + std::to_string(i) + " M" + std::to_string(i - 1) + " M" +
            std::to_string(i - 1) + "\n";
  }
  bomb += "1 RCDATA BEGIN M39 END\n";
  EXPECT_EQ(CResourceScript(bomb.c_str()).Error(), "line 41: script too large");
  EXPECT_EQ(CResourceScript(nullptr).Error(), "");
  EXPECT_EQ(CResourceScript(nullptr).FindDialog(1), nullptr);
}
