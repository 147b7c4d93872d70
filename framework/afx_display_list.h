// What a paint drew, as AfxPaintWindow hands it out: the stand-in's own, for the host side and
// the tests; the real framework draws pixels instead and has none of it.
#pragma once

#include <vector>

#include "afx_draw.h"
#include "afx_string.h"

// One thing drawn, in the painted window's client coordinates.
struct CDisplayItem {
  enum Kind { fillRect, textOut };  // the call that drew it
  Kind kind;
  RECT rect;            // fill: the area; text: the character cells the text covers
  COLORREF color;       // fill: its colour; text: the text's colour
  COLORREF background;  // text: the colour of its cells, when opaque
  BOOL opaque;          // text: its cells were filled with `background` first
  CString text;
};

// What one paint drew, in drawing order.
struct CDisplayList {
  BOOL erased = FALSE;  // the background was erased first (the window was invalidated with erase)
  std::vector<CDisplayItem> items;
};
