#include "plugin/decimal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>

int ReadDecimal(const char* text, const char** end) {
  char* stop = nullptr;
  const long value = std::strtol(text, &stop, 10);
  if (end) *end = stop;
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

CString DecimalText(int value) {
  CString text;
  text.Format("%d", value);
  return text;
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
