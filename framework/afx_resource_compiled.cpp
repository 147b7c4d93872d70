// Resources in the layouts the resource compiler writes: little-endian words and double words,
// UTF-16 text, the items of a dialog template each aligned to a double word.
#include <string>

#include "afx_resource.h"
#include "afx_winuser.h"

namespace {

// Initial-data messages keep the numbers of the 16-bit framework.
constexpr UINT kOldListAddString = 0x0401;
constexpr UINT kOldComboAddString = 0x0403;

// The predefined window classes, by the atom a template names them with.
struct ClassAtom {
  WORD atom;
  const char* name;
};
constexpr ClassAtom kClassAtoms[] = {{0x0080, "Button"},    {0x0081, "Edit"},
                                     {0x0082, "Static"},    {0x0083, "ListBox"},
                                     {0x0084, "ScrollBar"}, {0x0085, "ComboBox"}};

// Reads forward through bytes; a read past the end fails the reader for good.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  std::size_t at() const { return at_; }

  WORD Word() {
    if (!Has(2)) return 0;
    const WORD value = static_cast<WORD>(Byte(at_) | (Byte(at_ + 1) << 8));
    at_ += 2;
    return value;
  }
  DWORD DoubleWord() {
    const DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  short Short() { return static_cast<short>(Word()); }

  // A zero-terminated UTF-16 string.
  std::u16string Text() {
    std::u16string text;
    for (WORD unit = Word(); ok_ && unit != 0; unit = Word()) text += static_cast<char16_t>(unit);
    return text;
  }
  // A name or an ordinal: nothing (0), an ordinal (0xFFFF and a word) or a string.
  void NameOrOrdinal(std::u16string& name, WORD& ordinal) {
    name.clear();
    ordinal = 0;
    if (!Has(2)) return;
    const WORD first = static_cast<WORD>(Byte(at_) | (Byte(at_ + 1) << 8));
    if (first == 0) {
      at_ += 2;
    } else if (first == 0xFFFF) {
      at_ += 2;
      ordinal = Word();
    } else {
      name = Text();
    }
  }
  void Skip(std::size_t count) {
    if (Has(count)) at_ += count;
  }
  void AlignToDoubleWord() { Skip((4 - at_ % 4) % 4); }

 private:
  bool Has(std::size_t count) {
    if (bytes_.size() - at_ < count) ok_ = false;
    return ok_;
  }
  DWORD Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  std::string_view bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

// The other window classes the framework knows, as it spells them.
constexpr const char* kCommonControls[] = {UPDOWN_CLASS, WC_TREEVIEW};

const char* ClassOfAtom(WORD atom) {
  for (const ClassAtom& known : kClassAtoms) {
    if (known.atom == atom) return known.name;
  }
  return "";
}

// Class names ignore case; the resource compiler may have changed it.
CString KnownSpelling(const CString& name) {
  for (const ClassAtom& known : kClassAtoms) {
    if (name.CompareNoCase(known.name) == 0) return known.name;
  }
  for (const char* known : kCommonControls) {
    if (name.CompareNoCase(known) == 0) return known;
  }
  return name;
}

}  // namespace

namespace afx_detail {

bool DecodeDialogInit(std::string_view bytes, std::vector<CDialogInitEntry>& entries) {
  Reader in(bytes);
  while (bytes.size() - in.at() >= 2) {
    const WORD control = in.Word();
    if (control == 0) break;
    const WORD message = in.Word();
    const DWORD length = in.DoubleWord();
    if (!in.ok() || length > bytes.size() - in.at()) return false;
    CDialogInitEntry entry;
    entry.controlId = control;
    entry.message = message == kOldComboAddString  ? CB_ADDSTRING
                    : message == kOldListAddString ? LB_ADDSTRING
                                                   : message;
    const std::string_view text = bytes.substr(in.at(), length);
    entry.text = CString(
        text.data(), static_cast<int>(text.find('\0') == std::string_view::npos ? text.size()
                                                                                : text.find('\0')));
    in.Skip(length);
    entries.push_back(std::move(entry));
  }
  return true;
}

bool DecodeDialogTemplate(std::string_view bytes, const CCompiledResources::Source& source,
                          CDialogTemplate& dialog) {
  Reader in(bytes);
  dialog.style = in.DoubleWord();
  dialog.exStyle = in.DoubleWord();
  // An extended template starts with version 1 and signature 0xFFFF, which no style has.
  if (LOWORD(dialog.style) == 1 && HIWORD(dialog.style) == 0xFFFF) return false;
  const WORD count = in.Word();
  dialog.x = in.Short();
  dialog.y = in.Short();
  dialog.cx = in.Short();
  dialog.cy = in.Short();
  std::u16string name;
  WORD ordinal = 0;
  in.NameOrOrdinal(name, ordinal);  // the menu
  in.NameOrOrdinal(name, ordinal);  // the window class
  dialog.caption = source.Narrow(in.Text());
  if (dialog.style & DS_SETFONT) {
    dialog.pointSize = in.Word();
    dialog.fontName = source.Narrow(in.Text());
  }
  for (WORD i = 0; i < count && in.ok(); ++i) {
    in.AlignToDoubleWord();
    CDialogItemTemplate item;
    item.style = in.DoubleWord();
    item.exStyle = in.DoubleWord();
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
    item.id = in.Word();
    in.NameOrOrdinal(name, ordinal);
    item.windowClass = ordinal ? CString(ClassOfAtom(ordinal)) : KnownSpelling(source.Narrow(name));
    in.NameOrOrdinal(name, ordinal);
    item.text = source.Narrow(name);
    in.Skip(in.Word());  // creation data
    dialog.items.push_back(std::move(item));
  }
  return in.ok();
}

}  // namespace afx_detail

CCompiledResources::CCompiledResources(std::unique_ptr<Source> source)
    : source_(std::move(source)) {}

const CDialogTemplate* CCompiledResources::FindDialog(UINT id) const {
  if (id > 0xFFFF) return nullptr;
  const auto [found, first] = dialogs_.try_emplace(id);
  if (first) {
    std::string_view bytes;
    CDialogTemplate dialog;
    dialog.id = id;
    WORD language = 0;
    if (source_->Find(kResourceTypeDialog, static_cast<WORD>(id), bytes, dialog.language) &&
        afx_detail::DecodeDialogTemplate(bytes, *source_, dialog)) {
      if (source_->Find(kResourceTypeDialogInit, static_cast<WORD>(id), bytes, language)) {
        afx_detail::DecodeDialogInit(bytes, dialog.initData);
      }
      found->second = std::move(dialog);
    }
  }
  return found->second ? &*found->second : nullptr;
}

BOOL CCompiledResources::FindString(UINT id, CString& text) const {
  if (id > 0xFFFF) return FALSE;
  // Strings come in blocks of sixteen, each a length and that many UTF-16 units.
  std::string_view bytes;
  WORD language = 0;
  if (!source_->Find(kResourceTypeString, static_cast<WORD>((id >> 4) + 1), bytes, language)) {
    return FALSE;
  }
  Reader in(bytes);
  for (UINT index = 0; index < (id & 0xF); ++index) in.Skip(2 * std::size_t{in.Word()});
  const WORD length = in.Word();
  std::u16string units;
  for (WORD i = 0; i < length && in.ok(); ++i) units += static_cast<char16_t>(in.Word());
  if (!in.ok() || length == 0) return FALSE;
  text = source_->Narrow(units);
  return TRUE;
}

BOOL CCompiledResources::HasIcon(UINT id) const {
  std::string_view bytes;
  WORD language = 0;
  return id <= 0xFFFF &&
         source_->Find(kResourceTypeGroupIcon, static_cast<WORD>(id), bytes, language);
}
