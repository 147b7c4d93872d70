#include "window_view.h"

#include <algorithm>

#include "display.h"
#include "svg.h"

namespace {

struct NamedColour {
  COLORREF colour;
  const char* name;
};
constexpr NamedColour kColours[] = {{RGB(255, 255, 255), "white"},
                                    {RGB(0, 0, 0), "black"},
                                    {RGB(112, 0, 0), "dark red"},
                                    {RGB(96, 96, 96), "grey"},
                                    {RGB(32, 112, 0), "green"}};

constexpr double kTitleBar = kSvgTitleBar;
constexpr double kBorder = 4;
constexpr double kMinimised = 160;  // the width of a minimised window's caption bar
constexpr SIZE kLargest = {4000, 3000};
// DejaVu Sans Mono and Courier New advance 0.61 of their size: 7.9 pixels, within a cell.
constexpr double kMonoSize = CDC::kCellWidth / 0.61;

// From `from` to `to` in 64 bits: a position the plug-in kept may span the whole 32-bit range.
long long Span(LONG from, LONG to) { return static_cast<long long>(to) - from; }

std::string Escape24(COLORREF colour, bool background) {
  return "\x1b[" + std::string(background ? "48" : "38") + ";2;" +
         std::to_string(GetRValue(colour)) + ";" + std::to_string(GetGValue(colour)) + ";" +
         std::to_string(GetBValue(colour)) + "m";
}

}  // namespace

std::vector<PaintedBand> BandsOf(const CDisplayList& painted) {
  std::vector<PaintedBand> bands;
  for (const CDisplayItem& item : painted.items) {
    if (item.kind == CDisplayItem::fillRect) {
      PaintedBand band;
      band.top = item.rect.top;
      band.height = item.rect.bottom - item.rect.top;
      band.width = item.rect.right - item.rect.left;
      band.band = item.color;
      bands.push_back(band);
      continue;
    }
    // Text goes on the band it was drawn inside; text outside every band makes its own.
    auto on = std::find_if(bands.rbegin(), bands.rend(), [&](const PaintedBand& band) {
      return item.rect.top >= band.top && item.rect.top < band.top + band.height;
    });
    if (on == bands.rend() || !on->text.empty()) {
      PaintedBand band;
      band.top = item.rect.top;
      band.height = item.rect.bottom - item.rect.top;
      band.width = item.rect.right - item.rect.left;
      band.band = item.opaque ? item.background : RGB(255, 255, 255);
      bands.push_back(band);
      on = bands.rbegin();
    }
    on->ink = item.color;
    on->text = item.text.GetString();
  }
  std::stable_sort(bands.begin(), bands.end(),
                   [](const PaintedBand& a, const PaintedBand& b) { return a.top < b.top; });
  return bands;
}

std::string ColourName(COLORREF colour) {
  for (const NamedColour& named : kColours) {
    if (named.colour == colour) return named.name;
  }
  return SvgColor(colour);
}

std::string WindowState(const HostMainWindow::Child& window) {
  std::string state = !window.visible                      ? "hidden"
                      : window.showCmd == SW_SHOWMINIMIZED ? "minimised"
                      : window.showCmd == SW_SHOWMAXIMIZED ? "maximised"
                      : window.active                      ? "active"
                                                           : "open";
  if (window.visible && window.active && window.showCmd != SW_SHOWNORMAL) state += ", active";
  const RECT& r = window.normal;
  return state + ", at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " +
         std::to_string(Span(r.left, r.right)) + "x" + std::to_string(Span(r.top, r.bottom));
}

std::vector<std::string> BandLines(const std::vector<PaintedBand>& bands, bool color) {
  std::vector<std::string> lines;
  if (bands.empty()) lines.push_back("(nothing to show)");
  std::size_t nameWidth = 0;
  std::size_t cells = 0;  // the bands' width in terminal cells: one a character of the font
  for (const PaintedBand& band : bands) {
    nameWidth = (std::max)(nameWidth, ColourName(band.band).size());
    cells = (std::max)({cells, DisplayWidth(ShowAnsiOnOneLine(band.text)) + 2,
                        static_cast<std::size_t>(band.width / CDC::kCellWidth) + 1});
  }
  for (const PaintedBand& band : bands) {
    const std::string text = ShowAnsiOnOneLine(band.text);
    if (color) {
      lines.push_back(Escape24(band.band, true) + Escape24(band.ink, false) +
                      PadRight(" " + text, cells) + "\x1b[0m");
    } else {
      lines.push_back(PadRight(ColourName(band.band), nameWidth) + " \xE2\x94\x82 " + text);
    }
  }
  return lines;
}

