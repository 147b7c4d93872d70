#include "svg.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "display.h"

std::string SvgColor(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof(text), "#%02x%02x%02x", GetRValue(color), GetGValue(color),
                GetBValue(color));
  return text;
}

std::string SvgText(const std::string& ansi) {
  std::string out;
  for (const char ch : ShowAnsi(ansi)) {
    const auto code = static_cast<unsigned char>(ch);
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // XML 1.0 allows no control characters but tab and the line ends.
        if (code < 0x20 && ch != '\t' && ch != '\n' && ch != '\r') {
          out += "\xEF\xBF\xBD";
        } else {
          out += ch;
        }
    }
  }
  return out;
}

std::string SvgNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f", std::round(value * 100) / 100);
  std::string number = text;
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

namespace {

bool OneOf(const char* set, char ch) { return ch != '\0' && std::strchr(set, ch) != nullptr; }

}  // namespace

double TextWidth(const std::string& ansi, double size, bool bold) {
  // Advance widths in thousandths of the size, rounded up from the font's, by kinds of letter.
  double width = 0;
  for (const char ch : ansi) {
    const auto code = static_cast<unsigned char>(ch);
    int advance = 640;  // digits, most lower-case letters
    if (OneOf("\xC6\xD8\xD9\xDE", ch)) {
      advance = 1120;  // the code page's widest letters, as the Cyrillic Sh
    } else if (OneOf("\xCC\xD4\xDA\xDB\xE6\xF4\xF8\xF9\xFE", ch)) {
      advance = 950;
    } else if (code >= 0xC0 || code == 0xA8 || code == 0xB8) {
      advance = 800;  // the code page's other letters
    } else if (code >= 0x80) {
      advance = 1000;
    } else if (OneOf("iljI.,:;|!' ", ch)) {
      advance = 330;
    } else if (OneOf("ftr()[]/-", ch)) {
      advance = 420;
    } else if (OneOf("mMW@%", ch)) {
      advance = 1000;
    } else if (OneOf("w~=+<>", ch)) {
      advance = 860;
    } else if (std::isupper(code) || OneOf("&#", ch)) {
      advance = 800;
    }
    width += advance;
  }
  return width * size / 1000 * (bold ? 1.15 : 1.0);
}

double FittingSize(const std::string& ansi, double size, double width, double smallest) {
  const double wide = TextWidth(ansi, size);
  if (wide <= width || wide <= 0) return size;
  return (std::max)(smallest, std::floor(size * width / wide * 10) / 10);
}

void SvgPicture::BeginClip(double x, double y, double width, double height) {
  const std::string id = "clip" + std::to_string(++clips_);
  Raw("<clipPath id=\"" + id + "\"><rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) +
      "\" width=\"" + SvgNumber((std::max)(width, 0.0)) + "\" height=\"" +
      SvgNumber((std::max)(height, 0.0)) + "\"/></clipPath>");
  Raw("<g clip-path=\"url(#" + id + ")\">");
}

void SvgPicture::ScrollBar(double x, double y, double length, double shown, double whole,
                           bool vertical) {
  const std::string face = "#d4d0c8", edge = "#808080";
  const double across = kSvgScrollBar;
  Rect(x, y, vertical ? across : length, vertical ? length : across, "#eeeeee", edge);
  // The arrows' buttons at both ends; the thumb as long as the part shown, at the start.
  Rect(x, y, across, across, face, edge);
  Rect(vertical ? x : x + length - across, vertical ? y + length - across : y, across, across, face,
       edge);
  const double track = (std::max)(length - 2 * across, 0.0);
  const double part = whole > 0 ? (std::min)(shown / whole, 1.0) : 1.0;
  const double thumb = (std::max)(track * part, (std::min)(8.0, track));
  if (vertical) {
    Rect(x + 1, y + across, across - 2, thumb, face, edge);
  } else {
    Rect(x + across, y + 1, thumb, across - 2, face, edge);
  }
}

void SvgPicture::WindowFrame(const std::string& caption, bool active) {
  Rect(0, 0, width_, height_, "#d4d0c8", "#404040");
  Rect(1, 1, width_ - 2, kSvgTitleBar, active ? "#0a246a" : "#808080");
  BeginClip(1, 1, width_ - 2, kSvgTitleBar);
  Text(6, 15, caption, "#ffffff",
       "font-family=\"Tahoma, DejaVu Sans, Arial, sans-serif\" font-weight=\"bold\" font-size=\"" +
           SvgNumber(FittingSize(caption, 12, (width_ - 12) / 1.15)) + "\"");
  EndClip();
}

SvgPicture::SvgPicture(double width, double height, const std::string& title)
    : width_(width), height_(height), title_(title) {}

void SvgPicture::Rect(double x, double y, double width, double height, const std::string& fill,
                      const std::string& stroke, const std::string& extra) {
  body_ << "<rect x=\"" << SvgNumber(x) << "\" y=\"" << SvgNumber(y) << "\" width=\""
        << SvgNumber(width) << "\" height=\"" << SvgNumber(height) << "\" fill=\"" << fill
        << "\" stroke=\"" << stroke << "\"" << (extra.empty() ? "" : " " + extra) << "/>\n";
}

void SvgPicture::Line(double x1, double y1, double x2, double y2, const std::string& stroke,
                      const std::string& extra) {
  body_ << "<line x1=\"" << SvgNumber(x1) << "\" y1=\"" << SvgNumber(y1) << "\" x2=\""
        << SvgNumber(x2) << "\" y2=\"" << SvgNumber(y2) << "\" stroke=\"" << stroke << "\""
        << (extra.empty() ? "" : " " + extra) << "/>\n";
}

void SvgPicture::Text(double x, double y, const std::string& ansi, const std::string& fill,
                      const std::string& extra) {
  body_ << "<text x=\"" << SvgNumber(x) << "\" y=\"" << SvgNumber(y) << "\" fill=\"" << fill << "\""
        << (extra.empty() ? "" : " " + extra) << ">" << SvgText(ansi) << "</text>\n";
}

std::string SvgPicture::Finish() const {
  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << SvgNumber(width_) << "\" height=\""
      << SvgNumber(height_) << "\" viewBox=\"0 0 " << SvgNumber(width_) << " " << SvgNumber(height_)
      << "\">\n"
      << "<title>" << SvgText(title_) << "</title>\n"
      << body_.str() << "</svg>\n";
  return svg.str();
}
