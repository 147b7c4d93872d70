#include "afx_string.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";

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

void CString::FormatV(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) {
    text_.clear();
    return;
  }
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  text_.assign(buffer.data(), static_cast<std::size_t>(length));
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
  text_.erase(0, std::min(text_.find_first_not_of(kWhiteSpace), text_.size()));
  return *this;
}

CString& CString::TrimRight() {
  const std::size_t last = text_.find_last_not_of(kWhiteSpace);
  text_.erase(last == std::string::npos ? 0 : last + 1);
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

CString operator+(const CString& left, const CString& right) {
  CString result(left);
  result += right;
  return result;
}

CString operator+(const CString& left, const char* right) {
  CString result(left);
  result += right;
  return result;
}

CString operator+(const char* left, const CString& right) {
  CString result(left);
  result += right;
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