std::string WindowSvg(const HostMainWindow::Child& window, const CDisplayList& painted,
                      SIZE mainArea) {
  // As the person sees it: maximised it fills the main window, minimised it is its caption bar.
  double width = static_cast<double>(Span(window.normal.left, window.normal.right));
  double height = static_cast<double>(Span(window.normal.top, window.normal.bottom));
  if (window.showCmd == SW_SHOWMAXIMIZED) {
    width = mainArea.cx;
    height = mainArea.cy;
  } else if (window.showCmd == SW_SHOWMINIMIZED) {
    width = kMinimised;
    height = kTitleBar + 2;
  }
  // A rectangle kept from a far-off position may be as large as the coordinates go: no screen
  // shows more than this.
  width = std::clamp(width, 120.0, kLargest.cx * 1.0);
  height =
      std::clamp(height, window.showCmd == SW_SHOWMINIMIZED ? height : 60.0, kLargest.cy * 1.0);
  SvgPicture picture(width, height, window.caption);
  picture.WindowFrame(window.caption, window.active);
  if (window.showCmd == SW_SHOWMINIMIZED) return picture.Finish();

  // The client area, less the scroll bars the view needs for what it holds beyond it.
  const double left = kBorder, top = kTitleBar + kBorder;
  double clientWidth = width - 2 * kBorder, clientHeight = height - top - kBorder;
  double wholeWidth = window.scrolls ? window.total.cx : 0;
  double wholeHeight = window.scrolls ? window.total.cy : 0;
  for (const CDisplayItem& item : painted.items) {
    wholeWidth = (std::max)(wholeWidth, static_cast<double>(item.rect.right));
    wholeHeight = (std::max)(wholeHeight, static_cast<double>(item.rect.bottom));
  }
  bool across = false, down = false;
  for (int pass = 0; pass < 2; ++pass) {
    down = down || wholeHeight > clientHeight - (across ? kSvgScrollBar : 0);
    across = across || wholeWidth > clientWidth - (down ? kSvgScrollBar : 0);
  }
  const double viewWidth = clientWidth - (down ? kSvgScrollBar : 0);
  const double viewHeight = clientHeight - (across ? kSvgScrollBar : 0);
  picture.Rect(left, top, clientWidth, clientHeight, "#ffffff");
  if (down) picture.ScrollBar(left + viewWidth, top, viewHeight, viewHeight, wholeHeight, true);
  if (across) picture.ScrollBar(left, top + viewHeight, viewWidth, viewWidth, wholeWidth, false);
  if (down && across) {
    picture.Rect(left + viewWidth, top + viewHeight, kSvgScrollBar, kSvgScrollBar, "#d4d0c8");
  }

  // The view's text in a font whose characters are no wider than the device context's cells.
  picture.BeginClip(left, top, viewWidth, viewHeight);
  picture.Raw("<g font-family=\"DejaVu Sans Mono, Courier New, monospace\" font-size=\"" +
              SvgNumber(kMonoSize) + "\">");
  for (const CDisplayItem& item : painted.items) {
    const RECT& r = item.rect;
    const double itemWidth = static_cast<double>(Span(r.left, r.right));
    const double itemHeight = static_cast<double>(Span(r.top, r.bottom));
    if (item.kind == CDisplayItem::fillRect) {
      picture.Rect(left + r.left, top + r.top, itemWidth, itemHeight, SvgColor(item.color));
      continue;
    }
    if (item.opaque) {
      picture.Rect(left + r.left, top + r.top, itemWidth, itemHeight, SvgColor(item.background));
    }
    picture.Text(left + r.left, top + r.top + 12, item.text.GetString(), SvgColor(item.color),
                 "xml:space=\"preserve\"");
  }
  picture.Raw("</g>");
  picture.EndClip();
  return picture.Finish();
}
