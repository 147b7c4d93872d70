// CString: the framework's single-byte string. Text is kept as ANSI bytes exactly as given and
// is never converted; comparisons are byte-wise. Only the members the plug-in uses are built,
// each with the original's semantics (clamped Mid/Left/Right, -1 from a failed Find, in-place
// Trim returning the string, printf-style Format).
#pragma once

#include <cstdarg>
#include <string>

#include "afx_types.h"

class CString {
 public:
  CString() = default;
  CString(const char* text);  // NOLINT: converts implicitly, as the original does
  CString(const char* text, int length);
  explicit CString(char ch, int repeat = 1);

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  const char* GetString() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }  // NOLINT: as the original

  // The byte at `index`; the terminating zero at GetLength(). Beyond that it throws
  // std::out_of_range, where the original raises its invalid-argument exception.
  char GetAt(int index) const;

  int Compare(const char* other) const;
  int CompareNoCase(const char* other) const;  // ASCII letters only

  CString& operator=(const char* text);
  // Replaces the text with `length` bytes from `text`, zeros included.
  void SetString(const char* text, int length);
  CString& operator+=(const CString& other);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);

  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* format, va_list args) __attribute__((format(printf, 2, 0)));

  // Position of the first match at or after `start`, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  // Without arguments these remove space, tab, CR, LF, vertical tab and form feed.
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  CString& TrimLeft(char target);
  CString& TrimRight(char target);

  CString& MakeUpper();  // ASCII letters only; other bytes stay as they are

 private:
  friend CString operator+(const CString& left, const CString& right);
  friend CString operator+(const CString& left, const char* right);
  friend CString operator+(const char* left, const CString& right);

  std::string text_;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const char* right);
CString operator+(const char* left, const CString& right);
CString operator+(const CString& left, char right);

bool operator==(const CString& left, const CString& right);
bool operator==(const CString& left, const char* right);
bool operator==(const char* left, const CString& right);
bool operator!=(const CString& left, const CString& right);
bool operator!=(const CString& left, const char* right);
bool operator!=(const char* left, const CString& right);
bool operator<(const CString& left, const CString& right);
