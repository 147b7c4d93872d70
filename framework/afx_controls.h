// The standard controls of dialogs, as the framework wraps them: buttons, edits, combo boxes,
// list boxes and the check-list box (the common controls are in afx_common_controls.h). Each
// wrapper only sends its window the control's messages; the behaviour (sorting, the styles'
// rules for typed text) belongs to the window's class, so that it follows the styles the dialog
// template gives.
#pragma once

#include "afx_window.h"

class CButton : public CWnd {
 public:
  int GetCheck() const;
  void SetCheck(int check);
};

class CEdit : public CWnd {
 public:
  void SetSel(int start, int end);
};

class CStatic : public CWnd {};

class CComboBox : public CWnd {
 public:
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(UINT index);
  void ResetContent();
  int FindString(int startAfter, const char* prefix) const;
  int FindStringExact(int startAfter, const char* text) const;
  int SelectString(int startAfter, const char* prefix);
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
};

class CListBox : public CWnd {
 public:
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int AddString(const char* text);
  int InsertString(int index, const char* text);
  int DeleteString(UINT index);
  void ResetContent();
  int FindString(int startAfter, const char* prefix) const;
  // The first item after `startAfter` whose whole text equals `text`, ignoring case.
  int FindStringExact(int startAfter, const char* text) const;
  void GetText(int index, CString& text) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
};

// CLBN_CHKCHANGE: a check box of a check-list box changed by the person's click.
inline constexpr UINT CLBN_CHKCHANGE = 40;
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)
// The height of a check-list item and the width of its check box, in pixels.
inline constexpr int AFX_CHECKLIST_ITEM_HEIGHT = 16;
inline constexpr int AFX_CHECKLIST_BOX_WIDTH = 14;

// A list box with a check box in front of each item. The person's click on an item's box
// (WM_LBUTTONDOWN inside the box) toggles it only with the automatic check-box style.
class CCheckListBox : public CListBox {
 public:
  void SetCheckStyle(UINT style);  // BS_CHECKBOX (the default) or BS_AUTOCHECKBOX
  // Neither reader is const, as in the original: a const check list cannot be asked.
  UINT GetCheckStyle() { return checkStyle_; }
  void SetCheck(int index, int check);
  int GetCheck(int index);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UINT checkStyle_ = BS_CHECKBOX;
};
