// The controls of dialogs, as the framework wraps them: buttons, edits, combo boxes, list boxes
// and the check-list box, up-down controls and the tree control. Each wrapper only sends its
// window the control's messages; the behaviour (sorting, the styles' rules for typed text, the
// up-down's range and buddy) belongs to the window's class, so that it follows the styles the
// dialog template gives.
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
// The height of a check-list item and the width of its check box, in pixels.
inline constexpr int AFX_CHECKLIST_ITEM_HEIGHT = 16;
inline constexpr int AFX_CHECKLIST_BOX_WIDTH = 14;

// A list box with a check box in front of each item. The person's click on an item's box
// (WM_LBUTTONDOWN inside the box) toggles it only with the automatic check-box style.
class CCheckListBox : public CListBox {
 public:
  void SetCheckStyle(UINT style);  // BS_CHECKBOX (the default) or BS_AUTOCHECKBOX
  UINT GetCheckStyle() const { return checkStyle_; }
  void SetCheck(int index, int check);
  int GetCheck(int index) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  UINT checkStyle_ = BS_CHECKBOX;
};

class CSpinButtonCtrl : public CWnd {
 public:
  // 16-bit range ends, as UDM_SETRANGE carries them.
  void SetRange(short lower, short upper);
  void GetRange(int& lower, int& upper) const;
  // The previous position.
  int SetPos(int position);
  // The position in the low word; the high word is non-zero when the buddy's text is not a
  // whole number within the range (the position is then the last valid one).
  int GetPos() const;
  CWnd* GetBuddy() const;
};

// The tree control: items with a text and a value, each under its parent item.
#ifndef _WIN32
struct _TREEITEM;
using HTREEITEM = _TREEITEM*;
inline HTREEITEM const TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x10000));
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFF));
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFFE));
inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
#endif

class CTreeCtrl : public CWnd {
 public:
  // Creates the control as a child of `parent`.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  HTREEITEM InsertItem(UINT mask, const char* text, int image, int selectedImage, UINT state,
                       UINT stateMask, LPARAM data, HTREEITEM parent, HTREEITEM after);
  HTREEITEM InsertItem(const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  BOOL DeleteAllItems();

  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  CString GetItemText(HTREEITEM item) const;
  DWORD_PTR GetItemData(HTREEITEM item) const;
  BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
  // The mask of the fields the item was given (TVIF_TEXT, TVIF_PARAM, ...).
  UINT GetItemMask(HTREEITEM item) const;
};
