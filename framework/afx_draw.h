// Drawing without pixels: points, sizes, rectangles and colours, and the device context (CDC)
// that measures text in one fixed font. What a paint draws is recorded into a display list
// (afx_display_list.h), which only the host side and the tests see.
#pragma once

#include "afx_collections.h"

#ifndef _WIN32
struct POINT {
  LONG x;
  LONG y;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

using LPRECT = RECT*;
using LPCRECT = const RECT*;
#endif

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int initX, int initY) : POINT{initX, initY} {}
  CPoint(POINT initPt) : POINT(initPt) {}  // NOLINT: converts implicitly, as the original does

  BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
  BOOL operator!=(POINT point) const { return !(*this == point); }
  // Same-type comparisons spare C++20 the choice between an operator and its reversal.
  BOOL operator==(const CPoint& point) const { return *this == static_cast<POINT>(point); }
  BOOL operator!=(const CPoint& point) const { return !(*this == point); }
};

class CSize : public SIZE {
 public:
  CSize() : SIZE{0, 0} {}
  CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
  CSize(SIZE initSize) : SIZE(initSize) {}  // NOLINT: converts implicitly, as the original does

  BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
  BOOL operator!=(SIZE size) const { return !(*this == size); }
  BOOL operator==(const CSize& size) const { return *this == static_cast<SIZE>(size); }
  BOOL operator!=(const CSize& size) const { return !(*this == size); }
};

class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& srcRect) : RECT(srcRect) {}  // NOLINT: implicit, as the original

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  operator LPRECT() { return this; }         // NOLINT: as the original
  operator LPCRECT() const { return this; }  // NOLINT: as the original

  BOOL operator==(const RECT& rect) const {
    return left == rect.left && top == rect.top && right == rect.right && bottom == rect.bottom;
  }
  BOOL operator!=(const RECT& rect) const { return !(*this == rect); }
  BOOL operator==(const CRect& rect) const { return *this == static_cast<const RECT&>(rect); }
  BOOL operator!=(const CRect& rect) const { return !(*this == rect); }
};

#ifndef _WIN32
// Colours are 0x00BBGGRR, as the Windows macros build them.
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>(static_cast<BYTE>(r)) |
         (static_cast<COLORREF>(static_cast<BYTE>(g)) << 8) |
         (static_cast<COLORREF>(static_cast<BYTE>(b)) << 16);
}
constexpr BYTE GetRValue(COLORREF rgb) { return static_cast<BYTE>(rgb & 0xFF); }
constexpr BYTE GetGValue(COLORREF rgb) { return static_cast<BYTE>((rgb >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF rgb) { return static_cast<BYTE>((rgb >> 16) & 0xFF); }

// Mapping modes: only MM_TEXT, one logical unit per pixel, is drawn in.
inline constexpr int MM_TEXT = 1;
// Background modes of text.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// An icon handle, as <windows.h> declares it. The framework gives each icon resource one.
struct HICON__ {
  int unused;
};
using HICON = HICON__*;
#endif

namespace afx_detail {
// The one handle of icon resource `id`, whichever module it was found in.
HICON IconHandle(UINT id);
}  // namespace afx_detail

class CWnd;

class CDC : public CObject {
 public:
  // The one font: every single-byte character takes a cell of this size, in pixels.
  static constexpr int kCellWidth = 8;
  static constexpr int kCellHeight = 16;

  CDC();
  ~CDC() override;

  CSize GetTextExtent(const char* lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const;

  // Fills with `clr` and, as the original does, leaves `clr` as the background colour.
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);

  // Each answers the colour or mode it replaces.
  COLORREF SetTextColor(COLORREF crColor);
  COLORREF GetTextColor() const { return textColor_; }
  COLORREF SetBkColor(COLORREF crColor);
  COLORREF GetBkColor() const { return bkColor_; }
  int SetBkMode(int nBkMode);
  int GetBkMode() const { return bkMode_; }
  int SetMapMode(int nMapMode);
  int GetMapMode() const { return mapMode_; }

  // Draws with the current text colour, on the background colour unless the mode is TRANSPARENT.
  BOOL TextOut(int x, int y, const char* lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str);

 private:
  COLORREF textColor_ = RGB(0, 0, 0);
  COLORREF bkColor_ = RGB(255, 255, 255);
  int bkMode_ = OPAQUE;
  int mapMode_ = MM_TEXT;
};

// A context for drawing into a window outside painting; what it draws is not kept.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);

 protected:
  HWND m_hWnd;
};

// The context of one WM_PAINT: it validates the window when constructed; what is drawn through
// it goes to the paint in progress (AfxPaintWindow).
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

 protected:
  HWND m_hWnd;
};
