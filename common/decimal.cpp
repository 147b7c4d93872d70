#include "common/decimal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <limits>

// Turns and counts are mostly plain digits, which cannot overflow when there are fewer than ten:
// they are read here directly; anything else (blanks, a sign, ten digits or more) by strtol.
int ReadDecimal(const char* text, const char** end) {
  constexpr int kPlainDigits = 9;
  int value = 0;
  int digits = 0;
  while (digits < kPlainDigits && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + (text[digits] - '0');
    ++digits;
  }
  if (digits > 0 && !(text[digits] >= '0' && text[digits] <= '9')) {
    if (end) *end = text + digits;
    return value;
  }
  char* stop = nullptr;
  const long converted = std::strtol(text, &stop, 10);
  if (end) *end = stop;
  return static_cast<int>(std::clamp<long>(converted, INT_MIN, INT_MAX));
}

CString DecimalText(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

void DecimalFormat::Format(CString& text, int value) const {
  constexpr int kLongestDecimal = 11;  // "-2147483648"
  char buffer[64];
  if (prefixLength_ + kLongestDecimal + suffixLength_ > static_cast<int>(sizeof buffer)) {
    text = CString(prefix_, prefixLength_) + DecimalText(value) + suffix_;
    return;
  }
  char* at = std::copy_n(prefix_, prefixLength_, buffer);
  at = std::to_chars(at, at + kLongestDecimal, value).ptr;
  at = std::copy_n(suffix_, suffixLength_, at);
  text.SetString(buffer, static_cast<int>(at - buffer));
}

int WrappingSum(int a, int b) {
  return static_cast<int>(static_cast<unsigned>(a) + static_cast<unsigned>(b));
}

DWORD_PTR ReadAddress(const char* text) {
  // A negative number, or one past the pointers' reach, is no address; cut down to the
  // pointer's width it would be some other one.
  const char* first = text;
  while (std::isspace(static_cast<unsigned char>(*first))) ++first;
  if (*first == '-') return 0;
  errno = 0;
  const unsigned long long value = std::strtoull(first, nullptr, 10);
  if (errno == ERANGE) return 0;
  if constexpr (sizeof(DWORD_PTR) < sizeof(value)) {
    if (value > (std::numeric_limits<DWORD_PTR>::max)()) return 0;
  }
  return static_cast<DWORD_PTR>(value);
}
