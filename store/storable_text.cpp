#include "store/storable_text.h"

namespace {

// A zero byte, a line feed or Ctrl-Z: what ends a line's text, a line or the file's text.
BOOL HasLineEnd(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    const char ch = text.GetAt(i);
    if (ch == '\0' || ch == '\n' || ch == '\x1A') return TRUE;
  }
  return FALSE;
}

BOOL HasLineBreak(const CString& text) { return HasLineEnd(text) || text.Find('\r') >= 0; }

// The white space a line loses at its ends.
BOOL IsWhiteSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

BOOL StartsWithWhiteSpace(const CString& text) {
  return !text.IsEmpty() && IsWhiteSpace(text.GetAt(0));
}

BOOL EndsWithWhiteSpace(const CString& text) {
  return !text.IsEmpty() && IsWhiteSpace(text.GetAt(text.GetLength() - 1));
}

}  // namespace

BOOL IsCarriedKey(const CString& key) {
  return !key.IsEmpty() && !HasLineEnd(key) && !EndsWithWhiteSpace(key);
}

BOOL IsStorableKey(const CString& key) { return IsCarriedKey(key) && key.Find('\r') < 0; }

BOOL IsStorableRaceName(const CString& race) {
  return !HasLineBreak(race) && race.Find(',') < 0 && !StartsWithWhiteSpace(race) &&
         race.Left(1) != "@";
}

BOOL IsStorableAbbreviation(const CString& abbreviation) {
  return !abbreviation.IsEmpty() && !HasLineBreak(abbreviation) && abbreviation.Find('/') < 0 &&
         abbreviation.Find(',') < 0 && !StartsWithWhiteSpace(abbreviation) &&
         !EndsWithWhiteSpace(abbreviation);
}
