// A module's resources as the framework reads them: dialog templates with their controls, the
// dialogs' initial data (the items of their drop-down lists), the string table and the icons.
// A shared object carries its resource script as text, parsed here in the resource compiler's
// own syntax; a Windows module carries what the resource compiler made of the same script, read
// here from its binary layouts. Either way the script stays the single source of every layout.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "afx_string.h"
#include "afx_types.h"

// One control of a dialog template, as the template states it.
struct CDialogItemTemplate {
  UINT id = 0;          // 65535 for a control the code never addresses (IDC_STATIC)
  CString windowClass;  // "Button", "Edit", "Static", "ComboBox", "ListBox", "msctls_updown32"
  CString text;         // caption
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  DWORD style = 0;  // with WS_CHILD, WS_VISIBLE and the statement's default styles
  DWORD exStyle = 0;
};

// One entry of a dialog's initial data: a message sent to a control with a string, as the
// framework's dialog initialisation sends it (CB_ADDSTRING or LB_ADDSTRING).
struct CDialogInitEntry {
  UINT controlId = 0;
  UINT message = 0;
  CString text;
};

struct CDialogTemplate {
  UINT id = 0;
  WORD language = 0;  // the LANGUAGE in force where the template stands, as MAKELANGID gives it
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  CString caption;
  CString fontName;
  WORD pointSize = 0;
  std::vector<CDialogItemTemplate> items;  // in the template's order, which is the tab order
  std::vector<CDialogInitEntry> initData;  // from the dialog's DLGINIT block, in order
};

// What a module's resources answer, however the module keeps them.
class CModuleResources {
 public:
  virtual ~CModuleResources() = default;
  virtual const CDialogTemplate* FindDialog(UINT id) const = 0;
  virtual BOOL FindString(UINT id, CString& text) const = 0;
  virtual BOOL HasIcon(UINT id) const = 0;
};

class CResourceScript : public CModuleResources {
 public:
  // Parses `script`, resource-compiler text whose own "#include "..."" headers have been
  // inlined; system headers ("#include <...>") are skipped, their constants being known here.
  explicit CResourceScript(const char* script);

  // Empty when the whole script was understood; otherwise what was not, with its line.
  const CString& Error() const { return error_; }

  const CDialogTemplate* FindDialog(UINT id) const override;
  BOOL FindString(UINT id, CString& text) const override;
  BOOL HasIcon(UINT id) const override;

 private:
  struct Parser;
  std::vector<CDialogTemplate> dialogs_;
  std::vector<std::pair<UINT, CString>> strings_;
  std::vector<std::pair<UINT, CString>> icons_;  // identifier and file name
  CString error_;
};

// Resource types of compiled resources.
inline constexpr WORD kResourceTypeDialog = 5;
inline constexpr WORD kResourceTypeString = 6;
inline constexpr WORD kResourceTypeGroupIcon = 14;
inline constexpr WORD kResourceTypeDialogInit = 240;

// Resources as the resource compiler compiled them: old-style dialog templates with their font,
// DLGINIT blocks, string-table blocks and icon groups, each read when first asked for. Data that
// does not hold together reads as an absent resource.
class CCompiledResources : public CModuleResources {
 public:
  // Where the compiled resources are: a module's resource section, a compiled resource file.
  class Source {
   public:
    virtual ~Source() = default;
    // The bytes of resource `id` of `type` and its language; false when there is none.
    virtual bool Find(WORD type, WORD id, std::string_view& bytes, WORD& language) const = 0;
    // Resource text, UTF-16, in the framework's single-byte strings.
    virtual CString Narrow(std::u16string_view text) const = 0;
  };

  explicit CCompiledResources(std::unique_ptr<Source> source);

  const CDialogTemplate* FindDialog(UINT id) const override;
  BOOL FindString(UINT id, CString& text) const override;
  BOOL HasIcon(UINT id) const override;

 private:
  std::unique_ptr<Source> source_;
  mutable std::map<UINT, std::optional<CDialogTemplate>> dialogs_;
};

namespace afx_detail {
// Reads a dialog's initial data as the framework's dialog initialisation does: control id
// (word), message (word, the 16-bit framework's add-string numbers taken for today's), length
// (double word), that many bytes of zero-terminated text; a zero control id ends it. False when
// an entry runs past the end.
bool DecodeDialogInit(std::string_view bytes, std::vector<CDialogInitEntry>& entries);
// Reads an old-style dialog template (DLGTEMPLATE, its items, the font when DS_SETFONT is set).
bool DecodeDialogTemplate(std::string_view bytes, const CCompiledResources::Source& source,
                          CDialogTemplate& dialog);
}  // namespace afx_detail
