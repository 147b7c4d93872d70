// The few pieces of SVG the console host's pictures are made of: a document of a given size,
// rectangles, lines, text and clipped groups, every text converted from the plug-in's code page
// and escaped so that the file always parses as XML. Text is laid out by its width in the widest
// font a renderer may fall back on, never stretched to a length: renderers commonly ignore that.
#pragma once

#include <sstream>
#include <string>

#include "afx_standin.h"

// "#rrggbb".
std::string SvgColor(COLORREF color);
// The plug-in's single-byte text as XML character data; bytes XML cannot carry become U+FFFD.
std::string SvgText(const std::string& ansi);

// How wide `ansi` is drawn at `size` pixels in DejaVu Sans, the font renderers fall back on
// where the named fonts are missing and the widest of those named: never less than any of them.
double TextWidth(const std::string& ansi, double size, bool bold = false);
// `size`, or the smaller size at which `ansi` fits `width`; never below `smallest`.
double FittingSize(const std::string& ansi, double size, double width, double smallest = 6);

// The most pixels a picture spans either way: renderers commonly refuse larger ones, so a larger
// picture is drawn on pages.
inline constexpr double kSvgLargest = 16384;

// The width of a scroll bar.
inline constexpr double kSvgScrollBar = 16;
// The height of a window's title bar.
inline constexpr double kSvgTitleBar = 20;

class SvgPicture {
 public:
  SvgPicture(double width, double height, const std::string& title);

  void Rect(double x, double y, double width, double height, const std::string& fill,
            const std::string& stroke = "none", const std::string& extra = "");
  void Line(double x1, double y1, double x2, double y2, const std::string& stroke,
            const std::string& extra = "");
  // `ansi` at baseline `y`; `extra` adds attributes (font, anchor, length).
  void Text(double x, double y, const std::string& ansi, const std::string& fill,
            const std::string& extra = "");
  // Raw markup, for groups.
  void Raw(const std::string& markup) { body_ << markup << '\n'; }
  // What is drawn until EndClip shows only inside the rectangle.
  void BeginClip(double x, double y, double width, double height);
  void EndClip() { Raw("</g>"); }
  // A scroll bar `length` long from x, y, down or across, for a view showing `shown` of
  // `whole`, scrolled to its start.
  void ScrollBar(double x, double y, double length, double shown, double whole, bool vertical);
  // The frame of a client window as large as the picture: its face and edge, and its title bar
  // with `caption` made to fit, blue while the window is active, grey otherwise.
  void WindowFrame(const std::string& caption, bool active);

  std::string Finish() const;

 private:
  double width_, height_;
  std::string title_;
  std::ostringstream body_;
  int clips_ = 0;
};

// A number as SVG attributes want it: no exponent, at most two decimals.
std::string SvgNumber(double value);
