#include "afx_string.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace {

// Space, tab, CR, LF, vertical tab and form feed.
bool IsWhiteSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

char AsciiUpper(char ch) {
  return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

}  // namespace

CString::CString(const char* text) : text_(text ? text : "") {}

CString::CString(const char* text, int length)
    : text_(text && length > 0 ? std::string(text, static_cast<std::size_t>(length)) : "") {}

CString::CString(char ch, int repeat) : text_(static_cast<std::size_t>(std::max(repeat, 0)), ch) {}

char CString::GetAt(int index) const {
  if (index < 0 || index > GetLength()) throw std::out_of_range("CString::GetAt");
  return text_.c_str()[index];
}

int CString::Compare(const char* other) const {
  return std::strcmp(text_.c_str(), other ? other : "");
}

int CString::CompareNoCase(const char* other) const {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(text_.c_str());
  const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
  for (;; ++a, ++b) {
    const int ca = static_cast<unsigned char>(AsciiUpper(static_cast<char>(*a)));
    const int cb = static_cast<unsigned char>(AsciiUpper(static_cast<char>(*b)));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

CString& CString::operator=(const char* text) {
  text_ = text ? text : "";
  return *this;
}

void CString::SetString(const char* text, int length) {
  if (text && length > 0) {
    text_.assign(text, static_cast<std::size_t>(length));
  } else {
    text_.clear();
  }
}

CString& CString::operator+=(const CString& other) {
  text_ += other.text_;
  return *this;
}

CString& CString::operator+=(const char* text) {
  if (text) text_ += text;
  return *this;
}

CString& CString::operator+=(char ch) {
  text_ += ch;
  return *this;
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

namespace {

// The conversions the plain formatter handles: %d, %u, %lu, %s and %%, without flags, width
// or precision. Answers FALSE for any other, and for a "%" that ends the format.
bool IsPlainFormat(const char* format) {
  for (const char* at = format; *at; ++at) {
    if (*at != '%') continue;
    ++at;
    if (*at == 'l') ++at;
    const bool isLong = at[-1] == 'l';
    if (*at == 'u' || (!isLong && (*at == 'd' || *at == 's' || *at == '%'))) continue;
    return false;
  }
  return true;
}

// Formats a plain format into `out` as vsnprintf would; FALSE when the text does not fit.
bool FormatPlain(char (&out)[256], std::size_t& length, const char* format, va_list args) {
  length = 0;
  auto append = [&](const char* text, std::size_t count) {
    if (count > sizeof out - 1 - length) return false;
    std::memcpy(out + length, text, count);
    length += count;
    return true;
  };
  for (const char* at = format; *at;) {
    const char* percent = std::strchr(at, '%');
    if (!percent) return append(at, std::strlen(at));
    if (!append(at, static_cast<std::size_t>(percent - at))) return false;
    const char* conversion = percent + 1;
    char digits[24];
    std::to_chars_result written{digits, {}};
    switch (*conversion) {
      case '%':
        written.ptr = std::copy_n("%", 1, digits);
        break;
      case 'd':
        written = std::to_chars(digits, std::end(digits), va_arg(args, int));
        break;
      case 'u':
        written = std::to_chars(digits, std::end(digits), va_arg(args, unsigned int));
        break;
      case 'l':
        ++conversion;
        written = std::to_chars(digits, std::end(digits), va_arg(args, unsigned long));
        break;
      default: {  // 's'
        const char* text = va_arg(args, const char*);
        if (!text) text = "(null)";
        if (!append(text, std::strlen(text))) return false;
        at = conversion + 1;
        continue;
      }
    }
    if (!append(digits, static_cast<std::size_t>(written.ptr - digits))) return false;
    at = conversion + 1;
  }
  out[length] = '\0';
  return true;
}

}  // namespace

// The formats the plug-in uses most are plain and short: they are expanded directly, which
// gives the same text as vsnprintf at a fraction of its cost. Other texts that fit the buffer
// on the stack are formatted once; longer ones twice.
void CString::FormatV(const char* format, va_list args) {
  char buffer[256];
  if (format && IsPlainFormat(format)) {
    va_list plain;
    va_copy(plain, args);
    std::size_t plainLength = 0;
    const bool fits = FormatPlain(buffer, plainLength, format, plain);
    va_end(plain);
    if (fits) {
      text_.assign(buffer, plainLength);
      return;
    }
  }
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (length < 0) {
    text_.clear();
  } else if (static_cast<std::size_t>(length) < sizeof buffer) {
    text_.assign(buffer, static_cast<std::size_t>(length));
  } else {
    // Into a string of its own: the arguments may point into this one.
    std::string longer(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(longer.data(), longer.size() + 1, format, again);
    text_ = std::move(longer);
  }
  va_end(again);
}

int CString::Find(char ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength()) return -1;
  const std::size_t at = text_.find(ch, static_cast<std::size_t>(start));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const {
  if (start < 0) start = 0;
  if (!sub || start > GetLength()) return -1;
  const std::size_t at = text_.find(sub, static_cast<std::size_t>(start));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const {
  count = Clamp(count, 0, GetLength());
  return CString(text_.data(), count);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  return CString(text_.data() + first, count);
}

CString CString::Right(int count) const {
  count = Clamp(count, 0, GetLength());
  return CString(text_.data() + GetLength() - count, count);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
  std::size_t first = 0;
  while (first < text_.size() && IsWhiteSpace(text_[first])) ++first;
  text_.erase(0, first);
  return *this;
}

CString& CString::TrimRight() {
  std::size_t end = text_.size();
  while (end > 0 && IsWhiteSpace(text_[end - 1])) --end;
  text_.resize(end);
  return *this;
}

CString& CString::TrimLeft(char target) {
  text_.erase(0, std::min(text_.find_first_not_of(target), text_.size()));
  return *this;
}

CString& CString::TrimRight(char target) {
  const std::size_t last = text_.find_last_not_of(target);
  text_.erase(last == std::string::npos ? 0 : last + 1);
  return *this;
}

CString& CString::MakeUpper() {
  std::transform(text_.begin(), text_.end(), text_.begin(), AsciiUpper);
  return *this;
}

// Each sum allocates once, for the whole result.
CString operator+(const CString& left, const CString& right) {
  CString result;
  result.text_.reserve(left.text_.size() + right.text_.size());
  result.text_.append(left.text_).append(right.text_);
  return result;
}

CString operator+(const CString& left, const char* right) {
  const std::size_t extra = right ? std::strlen(right) : 0;
  CString result;
  result.text_.reserve(left.text_.size() + extra);
  result.text_.append(left.text_).append(right ? right : "", extra);
  return result;
}

CString operator+(const char* left, const CString& right) {
  const std::size_t first = left ? std::strlen(left) : 0;
  CString result;
  result.text_.reserve(first + right.text_.size());
  result.text_.append(left ? left : "", first).append(right.text_);
  return result;
}

CString operator+(const CString& left, char right) {
  CString result(left);
  result += right;
  return result;
}

bool operator==(const CString& left, const CString& right) { return left.Compare(right) == 0; }
bool operator==(const CString& left, const char* right) { return left.Compare(right) == 0; }
bool operator==(const char* left, const CString& right) { return right.Compare(left) == 0; }
bool operator!=(const CString& left, const CString& right) { return !(left == right); }
bool operator!=(const CString& left, const char* right) { return !(left == right); }
bool operator!=(const char* left, const CString& right) { return !(left == right); }
bool operator<(const CString& left, const CString& right) { return left.Compare(right) < 0; }
