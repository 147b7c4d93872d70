#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "afx_resource.h"
#include "afx_standin.h"
#include "support/resource_file.h"

extern const char afxResourceScript[];

namespace {

constexpr WORD kDialog = kResourceTypeDialog;
constexpr WORD kDialogInit = kResourceTypeDialogInit;
constexpr WORD kString = kResourceTypeString;
constexpr WORD kGroupIcon = kResourceTypeGroupIcon;

// Compiled resources made up by a test.
class MadeUpSource : public CCompiledResources::Source {
 public:
  void Add(WORD type, WORD id, std::string bytes) { resources_[{type, id}] = std::move(bytes); }
  bool Find(WORD type, WORD id, std::string_view& bytes, WORD& language) const override {
    const auto found = resources_.find({type, id});
    if (found == resources_.end()) return false;
    bytes = found->second;
    language = 0x0419;
    return true;
  }
  CString Narrow(std::u16string_view text) const override {
    std::string narrow;
    for (char16_t unit : text) narrow += static_cast<char>(unit);
    return CString(narrow.data(), static_cast<int>(narrow.size()));
  }

 private:
  std::map<std::pair<WORD, WORD>, std::string> resources_;
};

// The little-endian layouts the resource compiler writes.
struct Layout {
  std::string bytes;
  Layout& Word(DWORD value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
    return *this;
  }
  Layout& DoubleWord(DWORD value) { return Word(value & 0xFFFF).Word(value >> 16); }
  Layout& Text(const std::string& text) {
    for (char ch : text) Word(static_cast<unsigned char>(ch));
    return Word(0);
  }
  Layout& Align() {
    while (bytes.size() % 4) bytes += '\0';
    return *this;
  }
};

// A dialog with the font, an OK button named by its class's atom, and an up-down named by its
// class name, carrying two bytes of creation data.
std::string MadeUpDialog() {
  Layout dialog;
  dialog.DoubleWord(WS_POPUP | WS_CAPTION | DS_SETFONT).DoubleWord(WS_EX_CLIENTEDGE).Word(2);
  dialog.Word(0).Word(0).Word(120).Word(40);
  dialog.Word(0).Word(0).Text("Hello").Word(8).Text("MS Sans Serif");
  dialog.Align().DoubleWord(WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON).DoubleWord(0);
  dialog.Word(5).Word(20).Word(50).Word(14).Word(IDOK).Word(0xFFFF).Word(0x0080).Text("OK").Word(0);
  dialog.Align().DoubleWord(WS_CHILD | UDS_ARROWKEYS).DoubleWord(0);
  dialog.Word(60).Word(20).Word(11).Word(12).Word(0xFFFF).Text("msctls_updown32").Word(0);
  dialog.Word(2).Word(0xABCD);
  return dialog.bytes;
}

void ExpectSameDialog(const CDialogTemplate& compiled, const CDialogTemplate& script) {
  SCOPED_TRACE(testing::Message() << "dialog " << script.id);
  EXPECT_EQ(compiled.language, script.language);
  EXPECT_EQ(compiled.style, script.style);
  EXPECT_EQ(compiled.exStyle, script.exStyle);
  EXPECT_EQ(compiled.x, script.x);
  EXPECT_EQ(compiled.y, script.y);
  EXPECT_EQ(compiled.cx, script.cx);
  EXPECT_EQ(compiled.cy, script.cy);
  EXPECT_EQ(compiled.caption, script.caption);
  EXPECT_EQ(compiled.fontName, script.fontName);
  EXPECT_EQ(compiled.pointSize, script.pointSize);
  ASSERT_EQ(compiled.items.size(), script.items.size());
  for (std::size_t i = 0; i < script.items.size(); ++i) {
    const CDialogItemTemplate& a = compiled.items[i];
    const CDialogItemTemplate& b = script.items[i];
    SCOPED_TRACE(testing::Message() << "control " << i << " " << b.id << " " << b.text);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.windowClass, b.windowClass);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.exStyle, b.exStyle);
  }
  ASSERT_EQ(compiled.initData.size(), script.initData.size());
  for (std::size_t i = 0; i < script.initData.size(); ++i) {
    EXPECT_EQ(compiled.initData[i].controlId, script.initData[i].controlId);
    EXPECT_EQ(compiled.initData[i].message, script.initData[i].message);
    EXPECT_EQ(compiled.initData[i].text, script.initData[i].text);
  }
}

