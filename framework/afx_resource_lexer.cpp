#include "afx_resource_lexer.h"

#include <map>

#include "afx_winuser.h"

namespace afx_detail {

namespace {

// The names the Windows headers give the resource compiler, with their real values.
struct KnownName {
  const char* name;
  DWORD value;
};

// clang-format off
#define AFX_RC_NAME(name) KnownName{#name, static_cast<DWORD>(name)}
// clang-format on
const KnownName kKnownNames[] = {
    AFX_RC_NAME(WS_OVERLAPPED), AFX_RC_NAME(WS_POPUP), AFX_RC_NAME(WS_CHILD),
    AFX_RC_NAME(WS_MINIMIZE), AFX_RC_NAME(WS_VISIBLE), AFX_RC_NAME(WS_DISABLED),
    AFX_RC_NAME(WS_CLIPSIBLINGS), AFX_RC_NAME(WS_CLIPCHILDREN), AFX_RC_NAME(WS_MAXIMIZE),
    AFX_RC_NAME(WS_CAPTION), AFX_RC_NAME(WS_BORDER), AFX_RC_NAME(WS_DLGFRAME),
    AFX_RC_NAME(WS_VSCROLL), AFX_RC_NAME(WS_HSCROLL), AFX_RC_NAME(WS_SYSMENU),
    AFX_RC_NAME(WS_THICKFRAME), AFX_RC_NAME(WS_GROUP), AFX_RC_NAME(WS_TABSTOP),
    AFX_RC_NAME(WS_MINIMIZEBOX), AFX_RC_NAME(WS_MAXIMIZEBOX), AFX_RC_NAME(WS_OVERLAPPEDWINDOW),
    AFX_RC_NAME(WS_EX_CLIENTEDGE), AFX_RC_NAME(WS_EX_MDICHILD), AFX_RC_NAME(DS_ABSALIGN),
    AFX_RC_NAME(DS_SYSMODAL), AFX_RC_NAME(DS_3DLOOK), AFX_RC_NAME(DS_FIXEDSYS),
    AFX_RC_NAME(DS_NOFAILCREATE), AFX_RC_NAME(DS_LOCALEDIT), AFX_RC_NAME(DS_SETFONT),
    AFX_RC_NAME(DS_MODALFRAME), AFX_RC_NAME(DS_NOIDLEMSG), AFX_RC_NAME(DS_SETFOREGROUND),
    AFX_RC_NAME(DS_CONTROL), AFX_RC_NAME(DS_CENTER), AFX_RC_NAME(DS_CENTERMOUSE),
    AFX_RC_NAME(DS_CONTEXTHELP), AFX_RC_NAME(ES_LEFT), AFX_RC_NAME(ES_CENTER),
    AFX_RC_NAME(ES_RIGHT), AFX_RC_NAME(ES_MULTILINE), AFX_RC_NAME(ES_UPPERCASE),
    AFX_RC_NAME(ES_LOWERCASE), AFX_RC_NAME(ES_PASSWORD), AFX_RC_NAME(ES_AUTOVSCROLL),
    AFX_RC_NAME(ES_AUTOHSCROLL), AFX_RC_NAME(ES_NOHIDESEL), AFX_RC_NAME(ES_OEMCONVERT),
    AFX_RC_NAME(ES_READONLY), AFX_RC_NAME(ES_WANTRETURN), AFX_RC_NAME(ES_NUMBER),
    AFX_RC_NAME(BS_PUSHBUTTON), AFX_RC_NAME(BS_DEFPUSHBUTTON), AFX_RC_NAME(BS_CHECKBOX),
    AFX_RC_NAME(BS_AUTOCHECKBOX), AFX_RC_NAME(BS_RADIOBUTTON), AFX_RC_NAME(BS_3STATE),
    AFX_RC_NAME(BS_AUTO3STATE), AFX_RC_NAME(BS_GROUPBOX), AFX_RC_NAME(BS_USERBUTTON),
    AFX_RC_NAME(BS_AUTORADIOBUTTON), AFX_RC_NAME(BS_OWNERDRAW), AFX_RC_NAME(BS_TYPEMASK),
    AFX_RC_NAME(BS_LEFTTEXT), AFX_RC_NAME(BS_LEFT), AFX_RC_NAME(BS_RIGHT), AFX_RC_NAME(BS_CENTER),
    AFX_RC_NAME(BS_TOP), AFX_RC_NAME(BS_BOTTOM), AFX_RC_NAME(BS_VCENTER), AFX_RC_NAME(BS_MULTILINE),
    AFX_RC_NAME(BS_NOTIFY), AFX_RC_NAME(BS_FLAT), AFX_RC_NAME(SS_LEFT), AFX_RC_NAME(SS_CENTER),
    AFX_RC_NAME(SS_RIGHT), AFX_RC_NAME(SS_ICON), AFX_RC_NAME(SS_LEFTNOWORDWRAP),
    AFX_RC_NAME(SS_NOPREFIX), AFX_RC_NAME(SS_NOTIFY), AFX_RC_NAME(SS_CENTERIMAGE),
    AFX_RC_NAME(SS_SUNKEN), AFX_RC_NAME(CBS_SIMPLE), AFX_RC_NAME(CBS_DROPDOWN),
    AFX_RC_NAME(CBS_DROPDOWNLIST), AFX_RC_NAME(CBS_OWNERDRAWFIXED),
    AFX_RC_NAME(CBS_OWNERDRAWVARIABLE), AFX_RC_NAME(CBS_AUTOHSCROLL), AFX_RC_NAME(CBS_OEMCONVERT),
    AFX_RC_NAME(CBS_SORT), AFX_RC_NAME(CBS_HASSTRINGS), AFX_RC_NAME(CBS_NOINTEGRALHEIGHT),
    AFX_RC_NAME(CBS_DISABLENOSCROLL), AFX_RC_NAME(CBS_UPPERCASE), AFX_RC_NAME(CBS_LOWERCASE),
    AFX_RC_NAME(LBS_NOTIFY), AFX_RC_NAME(LBS_SORT), AFX_RC_NAME(LBS_NOREDRAW),
    AFX_RC_NAME(LBS_MULTIPLESEL), AFX_RC_NAME(LBS_OWNERDRAWFIXED),
    AFX_RC_NAME(LBS_OWNERDRAWVARIABLE), AFX_RC_NAME(LBS_HASSTRINGS), AFX_RC_NAME(LBS_USETABSTOPS),
    AFX_RC_NAME(LBS_NOINTEGRALHEIGHT), AFX_RC_NAME(LBS_MULTICOLUMN),
    AFX_RC_NAME(LBS_WANTKEYBOARDINPUT), AFX_RC_NAME(LBS_EXTENDEDSEL),
    AFX_RC_NAME(LBS_DISABLENOSCROLL), AFX_RC_NAME(LBS_NODATA), AFX_RC_NAME(LBS_NOSEL),
    AFX_RC_NAME(LBS_STANDARD), AFX_RC_NAME(UDS_WRAP), AFX_RC_NAME(UDS_SETBUDDYINT),
    AFX_RC_NAME(UDS_ALIGNRIGHT), AFX_RC_NAME(UDS_ALIGNLEFT), AFX_RC_NAME(UDS_AUTOBUDDY),
    AFX_RC_NAME(UDS_ARROWKEYS), AFX_RC_NAME(UDS_HORZ), AFX_RC_NAME(UDS_NOTHOUSANDS),
    AFX_RC_NAME(UDS_HOTTRACK), AFX_RC_NAME(TVS_HASBUTTONS), AFX_RC_NAME(TVS_HASLINES),
    AFX_RC_NAME(TVS_LINESATROOT), AFX_RC_NAME(TVS_SHOWSELALWAYS), AFX_RC_NAME(SBS_HORZ),
    AFX_RC_NAME(SBS_VERT), AFX_RC_NAME(IDOK), AFX_RC_NAME(IDCANCEL), AFX_RC_NAME(IDABORT),
    AFX_RC_NAME(IDRETRY), AFX_RC_NAME(IDIGNORE), AFX_RC_NAME(IDYES), AFX_RC_NAME(IDNO),
    AFX_RC_NAME(IDC_STATIC),
    // Languages, for LANGUAGE statements.
    KnownName{"LANG_NEUTRAL", 0x00}, KnownName{"LANG_ENGLISH", 0x09},
    KnownName{"LANG_GERMAN", 0x07}, KnownName{"LANG_FRENCH", 0x0C}, KnownName{"LANG_RUSSIAN", 0x19},
    KnownName{"SUBLANG_NEUTRAL", 0x00}, KnownName{"SUBLANG_DEFAULT", 0x01},
    KnownName{"SUBLANG_SYS_DEFAULT", 0x02}, KnownName{"SUBLANG_ENGLISH_US", 0x01},
    KnownName{"SUBLANG_ENGLISH_UK", 0x02}};
#undef AFX_RC_NAME

const std::map<std::string, DWORD, std::less<>>& KnownNames() {
  static const std::map<std::string, DWORD, std::less<>> names = [] {
    std::map<std::string, DWORD, std::less<>> map;
    for (const KnownName& known : kKnownNames) map.emplace(known.name, known.value);
    return map;
  }();
  return names;
}

}  // namespace

DWORD Combine(std::string_view op, DWORD a, DWORD b) {
  const auto sa = static_cast<std::int32_t>(a), sb = static_cast<std::int32_t>(b);
  if (op == "||") return (a || b) ? 1 : 0;
  if (op == "&&") return (a && b) ? 1 : 0;
  if (op == "|") return a | b;
  if (op == "^") return a ^ b;
  if (op == "&") return a & b;
  if (op == "==") return a == b ? 1 : 0;
  if (op == "!=") return a != b ? 1 : 0;
  if (op == "<") return sa < sb ? 1 : 0;
  if (op == ">") return sa > sb ? 1 : 0;
  if (op == "<=") return sa <= sb ? 1 : 0;
  if (op == ">=") return sa >= sb ? 1 : 0;
  if (op == "<<") return a << (b & 31);
  if (op == ">>") return a >> (b & 31);
  if (op == "+") return a + b;
  if (op == "-") return a - b;
  if (op == "*") return a * b;
  if (sb == -1) return op == "/" ? 0u - a : 0;  // INT_MIN / -1 would overflow
  return static_cast<DWORD>(op == "/" ? sa / sb : sa % sb);
}

const DWORD* FindKnownName(std::string_view name) {
  const auto& names = KnownNames();
  const auto it = names.find(name);
  return it == names.end() ? nullptr : &it->second;
}

char Lexer::At(std::size_t ahead) const {
  return at + ahead < text.size() ? text[at + ahead] : '\0';
}

bool Lexer::Fail(const char* what) {
  error = what;
  return false;
}

bool Lexer::SkipBlank(bool stopAtLineEnd, bool* lineEnded) {
  while (!AtEnd()) {
    const char c = At();
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++at;
    } else if (c == '\\' && (At(1) == '\n' || (At(1) == '\r' && At(2) == '\n'))) {
      at += At(1) == '\n' ? 2 : 3;
      ++line;
    } else if (c == '\n') {
      if (stopAtLineEnd) return true;
      ++at;
      ++line;
      if (lineEnded) *lineEnded = true;
    } else if (c == '/' && At(1) == '/') {
      while (!AtLineEnd()) ++at;
    } else if (c == '/' && At(1) == '*') {
      at += 2;
      while (!(At() == '*' && At(1) == '/')) {
        if (AtEnd()) return Fail("comment not closed");
        if (At() == '\n') ++line;
        ++at;
      }
      at += 2;
    } else {
      return true;
    }
  }
  return true;
}

