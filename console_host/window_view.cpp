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

constexpr double kTitleBar = 20;
constexpr double kBorder = 4;

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
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

std::vector<std::string> BandLines(const std::vector<PaintedBand>& bands, bool color) {
  std::vector<std::string> lines;
  if (bands.empty()) lines.push_back("(nothing to show)");
  std::size_t nameWidth = 0;
  std::size_t cells = 0;  // the bands' width in terminal cells: one a character of the font
  for (const PaintedBand& band : bands) {
    nameWidth = (std::max)(nameWidth, ColourName(band.band).size());
    cells = (std::max)({cells, DisplayWidth(ShowAnsi(band.text)) + 2,
                        static_cast<std::size_t>(band.width / CDC::kCellWidth) + 1});
  }
  for (const PaintedBand& band : bands) {
    const std::string text = ShowAnsi(band.text);
    if (color) {
      lines.push_back(Escape24(band.band, true) + Escape24(band.ink, false) +
                      PadRight(" " + text, cells) + "\x1b[0m");
    } else {
      lines.push_back(PadRight(ColourName(band.band), nameWidth) + " \xE2\x94\x82 " + text);
    }
  }
  return lines;
}

std::string WindowSvg(const HostMainWindow::Child& window, const CDisplayList& painted) {
  const double width = (std::max)(LONG{120}, window.normal.right - window.normal.left);
  const double height = (std::max)(LONG{60}, window.normal.bottom - window.normal.top);
  SvgPicture picture(width, height, window.caption);
  const std::string font = "font-family=\"Courier New, monospace\" font-size=\"13\"";
  picture.Rect(0, 0, width, height, "#d4d0c8", "#404040");
  picture.Rect(1, 1, width - 2, kTitleBar, window.active ? "#0a246a" : "#808080");
  picture.Text(6, 15, window.caption, "#ffffff",
               "font-family=\"Tahoma, Arial, sans-serif\" font-size=\"12\" font-weight=\"bold\"");
  const double left = kBorder, top = kTitleBar + kBorder;
  const double clientWidth = width - 2 * kBorder, clientHeight = height - top - kBorder;
  picture.Raw("<clipPath id=\"client\"><rect x=\"" + SvgNumber(left) + "\" y=\"" + SvgNumber(top) +
              "\" width=\"" + SvgNumber(clientWidth) + "\" height=\"" + SvgNumber(clientHeight) +
              "\"/></clipPath>");
  picture.Rect(left, top, clientWidth, clientHeight, "#ffffff");
  picture.Raw("<g clip-path=\"url(#client)\" " + font + ">");
  for (const CDisplayItem& item : painted.items) {
    const RECT& r = item.rect;
    if (item.kind == CDisplayItem::fillRect) {
      picture.Rect(left + r.left, top + r.top, r.right - r.left, r.bottom - r.top,
                   SvgColor(item.color));
      continue;
    }
    if (item.opaque) {
      picture.Rect(left + r.left, top + r.top, r.right - r.left, r.bottom - r.top,
                   SvgColor(item.background));
    }
    // One cell per character, as the device context measured them.
    picture.Text(left + r.left, top + r.top + 12, item.text.GetString(), SvgColor(item.color),
                 "textLength=\"" + std::to_string(r.right - r.left) +
                     "\" lengthAdjust=\"spacingAndGlyphs\" xml:space=\"preserve\"");
  }
  picture.Raw("</g>");
  return picture.Finish();
}