// What the resource compiler made of the module's script reads as the script itself does.
[[maybe_unused]] void ExpectSameAsTheScript(const CModuleResources& compiled) {
  const CResourceScript script(afxResourceScript);
  for (UINT id : {8000u, 8006u, 8009u}) {
    const CDialogTemplate* fromScript = script.FindDialog(id);
    const CDialogTemplate* fromCompiler = compiled.FindDialog(id);
    ASSERT_NE(fromScript, nullptr) << id;
    ASSERT_NE(fromCompiler, nullptr) << id;
    ExpectSameDialog(*fromCompiler, *fromScript);
  }
  CString text;
  EXPECT_TRUE(compiled.FindString(8003, text));
  EXPECT_EQ(text, "\nTrucelog\nTrucelog");
  EXPECT_FALSE(compiled.FindString(8002, text));
  EXPECT_FALSE(compiled.FindString(8004, text));
  EXPECT_TRUE(compiled.HasIcon(8003));
  EXPECT_FALSE(compiled.HasIcon(8000));
  EXPECT_EQ(compiled.FindDialog(8003), nullptr);
}

}  // namespace

TEST(CompiledResources, TheResourceCompilersOutputReadsAsTheScriptDoes) {
#ifdef TRUCELOG_COMPILED_RESOURCES
  auto file = std::make_unique<ResourceFile>(TRUCELOG_COMPILED_RESOURCES);
  ASSERT_GT(file->Count(), 0u) << TRUCELOG_COMPILED_RESOURCES;
  ExpectSameAsTheScript(CCompiledResources(std::move(file)));
#else
  GTEST_SKIP() << "the resource compiler or the Windows headers are not installed";
#endif
}

#ifdef _WIN32
TEST(CompiledResources, AWindowsModuleFindsItsOwnThroughTheLoader) {
  const AFX_MODULE_STATE program(GetModuleHandleA(nullptr));
  ASSERT_NE(program.Resources(), nullptr);
  ExpectSameAsTheScript(*program.Resources());
}
#endif

TEST(CompiledResources, ADialogTemplateReadsWithItsFontControlsAndInitialData) {
  auto source = std::make_unique<MadeUpSource>();
  source->Add(kDialog, 100, MadeUpDialog());
  source->Add(kDialogInit, 100,
              Layout{}.Word(7).Word(0x403).DoubleWord(4).bytes + "One" + std::string(1, '\0') +
                  Layout{}.Word(8).Word(0x401).DoubleWord(6).bytes + "Two" + std::string(3, '\0') +
                  Layout{}.Word(9).Word(0x1234).DoubleWord(2).bytes + "Z" + std::string(1, '\0') +
                  Layout{}.Word(0).bytes + "ignored");
  const CCompiledResources resources(std::move(source));
  const CDialogTemplate* dialog = resources.FindDialog(100);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->id, 100u);
  EXPECT_EQ(dialog->language, 0x0419);
  EXPECT_EQ(dialog->style, WS_POPUP | WS_CAPTION | DS_SETFONT);
  EXPECT_EQ(dialog->exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(dialog->cx, 120);
  EXPECT_EQ(dialog->caption, "Hello");
  EXPECT_EQ(dialog->fontName, "MS Sans Serif");
  EXPECT_EQ(dialog->pointSize, 8);
  ASSERT_EQ(dialog->items.size(), 2u);
  EXPECT_EQ(dialog->items[0].windowClass, "Button");
  EXPECT_EQ(dialog->items[0].text, "OK");
  EXPECT_EQ(dialog->items[0].id, static_cast<UINT>(IDOK));
  EXPECT_EQ(dialog->items[0].style, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON);
  EXPECT_EQ(dialog->items[1].windowClass, "msctls_updown32");
  EXPECT_EQ(dialog->items[1].text, "");
  EXPECT_EQ(dialog->items[1].id, 65535u);
  EXPECT_EQ(dialog->items[1].x, 60);
  ASSERT_EQ(dialog->initData.size(), 3u);
  EXPECT_EQ(dialog->initData[0].message, static_cast<UINT>(CB_ADDSTRING));
  EXPECT_EQ(dialog->initData[0].text, "One");
  EXPECT_EQ(dialog->initData[1].controlId, 8u);
  EXPECT_EQ(dialog->initData[1].message, static_cast<UINT>(LB_ADDSTRING));
  EXPECT_EQ(dialog->initData[1].text, "Two");
  EXPECT_EQ(dialog->initData[2].message, 0x1234u);
  EXPECT_EQ(resources.FindDialog(100), dialog) << "read once";
  EXPECT_EQ(resources.FindDialog(101), nullptr);
}

