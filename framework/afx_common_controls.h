// The common controls, as the framework wraps them: the up-down control and the tree control.
// Each wrapper only sends its window the control's messages; the behaviour (the up-down's range
// and buddy, the tree's items) belongs to the window's class.
#pragma once

#include "afx_window.h"

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
  // The same with 32-bit range ends and positions; GetPos32 sets `*lpbError` (when given) to
  // non-zero when the buddy's text is not a whole number within the range.
  void SetRange32(int lower, int upper);
  void GetRange32(int& lower, int& upper) const;
  int SetPos32(int position);
  int GetPos32(BOOL* lpbError = nullptr) const;
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
};
