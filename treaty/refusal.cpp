#include "treaty/refusal.h"

namespace {

constexpr const char* kRefusal = "%s cannot %s %s.\nThe pact store file could not keep it.";
constexpr const char* kRefusedAsAWhole = "%s cannot be kept in the pact store file.";

CString NameOf(char ch) {
  CString name;
  switch (ch) {
    case ' ':
      return "a blank";
    case '\t':
      return "a tab";
    case '\r':
    case '\n':
      return "a line break";
    case '\0':
      return "a zero byte";
    default:
      if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) {
        name.Format("the control character %d", static_cast<int>(ch));
      } else {
        name.Format("\"%c\"", ch);
      }
      return name;
  }
}

}  // namespace

CString RefusalOf(const CString& text, StorableTest storable, const char* what) {
  CString refusal;
  const auto refuse = [&](const char* where, char culprit) {
    refusal.Format(kRefusal, what, where, NameOf(culprit).GetString());
    return refusal;
  };
  // The store refuses some characters anywhere, others only at either end of the text.
  for (int i = 0; i < text.GetLength(); ++i) {
    const char ch = text.GetAt(i);
    if (!storable(CString("A") + CString(ch) + "A")) return refuse("hold", ch);
  }
  if (!text.IsEmpty()) {
    const char first = text.GetAt(0);
    const char last = text.GetAt(text.GetLength() - 1);
    if (!storable(CString(first) + "A")) return refuse("begin with", first);
    if (!storable(CString("A") + CString(last))) return refuse("end with", last);
  }
  refusal.Format(kRefusedAsAWhole, what);
  return refusal;
}
