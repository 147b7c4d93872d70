// A module's resources as the framework reads them: dialog templates with their controls, the
// dialogs' initial data (the items of their drop-down lists), the string table and the icons.
// The module's resource script is compiled into the module as text and parsed here, in the
// resource compiler's own syntax, so that the script stays the single source of every layout.
#pragma once

#include <memory>
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

class CResourceScript {
 public:
  // Parses `script`, resource-compiler text whose own "#include "..."" headers have been
  // inlined; system headers ("#include <...>") are skipped, their constants being known here.
  explicit CResourceScript(const char* script);

  // Empty when the whole script was understood; otherwise what was not, with its line.
  const CString& Error() const { return error_; }

  const CDialogTemplate* FindDialog(UINT id) const;
  BOOL FindString(UINT id, CString& text) const;
  BOOL HasIcon(UINT id) const;

 private:
  struct Parser;
  std::vector<CDialogTemplate> dialogs_;
  std::vector<std::pair<UINT, CString>> strings_;
  std::vector<std::pair<UINT, CString>> icons_;  // identifier and file name
  CString error_;
};
