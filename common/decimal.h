// Numbers in the host's texts, the settings and the store file are read as the C library reads
// them on the host's platform, where `long` is 32 bits: leading white space, an optional sign,
// the digits up to the first other character; no digits give 0; values past the 32-bit range
// clamp to its limits.
#pragma once

#include "common/framework.h"

// The value of the number at the start of `text`; `end`, when given, receives where the
// conversion stopped (`text` itself when nothing was converted).
int ReadDecimal(const char* text, const char** end = nullptr);

// `value` as "%d" writes it.
CString DecimalText(int value);

// A text with one "%d" and no other conversion in it, written as Format would write it but
// without Format's cost, for texts written once per table row. Its two parts are found when the
// constant is made.
class DecimalFormat {
 public:
  constexpr explicit DecimalFormat(const char* format)
      : prefix_(format),
        prefixLength_(ConversionAt(format)),
        suffix_(format + prefixLength_ + 2),
        suffixLength_(LengthOf(suffix_)) {}

  // Sets `text` to the format with `value` in place of its "%d".
  void Format(CString& text, int value) const;

 private:
  static constexpr int ConversionAt(const char* format) {
    int at = 0;
    while (!(format[at] == '%' && format[at + 1] == 'd')) ++at;
    return at;
  }
  static constexpr int LengthOf(const char* text) {
    int length = 0;
    while (text[length]) ++length;
    return length;
  }

  const char* prefix_;
  int prefixLength_;
  const char* suffix_;
  int suffixLength_;
};

// `a` + `b` as the host's 32-bit arithmetic gives it: wrapping round, never overflowing.
int WrappingSum(int a, int b);

// An address or handle the host writes in decimal; 0 when the text holds none, or a number no
// pointer of this platform can hold.
DWORD_PTR ReadAddress(const char* text);
