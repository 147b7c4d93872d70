#include "script_words.h"

namespace {

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// Reads the escape after the backslash at `at`; answers the byte and moves `at` past it.
char Escape(const std::string& line, std::size_t& at) {
  if (at + 1 >= line.size()) throw SessionError("a line cannot end in a backslash inside quotes");
  const char kind = line[++at];
  switch (kind) {
    case '"':
    case '\\':
      return kind;
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'x': {
      const int high = at + 1 < line.size() ? HexDigit(line[at + 1]) : -1;
      const int low = at + 2 < line.size() ? HexDigit(line[at + 2]) : -1;
      if (high < 0 || low < 0) throw SessionError("\\x takes two hexadecimal digits, as in \\xC0");
      at += 2;
      return static_cast<char>(high * 16 + low);
    }
    default:
      throw SessionError(std::string("unknown escape \\") + kind +
                         ": use \\\" \\\\ \\n \\r \\t or \\xHH");
  }
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    if (IsBlank(line[at])) {
      ++at;
      continue;
    }
    if (line[at] == '#') break;
    std::string word;
    bool quoted = false;
    // A word runs to the next blank outside quotes; quoted parts may sit inside it.
    for (; at < line.size() && (quoted || !IsBlank(line[at])); ++at) {
      const char ch = line[at];
      if (ch == '"') {
        quoted = !quoted;
      } else if (quoted && ch == '\\') {
        word += Escape(line, at);
      } else {
        word += ch;
      }
    }
    if (quoted) throw SessionError("a quote is not closed: add the closing \"");
    words.push_back(word);
  }
  return words;
}

std::string QuoteTyped(const std::string& utf8) {
  bool plain = !utf8.empty() && utf8[0] != '#';
  for (const char ch : utf8) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte <= ' ' || byte == 0x7F || ch == '"') plain = false;
  }
  return plain ? utf8 : QuoteWord(utf8);
}

std::string QuoteWord(const std::string& word) {
  bool plain = !word.empty() && word[0] != '#';
  for (const char ch : word) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte <= ' ' || byte >= 0x7F || ch == '"') plain = false;
  }
  if (plain) return word;
  static const char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (const char ch : word) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      quoted += '\\';
      quoted += ch;
    } else if (byte < ' ' || byte == 0x7F) {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xF];
    } else {
      quoted += ch;  // the code page's letters stay as they are; the terminal shows them
    }
  }
  return quoted + "\"";
}
