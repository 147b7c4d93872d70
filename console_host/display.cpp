#include "display.h"

namespace {

void AppendUtf8(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// The code page's letters and the marks the plug-in's lines use; 0 where a byte has no
// counterpart worth showing.
unsigned CodePoint(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x410 + (byte - 0xC0);
  switch (byte) {
    case 0x95:
      return 0x2022;  // bullet
    case 0x96:
      return 0x2013;  // en dash
    case 0xA7:
      return 0x00A7;  // section sign
    case 0xA8:
      return 0x0401;
    case 0xB8:
      return 0x0451;
    default:
      return 0;
  }
}

}  // namespace

std::string ShowAnsi(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : bytes) {
    const auto byte = static_cast<unsigned char>(ch);
    if (const unsigned codePoint = CodePoint(byte); codePoint || byte == 0) {
      AppendUtf8(out, codePoint);
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::size_t DisplayWidth(const std::string& utf8) {
  std::size_t width = 0;
  for (const char ch : utf8) {
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++width;
  }
  return width;
}

std::string PadRight(const std::string& utf8, std::size_t width) {
  const std::size_t used = DisplayWidth(utf8);
  return used >= width ? utf8 : utf8 + std::string(width - used, ' ');
}

std::string TypedAnsi(const std::string& utf8) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 1;
    unsigned codePoint = length == 2 ? (lead & 0x1Fu) : (lead & 0x0Fu);
    bool whole = length > 1 && at + length <= utf8.size();
    for (std::size_t i = 1; whole && i < length; ++i) {
      const auto next = static_cast<unsigned char>(utf8[at + i]);
      whole = (next & 0xC0) == 0x80;
      codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    int byte = -1;
    for (int candidate = 0x80; whole && candidate <= 0xFF && byte < 0; ++candidate) {
      if (CodePoint(static_cast<unsigned char>(candidate)) == codePoint) byte = candidate;
    }
    if (byte < 0) {
      out += utf8[at];
      continue;
    }
    out += static_cast<char>(byte);
    at += length - 1;
  }
  return out;
}

std::string ShowAnsiOnOneLine(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string safe;
  for (const char ch : bytes) {
    const auto code = static_cast<unsigned char>(ch);
    if (code < 0x20 || code == 0x7F) {
      safe += std::string("\\x") + kHex[code >> 4] + kHex[code & 0xF];
    } else {
      safe += ch;
    }
  }
  return ShowAnsi(safe);
}
