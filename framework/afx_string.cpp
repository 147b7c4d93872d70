#include "afx_string.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#include "afx_file.h"

namespace {

// Space, tab, CR, LF, vertical tab and form feed.
bool IsWhiteSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

char AsciiUpper(char ch) {
  return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

// Room for `length` bytes and the zero after them, rounded up to eight bytes: the heap rounds up
// anyway, and a string that grows by a few bytes then needs no new buffer.
int RoomFor(int length) { return (length + 1 + 7) & ~7; }

std::atomic_ref<long> Count(const long& refs) {
  return std::atomic_ref<long>(const_cast<long&>(refs));
}

// Whether `text` points into the `length` bytes at `chars`, compared as addresses so that
// unrelated pointers compare too.
bool PointsInto(const char* text, const char* chars, int length) {
  return std::less_equal<const char*>()(chars, text) &&
         std::less_equal<const char*>()(text, chars + length);
}

}  // namespace

struct CString::NilBuffer {
  Buffer header;
  char zero[sizeof(Buffer)];
};

constinit CString::NilBuffer CString::nil_ = {{0, 0, 2}, {}};

bool CString::Buffer::IsShared() const { return Count(refs).load(std::memory_order_relaxed) > 1; }
bool CString::Buffer::IsLocked() const { return Count(refs).load(std::memory_order_relaxed) < 0; }

CString::Buffer* CString::Nil() { return &nil_.header; }

CString::Buffer* CString::Allocate(int length) {
  if (length < 0) throw std::out_of_range("CString: negative length");
  if (length > INT_MAX - 16) AfxThrowMemoryException();
  const int room = RoomFor(length);
  void* memory = std::malloc(sizeof(Buffer) + static_cast<std::size_t>(room));
  if (!memory) AfxThrowMemoryException();
  auto* buffer = static_cast<Buffer*>(memory);
  *buffer = Buffer{0, room - 1, 1};
  buffer->Chars()[0] = '\0';
  return buffer;
}

CString::Buffer* CString::Share(Buffer* buffer) {
  if (buffer == Nil()) return buffer;
  if (buffer->IsLocked()) {
    Buffer* copy = Allocate(buffer->dataLength);
    std::memcpy(copy->Chars(), buffer->Chars(), static_cast<std::size_t>(buffer->dataLength) + 1);
    copy->dataLength = buffer->dataLength;
    return copy;
  }
  Count(buffer->refs).fetch_add(1, std::memory_order_relaxed);
  return buffer;
}

void CString::Release(Buffer* buffer) {
  if (buffer == Nil()) return;
  // A locked buffer has one holder, whatever its count says.
  if (Count(buffer->refs).fetch_sub(1, std::memory_order_acq_rel) <= 1) std::free(buffer);
}

void CString::PrepareWrite(int length) {
  Buffer* buffer = Header();
  if (buffer->IsShared()) {
    Fork((std::max)(length, buffer->dataLength));
  } else if (buffer->allocLength < length) {
    // Half as much again, so that a string appended to byte by byte is copied a few times only.
    const int grown = buffer->allocLength > INT_MAX / 3
                          ? INT_MAX - 16
                          : buffer->allocLength + buffer->allocLength / 2;
    Reallocate((std::max)(grown, length));
  }
}

void CString::Fork(int length) {
  Buffer* old = Header();
  Buffer* fresh = Allocate(length);
  std::memcpy(fresh->Chars(), old->Chars(), static_cast<std::size_t>(old->dataLength) + 1);
  fresh->dataLength = old->dataLength;
  Release(old);
  Attach(fresh);
}

// The buffer is this string's alone; a locked one comes back unlocked.
void CString::Reallocate(int length) {
  if (length > INT_MAX - 16) AfxThrowMemoryException();
  const int room = RoomFor(length);
  void* memory = std::realloc(Header(), sizeof(Buffer) + static_cast<std::size_t>(room));
  if (!memory) AfxThrowMemoryException();
  auto* buffer = static_cast<Buffer*>(memory);
  buffer->allocLength = room - 1;
  buffer->refs = 1;
  Attach(buffer);
}

void CString::SetLength(int length) {
  Buffer* buffer = Header();
  if (length < 0 || length > buffer->allocLength) throw std::out_of_range("CString: length");
  if (buffer == Nil()) return;
  buffer->dataLength = length;
  chars_[length] = '\0';
}

CString::CString() noexcept : chars_(nil_.header.Chars()) {}

CString::CString(const CString& other) : chars_(Share(other.Header())->Chars()) {}

CString::CString(const char* text) : CString() {
  if (text) SetString(text, static_cast<int>(std::strlen(text)));
}

CString::CString(const char* text, int length) : CString() {
  if (text && length > 0) SetString(text, length);
}

CString::CString(char ch, int repeat) : CString() {
  if (repeat <= 0) return;
  std::memset(GetBuffer(repeat), ch, static_cast<std::size_t>(repeat));
  SetLength(repeat);
}

CString::~CString() { Release(Header()); }

CString& CString::operator=(const CString& other) {
  Buffer* mine = Header();
  Buffer* theirs = other.Header();
  if (mine == theirs) return *this;
  // A locked buffer keeps its place and takes the characters.
  if (mine->IsLocked()) {
    SetString(other.chars_, other.GetLength());
    return *this;
  }
  Buffer* shared = Share(theirs);
  Release(mine);
  Attach(shared);
  return *this;
}

CString& CString::operator=(const char* text) {
  SetString(text, text ? static_cast<int>(std::strlen(text)) : 0);
  return *this;
}

void CString::Empty() {
  Buffer* buffer = Header();
  if (buffer->dataLength == 0) return;
  if (buffer->IsLocked()) {
    SetLength(0);
    return;
  }
  Release(buffer);
  Attach(Nil());
}

char CString::GetAt(int index) const {
  if (index < 0 || index > GetLength()) throw std::out_of_range("CString::GetAt");
  return chars_[index];
}

void CString::SetAt(int index, char ch) {
  if (index < 0 || index >= GetLength()) throw std::out_of_range("CString::SetAt");
  GetBuffer()[index] = ch;
}

int CString::Compare(const char* other) const { return std::strcmp(chars_, other ? other : ""); }

int CString::CompareNoCase(const char* other) const {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(chars_);
  const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
  for (;; ++a, ++b) {
    const int ca = static_cast<unsigned char>(AsciiUpper(static_cast<char>(*a)));
    const int cb = static_cast<unsigned char>(AsciiUpper(static_cast<char>(*b)));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

void CString::SetString(const char* text, int length) {
  if (!text || length <= 0) {
    Empty();
    return;
  }
  const bool inside = PointsInto(text, chars_, GetLength());
  const std::ptrdiff_t offset = inside ? text - chars_ : 0;
  char* buffer = GetBuffer(length);
  if (inside) {
    std::memmove(buffer, buffer + offset, static_cast<std::size_t>(length));
  } else {
    std::memcpy(buffer, text, static_cast<std::size_t>(length));
  }
  SetLength(length);
}

void CString::Append(const char* text, int length) {
  if (!text || length <= 0) return;
  const int oldLength = GetLength();
  if (length > INT_MAX - 16 - oldLength) AfxThrowMemoryException();
  const bool inside = PointsInto(text, chars_, oldLength);
  const std::ptrdiff_t offset = inside ? text - chars_ : 0;
  char* buffer = GetBuffer(oldLength + length);
  std::memcpy(buffer + oldLength, inside ? buffer + offset : text,
              static_cast<std::size_t>(length));
  SetLength(oldLength + length);
}

CString& CString::operator+=(const CString& other) {
  Append(other.chars_, other.GetLength());
  return *this;
}

CString& CString::operator+=(const char* text) {
  if (text) Append(text, static_cast<int>(std::strlen(text)));
  return *this;
}

CString& CString::operator+=(char ch) {
  Append(&ch, 1);
  return *this;
}

char* CString::GetBuffer() {
  if (Header()->IsShared()) Fork(GetLength());
  return chars_;
}

char* CString::GetBuffer(int minLength) {
  if (minLength < 0) throw std::out_of_range("CString::GetBuffer");
  PrepareWrite(minLength);
  return chars_;
}

char* CString::GetBufferSetLength(int length) {
  GetBuffer(length);
  SetLength(length);
  return chars_;
}

void CString::ReleaseBuffer(int length) {
  SetLength(length == -1 ? static_cast<int>(std::strlen(chars_)) : length);
}

void CString::ReleaseBufferSetLength(int length) { SetLength(length); }

void CString::Preallocate(int length) { GetBuffer(length); }

void CString::FreeExtra() {
  Buffer* buffer = Header();
  if (buffer == Nil() || buffer->IsLocked() || buffer->allocLength == RoomFor(GetLength()) - 1) {
    return;
  }
  if (buffer->IsShared()) {
    Fork(GetLength());
  } else {
    Reallocate(GetLength());
  }
}

void CString::Truncate(int length) {
  if (length < 0 || length > GetLength()) throw std::out_of_range("CString::Truncate");
  GetBuffer(length);
  SetLength(length);
}

char* CString::LockBuffer() {
  if (Header()->IsShared()) Fork(GetLength());
  // Locks nest: a lock counts down from -1.
  long& refs = Header()->refs;
  refs = refs == 1 ? -1 : refs - 1;
  return chars_;
}

void CString::UnlockBuffer() {
  long& refs = Header()->refs;
  if (refs < 0) refs = refs == -1 ? 1 : refs + 1;
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
// on the stack are formatted once; longer ones twice. Either way the text is formatted apart
// from this string's buffer: the arguments may point into it.
void CString::FormatV(const char* format, va_list args) {
  char buffer[256];
  if (format && IsPlainFormat(format)) {
    va_list plain;
    va_copy(plain, args);
    std::size_t plainLength = 0;
    const bool fits = FormatPlain(buffer, plainLength, format, plain);
    va_end(plain);
    if (fits) {
      SetString(buffer, static_cast<int>(plainLength));
      return;
    }
  }
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (length < 0) {
    Empty();
  } else if (static_cast<std::size_t>(length) < sizeof buffer) {
    SetString(buffer, length);
  } else {
    std::string longer(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(longer.data(), longer.size() + 1, format, again);
    SetString(longer.data(), length);
  }
  va_end(again);
}

int CString::Find(char ch, int start) const {
  if (start < 0) start = 0;
  if (start >= GetLength()) return -1;
  const void* at = std::memchr(chars_ + start, ch, static_cast<std::size_t>(GetLength() - start));
  return at ? static_cast<int>(static_cast<const char*>(at) - chars_) : -1;
}

int CString::Find(const char* sub, int start) const {
  if (start < 0) start = 0;
  if (!sub || start > GetLength()) return -1;
  const std::size_t at = std::string_view(chars_, static_cast<std::size_t>(GetLength()))
                             .find(sub, static_cast<std::size_t>(start));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const {
  if (count >= GetLength()) return *this;
  return CString(chars_, count);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = Clamp(first, 0, GetLength());
  count = Clamp(count, 0, GetLength() - first);
  if (first == 0 && count == GetLength()) return *this;
  return CString(chars_ + first, count);
}

CString CString::Right(int count) const {
  if (count >= GetLength()) return *this;
  count = (std::max)(count, 0);
  return CString(chars_ + GetLength() - count, count);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
  int first = 0;
  while (first < GetLength() && IsWhiteSpace(chars_[first])) ++first;
  if (first > 0) SetString(chars_ + first, GetLength() - first);
  return *this;
}

CString& CString::TrimRight() {
  int end = GetLength();
  while (end > 0 && IsWhiteSpace(chars_[end - 1])) --end;
  if (end < GetLength()) Truncate(end);
  return *this;
}

CString& CString::TrimLeft(char target) {
  int first = 0;
  while (first < GetLength() && chars_[first] == target) ++first;
  if (first > 0) SetString(chars_ + first, GetLength() - first);
  return *this;
}

CString& CString::TrimRight(char target) {
  int end = GetLength();
  while (end > 0 && chars_[end - 1] == target) --end;
  if (end < GetLength()) Truncate(end);
  return *this;
}

CString& CString::MakeUpper() {
  const int length = GetLength();
  char* buffer = GetBuffer(length);
  std::transform(buffer, buffer + length, buffer, AsciiUpper);
  return *this;
}

// Each sum allocates once, for the whole result.
void CString::Concatenate(const char* first, int firstLength, const char* second,
                          int secondLength) {
  if (secondLength > INT_MAX - 16 - firstLength) AfxThrowMemoryException();
  char* buffer = GetBuffer(firstLength + secondLength);
  std::memcpy(buffer, first, static_cast<std::size_t>(firstLength));
  std::memcpy(buffer + firstLength, second, static_cast<std::size_t>(secondLength));
  SetLength(firstLength + secondLength);
}

CString operator+(const CString& left, const CString& right) {
  CString result;
  result.Concatenate(left.chars_, left.GetLength(), right.chars_, right.GetLength());
  return result;
}

CString operator+(const CString& left, const char* right) {
  CString result;
  result.Concatenate(left.chars_, left.GetLength(), right ? right : "",
                     right ? static_cast<int>(std::strlen(right)) : 0);
  return result;
}

CString operator+(const char* left, const CString& right) {
  CString result;
  result.Concatenate(left ? left : "", left ? static_cast<int>(std::strlen(left)) : 0, right.chars_,
                     right.GetLength());
  return result;
}

CString operator+(const CString& left, char right) {
  CString result;
  result.Concatenate(left.GetString(), left.GetLength(), &right, 1);
  return result;
}

bool operator==(const CString& left, const CString& right) { return left.Compare(right) == 0; }
bool operator==(const CString& left, const char* right) { return left.Compare(right) == 0; }
bool operator==(const char* left, const CString& right) { return right.Compare(left) == 0; }
bool operator!=(const CString& left, const CString& right) { return !(left == right); }
bool operator!=(const CString& left, const char* right) { return !(left == right); }
bool operator!=(const char* left, const CString& right) { return !(left == right); }
bool operator<(const CString& left, const CString& right) { return left.Compare(right) < 0; }