bool Lexer::SkipLine() {
  while (!AtLineEnd()) {
    const std::size_t before = at;
    if (!SkipBlank(true)) return false;
    if (at == before) ++at;
  }
  return true;
}

std::string Lexer::Word() {
  const std::size_t start = at;
  while (IsNameChar(At())) ++at;
  return std::string(text.substr(start, at - start));
}

bool Lexer::Lex(Token& token) {
  token = Token();
  token.line = line;
  const char c = At();
  if (c == '"' || (c == 'L' && At(1) == '"')) return LexString(token);
  if (IsDigit(c)) return LexNumber(token);
  if (IsNameStart(c)) {
    token.kind = Token::kName;
    token.text = Word();
    return true;
  }
  static const char* const kOperators[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>", ",",
                                           "|",  "&",  "^",  "+",  "-",  "*",  "/",  "%",  "~",
                                           "!",  "(",  ")",  "{",  "}",  "<",  ">"};
  for (const char* op : kOperators) {
    const std::string_view view(op);
    if (text.substr(at, view.size()) == view) {
      token.kind = Token::kPunct;
      token.text = op;
      at += view.size();
      return true;
    }
  }
  error = "unexpected character '";
  error += c;
  error += '\'';
  return false;
}

bool Lexer::LexNumber(Token& token) {
  token.kind = Token::kNumber;
  DWORD value = 0;
  if (At() == '0' && (At(1) == 'x' || At(1) == 'X')) {
    at += 2;
    if (HexDigit(At()) < 0) return Fail("malformed number");
    while (HexDigit(At()) >= 0) value = value * 16 + static_cast<DWORD>(HexDigit(text[at++]));
  } else {
    while (IsDigit(At())) value = value * 10 + static_cast<DWORD>(text[at++] - '0');
  }
  while (At() == 'L' || At() == 'l' || At() == 'U' || At() == 'u') {
    if (At() == 'L' || At() == 'l') token.isLong = true;
    ++at;
  }
  if (IsNameChar(At())) return Fail("malformed number");
  token.value = value;
  return true;
}

