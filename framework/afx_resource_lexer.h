// Inside the framework only: the resource script's tokens and the lexer that cuts them, with
// the names and values the Windows headers give the resource compiler. Knows nothing of
// directives or statements.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "afx_types.h"

namespace afx_detail {

struct Token {
  enum Kind { kEnd, kName, kNumber, kString, kPunct };
  Kind kind = kEnd;
  std::string text;  // the name, the string's bytes or the operator
  DWORD value = 0;
  bool isLong = false;  // a number written with an L suffix
  int line = 0;
};

struct Value {
  DWORD value = 0;
  bool isLong = false;
};

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
inline bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
inline int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

inline bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The value of a name the Windows headers define, or null.
const DWORD* FindKnownName(std::string_view name);
// A binary operator on 32-bit values, as the compiler computes them. Division by zero is ruled
// out by the caller.
DWORD Combine(std::string_view op, DWORD a, DWORD b);

// Cuts resource-compiler text into tokens; knows nothing of directives or statements.
struct Lexer {
  std::string_view text;
  std::size_t at = 0;
  int line = 1;
  std::string error;

  char At(std::size_t ahead = 0) const;
  bool AtEnd() const { return at >= text.size(); }
  bool AtLineEnd() const { return AtEnd() || At() == '\n'; }
  bool Fail(const char* what);
  // Skips blanks, comments and escaped line ends. Stops before a line end when asked to (a
  // directive ends there); otherwise reports through `lineEnded` that one was crossed.
  bool SkipBlank(bool stopAtLineEnd, bool* lineEnded = nullptr);
  // Skips the rest of a directive line, whatever it holds.
  bool SkipLine();
  std::string Word();
  bool Lex(Token& token);
  bool LexNumber(Token& token);
  bool LexString(Token& token);
  bool EscapeSequence(bool wide, std::string& out);
};

}  // namespace afx_detail
