#include "plugin/decimal.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

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
  return static_cast<DWORD_PTR>(std::strtoull(text, nullptr, 10));
}