TEST(CompiledResources, DataThatDoesNotHoldTogetherReadsAsNoResource) {
  const std::string whole = MadeUpDialog();
  for (std::size_t length = 0; length < whole.size(); ++length) {
    auto source = std::make_unique<MadeUpSource>();
    source->Add(kDialog, 1, whole.substr(0, length));
    // Cut inside the declared length of an entry's text.
    source->Add(kDialogInit, 1, Layout{}.Word(7).Word(0x403).DoubleWord(40).bytes + "One");
    const CCompiledResources resources(std::move(source));
    EXPECT_EQ(resources.FindDialog(1), nullptr) << "cut after " << length << " bytes";
  }
  std::vector<CDialogInitEntry> entries;
  EXPECT_FALSE(afx_detail::DecodeDialogInit(
      Layout{}.Word(7).Word(0x403).DoubleWord(40).bytes + "One", entries));
  EXPECT_FALSE(afx_detail::DecodeDialogInit(Layout{}.Word(7).Word(0x403).bytes, entries));

  // An extended template is not read as an old one.
  auto extended = std::make_unique<MadeUpSource>();
  extended->Add(kDialog, 2, Layout{}.Word(1).Word(0xFFFF).bytes + whole.substr(4));
  EXPECT_EQ(CCompiledResources(std::move(extended)).FindDialog(2), nullptr);
}

TEST(CompiledResources, StringsAreFoundInTheirBlockOfSixteen) {
  auto source = std::make_unique<MadeUpSource>();
  // Block 501 holds the strings 8000 to 8015: 8001 "ab", 8003 "Trucelog", the rest empty.
  Layout block;
  block.Word(0).Word(2).Word('a').Word('b').Word(0).Word(8);
  for (char ch : std::string("Trucelog")) block.Word(static_cast<unsigned char>(ch));
  for (int i = 4; i < 16; ++i) block.Word(0);
  source->Add(kString, 501, block.bytes);
  source->Add(kString, 502, Layout{}.Word(5).Word('x').bytes);  // 8016 runs past the end
  source->Add(kGroupIcon, 8003, "icon");
  const CCompiledResources resources(std::move(source));

  CString text = "unchanged";
  EXPECT_FALSE(resources.FindString(8000, text)) << "an empty string is no string";
  EXPECT_TRUE(resources.FindString(8001, text));
  EXPECT_EQ(text, "ab");
  EXPECT_TRUE(resources.FindString(8003, text));
  EXPECT_EQ(text, "Trucelog");
  EXPECT_FALSE(resources.FindString(8015, text));
  EXPECT_FALSE(resources.FindString(8016, text));
  EXPECT_FALSE(resources.FindString(7999, text));
  EXPECT_FALSE(resources.FindString(0x10000 + 8001, text));
  EXPECT_EQ(text, "Trucelog");
  EXPECT_TRUE(resources.HasIcon(8003));
  EXPECT_FALSE(resources.HasIcon(8003 + 0x10000));
}
