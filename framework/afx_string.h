// CString: the framework's single-byte string. Text is kept as ANSI bytes exactly as given and
// is never converted; comparisons are byte-wise. Only the members the plug-in uses are built,
// each with the original's semantics (clamped Mid/Left/Right, -1 from a failed Find, in-place
// Trim returning the string, printf-style Format).
//
// As in the original, the object is one pointer to the characters of a buffer whose header
// holds the length, the allocated length and a reference count. Copies share the buffer until
// one of them is written; the writer then takes a buffer of its own. A buffer handed out by
// GetBuffer is the writer's alone until ReleaseBuffer; a locked buffer (LockBuffer) is never
// shared, whatever is assigned to or copied from it, until UnlockBuffer. Memory that cannot be
// had throws the framework's CMemoryException*.
#pragma once

#include <cstdarg>

#include "afx_types.h"

class CString {
 public:
  CString() noexcept;
  CString(const CString& other);
  CString(const char* text);  // NOLINT: converts implicitly, as the original does
  CString(const char* text, int length);
  explicit CString(char ch, int repeat = 1);
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(const char* text);

  int GetLength() const { return Header()->dataLength; }
  bool IsEmpty() const { return GetLength() == 0; }
  // Lets go of the buffer; a locked one is kept, emptied.
  void Empty();
  const char* GetString() const { return chars_; }
  operator const char*() const { return chars_; }  // NOLINT: as the original

  // The byte at `index`; the terminating zero at GetLength(). Beyond that it throws
  // std::out_of_range, where the original raises its invalid-argument exception.
  char GetAt(int index) const;
  // Writes the byte at `index`, which must lie inside the text (std::out_of_range otherwise).
  void SetAt(int index, char ch);

  int Compare(const char* other) const;
  int CompareNoCase(const char* other) const;  // ASCII letters only

  // Replaces the text with `length` bytes from `text`, zeros included; `text` may point into
  // this string.
  void SetString(const char* text, int length);
  CString& operator+=(const CString& other);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);
  void Append(const char* text, int length);

  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* format, va_list args) __attribute__((format(printf, 2, 0)));

  // Position of the first match at or after `start`, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;

  // A part that is the whole text is a copy sharing this one's buffer.
  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  // Without arguments these remove space, tab, CR, LF, vertical tab and form feed. Nothing is
  // written, and nothing unshared, when there is nothing to remove.
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  CString& TrimLeft(char target);
  CString& TrimRight(char target);

  CString& MakeUpper();  // ASCII letters only; other bytes stay as they are

  // The buffer, this string's alone, with room for at least `minLength` bytes and the zero
  // after them. Until ReleaseBuffer no other member may be called.
  char* GetBuffer();
  char* GetBuffer(int minLength);
  // The same, and the length set to `length`.
  char* GetBufferSetLength(int length);
  // Ends writing through GetBuffer: the text is `length` bytes long, or runs up to the first
  // zero when `length` is -1.
  void ReleaseBuffer(int length = -1);
  void ReleaseBufferSetLength(int length);
  // Room for `length` bytes without a further allocation.
  void Preallocate(int length);
  // Gives back the room beyond the text; a locked buffer keeps it.
  void FreeExtra();
  int GetAllocLength() const { return Header()->allocLength; }
  // Shortens the text to `length` bytes, no more than it has.
  void Truncate(int length);

  // Makes the buffer this string's alone and keeps it so: copies from and assignments to a
  // locked string copy the characters. A GetBuffer that needs more room than the buffer has
  // gives a new buffer, unlocked.
  char* LockBuffer();
  void UnlockBuffer();

 private:
  // The characters follow the header.
  struct Buffer {
    int dataLength;
    int allocLength;
    // 1 for a buffer of one string, more when shared; negative while locked. Counted
    // atomically, as the original counts it.
    long refs;

    char* Chars() { return reinterpret_cast<char*>(this + 1); }
    bool IsShared() const;
    bool IsLocked() const;
  };
  struct NilBuffer;

  friend CString operator+(const CString& left, const CString& right);
  friend CString operator+(const CString& left, const char* right);
  friend CString operator+(const char* left, const CString& right);
  friend CString operator+(const CString& left, char right);

  static Buffer* Allocate(int length);
  static Buffer* Nil();
  // `buffer` for one more holder: the same buffer, or a copy of a locked one.
  static Buffer* Share(Buffer* buffer);
  static void Release(Buffer* buffer);

  Buffer* Header() const { return reinterpret_cast<Buffer*>(chars_) - 1; }
  void Attach(Buffer* buffer) { chars_ = buffer->Chars(); }
  // Makes the buffer this string's alone with room for `length` bytes.
  void PrepareWrite(int length);
  void Fork(int length);
  void Reallocate(int length);
  void SetLength(int length);
  void Concatenate(const char* first, int firstLength, const char* second, int secondLength);

  // The empty text of every string without a buffer of its own; counted as shared, so that
  // whatever writes takes a buffer first.
  static NilBuffer nil_;

  char* chars_;
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