bool Lexer::LexString(Token& token) {
  const bool wide = At() == 'L';
  at += wide ? 2 : 1;
  token.kind = Token::kString;
  std::string& out = token.text;
  for (;;) {
    if (AtLineEnd()) return Fail("string not closed");
    const char c = text[at++];
    if (c == '"') {
      if (At() != '"') return true;
      out += '"';  // "" stands for one quote
      ++at;
    } else if (c != '\\') {
      out += c;
    } else if (!EscapeSequence(wide, out)) {
      return false;
    }
  }
}

bool Lexer::EscapeSequence(bool wide, std::string& out) {
  if (AtEnd()) return Fail("string not closed");
  const char e = text[at++];
  static const std::pair<char, char> kSimple[] = {{'n', '\n'}, {'t', '\t'},  {'r', '\r'},
                                                  {'a', '\a'}, {'\\', '\\'}, {'"', '"'}};
  for (const auto& [letter, meaning] : kSimple) {
    if (e == letter) {
      out += meaning;
      return true;
    }
  }
  if (e == '\n') {  // an escaped line end joins the lines
    ++line;
    return true;
  }
  unsigned code = 0;
  if (e >= '0' && e <= '7') {
    code = static_cast<unsigned>(e - '0');
    for (int i = 1; i < 3 && At() >= '0' && At() <= '7'; ++i) {
      code = code * 8 + static_cast<unsigned>(text[at++] - '0');
    }
  } else if ((e == 'x' || e == 'X') && HexDigit(At()) >= 0) {
    for (int i = 0; i < (wide ? 4 : 2) && HexDigit(At()) >= 0; ++i) {
      code = code * 16 + static_cast<unsigned>(HexDigit(text[at++]));
    }
  } else {
    out += '\\';  // not an escape: both characters stay
    out += e;
    return true;
  }
  // Text is kept in the single-byte code page; a wide character beyond it cannot be shown.
  out += code <= 0xFF ? static_cast<char>(code) : '?';
  return true;
}

}  // namespace afx_detail
