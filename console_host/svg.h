// The few pieces of SVG the console host's pictures are made of: a document of a given size,
// rectangles, lines and text, every text converted from the plug-in's code page and escaped so
// that the file always parses as XML.
#pragma once

#include <sstream>
#include <string>

#include "afx_standin.h"

// "#rrggbb".
std::string SvgColor(COLORREF color);
// The plug-in's single-byte text as XML character data; bytes XML cannot carry become U+FFFD.
std::string SvgText(const std::string& ansi);

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
  // Raw markup, for groups and clipping.
  void Raw(const std::string& markup) { body_ << markup << '\n'; }

  std::string Finish() const;

 private:
  double width_, height_;
  std::string title_;
  std::ostringstream body_;
};

// A number as SVG attributes want it: no exponent, at most two decimals.
std::string SvgNumber(double value);
