// The plug-in's windows inside the host's main window as the person sees them: a warning
// window's caption and state, and what it paints, read back from its display list as coloured
// bands of text. Shown on a terminal (in 24-bit colour, or with the colours named) and as an
// SVG picture.
#pragma once

#include <string>
#include <vector>

#include "host_windows.h"

// One painted line: a filled band and the text drawn on it, in the window's pixels.
struct PaintedBand {
  LONG top = 0;
  LONG height = 0;
  LONG width = 0;
  COLORREF band = RGB(255, 255, 255);
  COLORREF ink = RGB(0, 0, 0);
  std::string text;  // the plug-in's bytes
};

std::vector<PaintedBand> BandsOf(const CDisplayList& painted);
// "dark red", "grey", ... for the colours the warnings use, "#rrggbb" for others.
std::string ColourName(COLORREF colour);

// "active", "hidden", "minimised", ... and where it stands.
std::string WindowState(const HostMainWindow::Child& window);
// The bands as terminal lines: coloured cells, or each colour named in front.
std::vector<std::string> BandLines(const std::vector<PaintedBand>& bands, bool color);
// The window with its caption bar and client area, its display list drawn into it and clipped
// to it, with scroll bars where the view holds more than the area shows. A maximised window
// fills `mainArea`, the main window's client area; a minimised one is its caption bar.
std::string WindowSvg(const HostMainWindow::Child& window, const CDisplayList& painted,
                      SIZE mainArea);
