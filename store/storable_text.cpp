#include "store/storable_text.h"

namespace {

// A zero byte, a line feed, a carriage return or Ctrl-Z: what keeps a line from being read,
// ends it, or ends the file's text.
BOOL HasLineBreak(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    const char ch = text.GetAt(i);
    if (ch == '\0' || ch == '\n' || ch == '\r' || ch == '\x1A') return TRUE;
  }
  return FALSE;
}

// The white space a line loses at its ends.
BOOL IsWhiteSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

BOOL StartsWithWhiteSpace(const CString& text) {
  return !text.IsEmpty() && IsWhiteSpace(text.GetAt(0));
}

BOOL EndsWithWhiteSpace(const CString& text) {
  return !text.IsEmpty() && IsWhiteSpace(text.GetAt(text.GetLength() - 1));
}

}  // namespace

BOOL IsStorableKey(const CString& key) {
  return !key.IsEmpty() && !HasLineBreak(key) && !EndsWithWhiteSpace(key);
}

BOOL IsStorableRaceName(const CString& race) {
  return !HasLineBreak(race) && race.Find(',') < 0 && !StartsWithWhiteSpace(race) &&
         race.Left(1) != "@";
}

BOOL IsStorableAbbreviation(const CString& abbreviation) {
  return !abbreviation.IsEmpty() && !HasLineBreak(abbreviation) && abbreviation.Find('/') < 0 &&
         abbreviation.Find(',') < 0 && !StartsWithWhiteSpace(abbreviation) &&
         !EndsWithWhiteSpace(abbreviation);
}
