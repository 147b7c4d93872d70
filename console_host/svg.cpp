#include "svg.h"

#include <cmath>
#include <cstdio>

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
