// Reads a resource script as the resource compiler does: a preprocessing pass (comments,
// conditionals, object-like macros) turns the text into tokens, then the statements are read
// from the tokens. What the framework needs is kept; everything else is checked for its shape
// and skipped.

#include "afx_resource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "afx_resource_lexer.h"
#include "afx_winuser.h"

using afx_detail::Combine;
using afx_detail::FindKnownName;
using afx_detail::Lexer;
using afx_detail::SameNoCase;
using afx_detail::Token;
using afx_detail::Value;

namespace {

// Hostile scripts must not exhaust the stack or the memory.
constexpr int kMaxNesting = 64;
constexpr std::size_t kMaxTokens = std::size_t{1} << 18;  // counting those macros expand to

constexpr int kBitOrLevel = 3;  // precedence of '|', which also joins the parts of a style
constexpr WORD kDefaultLanguage = 0x0409;  // what the compiler assumes before any LANGUAGE

// A control statement and what the compiler makes of it. A statement without a style gets
// the default style; one with a style starts from the base style instead, so that e.g. an
// LTEXT with a style of its own is a group start only when the style says so.
struct ControlStatement {
  const char* keyword;
  const char* windowClass;
  DWORD defaultStyle;
  DWORD baseStyle;
  enum Form { kText, kNoText, kIcon } form;
};

const ControlStatement kControlStatements[] = {
    {"LTEXT", WC_STATIC, SS_LEFT | WS_GROUP, SS_LEFT, ControlStatement::kText},
    {"CTEXT", WC_STATIC, SS_CENTER | WS_GROUP, SS_CENTER, ControlStatement::kText},
    {"RTEXT", WC_STATIC, SS_RIGHT | WS_GROUP, SS_RIGHT, ControlStatement::kText},
    {"PUSHBUTTON", WC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP,
     ControlStatement::kText},
    {"DEFPUSHBUTTON", WC_BUTTON, BS_DEFPUSHBUTTON | WS_TABSTOP, BS_DEFPUSHBUTTON | WS_TABSTOP,
     ControlStatement::kText},
    {"CHECKBOX", WC_BUTTON, BS_CHECKBOX | WS_TABSTOP, BS_CHECKBOX | WS_TABSTOP,
     ControlStatement::kText},
    {"AUTOCHECKBOX", WC_BUTTON, BS_AUTOCHECKBOX | WS_TABSTOP, BS_AUTOCHECKBOX | WS_TABSTOP,
     ControlStatement::kText},
    {"RADIOBUTTON", WC_BUTTON, BS_RADIOBUTTON | WS_TABSTOP, BS_RADIOBUTTON,
     ControlStatement::kText},
    {"AUTORADIOBUTTON", WC_BUTTON, BS_AUTORADIOBUTTON | WS_TABSTOP, BS_AUTORADIOBUTTON,
     ControlStatement::kText},
    {"STATE3", WC_BUTTON, BS_3STATE | WS_TABSTOP, BS_3STATE, ControlStatement::kText},
    {"AUTO3STATE", WC_BUTTON, BS_AUTO3STATE | WS_TABSTOP, BS_AUTO3STATE, ControlStatement::kText},
    {"GROUPBOX", WC_BUTTON, BS_GROUPBOX, BS_GROUPBOX, ControlStatement::kText},
    {"EDITTEXT", WC_EDIT, ES_LEFT | WS_BORDER | WS_TABSTOP, ES_LEFT | WS_BORDER | WS_TABSTOP,
     ControlStatement::kNoText},
    {"COMBOBOX", WC_COMBOBOX, CBS_SIMPLE | WS_TABSTOP, 0, ControlStatement::kNoText},
    {"LISTBOX", WC_LISTBOX, LBS_NOTIFY | WS_BORDER, LBS_NOTIFY | WS_BORDER,
     ControlStatement::kNoText},
    {"SCROLLBAR", WC_SCROLLBAR, SBS_HORZ, SBS_HORZ, ControlStatement::kNoText},
    {"ICON", WC_STATIC, SS_ICON, SS_ICON, ControlStatement::kIcon},
};

// Window classes are named case-insensitively; the framework knows them by one spelling.
const char* const kKnownClasses[] = {WC_BUTTON,   WC_EDIT,      WC_STATIC,    WC_LISTBOX,
                                     WC_COMBOBOX, WC_SCROLLBAR, UPDOWN_CLASS, WC_TREEVIEW};

CString CanonicalClass(const std::string& name) {
  for (const char* known : kKnownClasses) {
    if (SameNoCase(name, known)) return known;
  }
  return CString(name.c_str());
}

bool IsMemoryOption(const Token& token) {
  static const char* const kOptions[] = {"PRELOAD", "LOADONCALL",  "MOVEABLE",
                                         "FIXED",   "DISCARDABLE", "PURE",
                                         "IMPURE",  "SHARED",      "NONSHARED"};
  if (token.kind != Token::kName) return false;
  for (const char* option : kOptions) {
    if (SameNoCase(token.text, option)) return true;
  }
  return false;
}

}  // namespace

struct CResourceScript::Parser {
  struct Macro {
    bool functionLike = false;
    std::vector<Token> body;
  };
  struct Conditional {
    int line;
    bool parentActive;  // the enclosing region is read
    bool taken;         // a branch of this #if has been read already
    bool active;        // the current branch is read
    bool sawElse;
  };
  struct ResourceId {
    bool numeric = false;
    WORD id = 0;
  };
  struct PendingInit {
    WORD id;
    WORD language;
    std::vector<CDialogInitEntry> entries;
  };

  CResourceScript& out;
  Lexer lexer;
  std::map<std::string, Macro, std::less<>> macros;
  std::vector<const std::string*> expanding;  // the macros being expanded
  std::size_t emitted = 0;
  std::vector<Conditional> conditionals;
  std::vector<Token> tokens;
  std::size_t pos = 0;
  WORD language = kDefaultLanguage;
  std::vector<PendingInit> pendingInit;

  Parser(CResourceScript& script, const char* text) : out(script) {
    lexer.text = text;
    // The resource compiler's own definitions, which the Windows headers test for.
    Token one;
    one.kind = Token::kNumber;
    one.value = 1;
    macros["RC_INVOKED"].body.push_back(one);
    macros["_WIN32"].body.push_back(one);
  }

  bool Fail(int line, const std::string& what) {
    if (out.error_.IsEmpty()) out.error_.Format("line %d: %s", line, what.c_str());
    return false;
  }

  void Run() {
    if (Preprocess()) ParseStatements();
    AttachInitialData();
  }

  // ----- Preprocessing -----

  bool Active() const { return conditionals.empty() || conditionals.back().active; }

  bool Preprocess() {
    bool lineStart = true;
    for (;;) {
      bool lineEnded = false;
      if (!lexer.SkipBlank(false, &lineEnded)) return Fail(lexer.line, lexer.error);
      if (lineEnded) lineStart = true;
      if (lexer.AtEnd()) break;
      if (lexer.At() == '#' && lineStart) {
        ++lexer.at;
        if (!Directive()) return false;
        continue;
      }
      lineStart = false;
      if (!Active()) {
        SkipInactive();
        continue;
      }
      Token token;
      if (!lexer.Lex(token)) return Fail(token.line, lexer.error);
      if (!Emit(token, token.line, 0, tokens)) return false;
    }
    if (!conditionals.empty()) return Fail(conditionals.back().line, "#if without #endif");
    Token end;
    end.line = tokens.empty() ? lexer.line : tokens.back().line;  // where the script stops
    tokens.push_back(end);
    return true;
  }

  // Text in a branch that is not read need not be valid; only its strings are stepped over,
  // so that what looks like a comment inside them stays text.
  void SkipInactive() {
    if (lexer.At() != '"') {
      ++lexer.at;
      return;
    }
    ++lexer.at;
    while (!lexer.AtLineEnd() && lexer.At() != '"') ++lexer.at;
    if (!lexer.AtEnd() && lexer.At() == '"') ++lexer.at;
  }

  // Appends `token` to `target` as standing on `line`, replacing a macro name by the macro's
  // tokens. A macro is not expanded again inside its own expansion.
  bool Emit(const Token& token, int line, int depth, std::vector<Token>& target) {
    if (++emitted > kMaxTokens) return Fail(line, "script too large");
    if (token.kind == Token::kName) {
      const auto it = macros.find(token.text);
      if (it != macros.end() && !it->second.functionLike &&
          std::find(expanding.begin(), expanding.end(), &it->first) == expanding.end()) {
        if (depth >= kMaxNesting) return Fail(line, "macros nested too deeply");
        expanding.push_back(&it->first);
        for (const Token& replacement : it->second.body) {
          if (!Emit(replacement, line, depth + 1, target)) return false;
        }
        expanding.pop_back();
        return true;
      }
    }
    target.push_back(token);
    target.back().line = line;
    return true;
  }

  bool SkipLine() { return lexer.SkipLine() || Fail(lexer.line, lexer.error); }

  // The tokens up to the end of the directive's line, unexpanded.
  bool DirectiveTokens(std::vector<Token>& line) {
    for (;;) {
      if (!lexer.SkipBlank(true)) return Fail(lexer.line, lexer.error);
      if (lexer.AtLineEnd()) return true;
      Token token;
      if (!lexer.Lex(token)) return Fail(token.line, lexer.error);
      line.push_back(std::move(token));
    }
  }

  bool IsDefined(std::string_view name) const {
    return macros.count(name) > 0 || FindKnownName(name) != nullptr;
  }

  bool Directive() {
    if (!lexer.SkipBlank(true)) return Fail(lexer.line, lexer.error);
    const int line = lexer.line;
    const std::string name = lexer.Word();
    if (name == "if" || name == "ifdef" || name == "ifndef") {
      if (!Active()) {
        conditionals.push_back({line, false, true, false, false});
        return SkipLine();
      }
      bool value = false;
      if (!Condition(name, line, value)) return false;
      conditionals.push_back({line, true, value, value, false});
      return true;
    }
    if (name == "elif" || name == "else" || name == "endif") {
      if (conditionals.empty()) return Fail(line, "#" + name + " without #if");
      Conditional& top = conditionals.back();
      if (name == "endif") {
        conditionals.pop_back();
      } else if (top.sawElse) {
        return Fail(line, "#" + name + " after #else");
      } else if (name == "else") {
        top.active = top.parentActive && !top.taken;
        top.taken = true;
        top.sawElse = true;
      } else if (!top.parentActive || top.taken) {
        top.active = false;
      } else {
        bool value = false;
        if (!Condition("if", line, value)) return false;
        top.active = top.taken = value;
        return true;
      }
      return SkipLine();
    }
    if (!Active() || name.empty() || name == "include" || name == "pragma" || name == "line" ||
        name == "warning") {
      // Quoted headers are inlined before the script reaches the framework; system headers
      // only give the names the framework knows already.
      return SkipLine();
    }
    if (name == "define" || name == "undef") return Definition(name == "define", line);
    if (name == "error") return Fail(line, "#error in the script");
    return Fail(line, "unknown directive #" + name);
  }

  bool Definition(bool define, int line) {
    if (!lexer.SkipBlank(true)) return Fail(lexer.line, lexer.error);
    const std::string name = lexer.Word();
    if (name.empty()) return Fail(line, "macro name expected");
    if (!define) {
      macros.erase(name);
      return SkipLine();
    }
    Macro macro;
    if (lexer.At() == '(') {
      macro.functionLike = true;  // known as defined, never expanded
      if (!SkipLine()) return false;
    } else if (!DirectiveTokens(macro.body)) {
      return false;
    }
    macros[name] = std::move(macro);
    return true;
  }

  // Evaluates an #if, #ifdef or #ifndef line. Names that are not macros count as undefined.
  bool Condition(const std::string& kind, int line, bool& value) {
    std::vector<Token> raw;
    if (!DirectiveTokens(raw)) return false;
    if (kind != "if") {
      if (raw.empty() || raw[0].kind != Token::kName) {
        return Fail(line, "#" + kind + " needs a name");
      }
      value = IsDefined(raw[0].text) == (kind == "ifdef");
      return true;
    }
    std::vector<Token> expanded;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i].kind == Token::kName && raw[i].text == "defined") {
        const bool parenthesised = i + 1 < raw.size() && raw[i + 1].text == "(";
        const std::size_t at = i + (parenthesised ? 2 : 1);
        if (at >= raw.size() || raw[at].kind != Token::kName ||
            (parenthesised && (at + 1 >= raw.size() || raw[at + 1].text != ")"))) {
          return Fail(line, "malformed defined()");
        }
        Token result;
        result.kind = Token::kNumber;
        result.value = IsDefined(raw[at].text) ? 1 : 0;
        result.line = line;
        expanded.push_back(result);
        i = at + (parenthesised ? 1 : 0);
      } else if (!Emit(raw[i], line, 0, expanded)) {
        return false;
      }
    }
    Token end;
    end.line = line;
    expanded.push_back(end);
    std::size_t at = 0;
    Value result;
    if (!Expression(expanded, at, 1, result, 0, true)) return false;
    if (expanded[at].kind != Token::kEnd) return Fail(line, "malformed #if");
    value = result.value != 0;
    return true;
  }

  // ----- Expressions -----

  static int Precedence(const Token& token) {
    if (token.kind != Token::kPunct) return 0;
    static const std::pair<const char*, int> kLevels[] = {
        {"||", 1}, {"&&", 2}, {"|", kBitOrLevel}, {"^", 4},  {"&", 5},  {"==", 6},
        {"!=", 6}, {"<", 7},  {">", 7},           {"<=", 7}, {">=", 7}, {"<<", 8},
        {">>", 8}, {"+", 9},  {"-", 9},           {"*", 10}, {"/", 10}, {"%", 10}};
    for (const auto& [op, level] : kLevels) {
      if (token.text == op) return level;
    }
    return 0;
  }

  // Reads an expression whose operators bind at least as tightly as `minPrecedence`. In
  // conditionals a name that is no macro is 0, as the preprocessor has it.
  bool Expression(const std::vector<Token>& list, std::size_t& at, int minPrecedence, Value& result,
                  int depth, bool unknownIsZero) {
    if (!Operand(list, at, result, depth, unknownIsZero)) return false;
    for (;;) {
      const Token& op = list[at];
      const int level = Precedence(op);
      if (level == 0 || level < minPrecedence) return true;
      ++at;
      Value right;
      if (!Expression(list, at, level + 1, right, depth + 1, unknownIsZero)) return false;
      if (!Apply(op, result, right)) return false;
    }
  }

  bool Operand(const std::vector<Token>& list, std::size_t& at, Value& result, int depth,
               bool unknownIsZero) {
    const Token& token = list[at];
    if (depth > kMaxNesting) return Fail(token.line, "expression nested too deeply");
    if (token.kind == Token::kNumber) {
      result = {token.value, token.isLong};
      ++at;
      return true;
    }
    if (token.kind == Token::kName) {
      const DWORD* known = FindKnownName(token.text);
      if (!known && !unknownIsZero) return Fail(token.line, "unknown name '" + token.text + "'");
      result = {known ? *known : 0, false};
      ++at;
      return true;
    }
    if (token.kind == Token::kPunct && token.text == "(") {
      ++at;
      if (!Expression(list, at, 1, result, depth + 1, unknownIsZero)) return false;
      if (list[at].kind != Token::kPunct || list[at].text != ")") {
        return Fail(list[at].line, "')' expected");
      }
      ++at;
      return true;
    }
    if (token.kind == Token::kPunct &&
        (token.text == "-" || token.text == "~" || token.text == "!" || token.text == "+")) {
      ++at;
      if (!Operand(list, at, result, depth + 1, unknownIsZero)) return false;
      if (token.text == "-") result.value = 0u - result.value;
      if (token.text == "~") result.value = ~result.value;
      if (token.text == "!") result.value = result.value == 0 ? 1 : 0;
      return true;
    }
    return Fail(token.line, "number expected");
  }

  bool Apply(const Token& op, Value& left, const Value& right) {
    if ((op.text == "/" || op.text == "%") && right.value == 0) {
      return Fail(op.line, "division by zero");
    }
    left.value = Combine(op.text, left.value, right.value);
    left.isLong = left.isLong || right.isLong;
    return true;
  }

  // ----- Statements -----

  const Token& Peek(std::size_t ahead = 0) const {
    return pos + ahead < tokens.size() ? tokens[pos + ahead] : tokens.back();
  }
  static bool IsKeyword(const Token& token, const char* keyword) {
    return token.kind == Token::kName && SameNoCase(token.text, keyword);
  }
  static bool IsPunct(const Token& token, const char* op) {
    return token.kind == Token::kPunct && token.text == op;
  }
  static bool OpensBlock(const Token& t) { return IsKeyword(t, "BEGIN") || IsPunct(t, "{"); }
  static bool ClosesBlock(const Token& t) { return IsKeyword(t, "END") || IsPunct(t, "}"); }

  bool Number(DWORD& value) {
    Value result;
    if (!Expression(tokens, pos, 1, result, 0, false)) return false;
    value = result.value;
    return true;
  }
  bool Expect(const char* op) {
    if (!IsPunct(Peek(), op)) return Fail(Peek().line, std::string("'") + op + "' expected");
    ++pos;
    return true;
  }
  bool CommaNumber(DWORD& value) { return Expect(",") && Number(value); }
  bool OptionalComma() {
    if (!IsPunct(Peek(), ",")) return false;
    ++pos;
    return true;
  }

  // Adjacent strings make one.
  bool String(CString& text) {
    if (Peek().kind != Token::kString) return Fail(Peek().line, "string expected");
    std::string joined;
    while (Peek().kind == Token::kString) joined += tokens[pos++].text;
    text = CString(joined.data(), static_cast<int>(joined.size()));
    return true;
  }

  bool Language(WORD& result) {
    DWORD primary = 0, sub = 0;
    if (!Number(primary) || !CommaNumber(sub)) return false;
    result = static_cast<WORD>((sub << 10) | primary);
    return true;
  }

  // A style: names and numbers joined by '|'; NOT clears bits from what the style starts with.
  bool Style(DWORD& style) {
    for (;;) {
      const bool clear = IsKeyword(Peek(), "NOT");
      if (clear) ++pos;
      Value part;
      if (!Expression(tokens, pos, kBitOrLevel + 1, part, 0, false)) return false;
      style = clear ? (style & ~part.value) : (style | part.value);
      if (!IsPunct(Peek(), "|")) return true;
      ++pos;
    }
  }

  // Memory options and the statements that may stand between a resource's type and its data.
  bool ResourceOptions(WORD& resourceLanguage) {
    for (;;) {
      const Token& t = Peek();
      DWORD ignored = 0;
      if (IsMemoryOption(t)) {
        ++pos;
      } else if (IsKeyword(t, "LANGUAGE")) {
        ++pos;
        if (!Language(resourceLanguage)) return false;
      } else if (IsKeyword(t, "CHARACTERISTICS") || IsKeyword(t, "VERSION")) {
        ++pos;
        if (!Number(ignored)) return false;
      } else {
        return true;
      }
    }
  }

  bool SkipBlock() {
    if (!OpensBlock(Peek())) return Fail(Peek().line, "BEGIN expected");
    int depth = 0;
    do {
      const Token& t = Peek();
      if (t.kind == Token::kEnd) return Fail(t.line, "END expected");
      if (OpensBlock(t)) ++depth;
      if (ClosesBlock(t)) --depth;
      ++pos;
    } while (depth > 0);
    return true;
  }

  bool ParseStatements() {
    while (Peek().kind != Token::kEnd) {
      const Token& t = Peek();
      DWORD ignored = 0;
      if (IsKeyword(t, "LANGUAGE")) {
        ++pos;
        if (!Language(language)) return false;
      } else if (IsKeyword(t, "STRINGTABLE")) {
        ++pos;
        if (!StringTable()) return false;
      } else if (IsKeyword(t, "VERSION") || IsKeyword(t, "CHARACTERISTICS")) {
        ++pos;
        if (!Number(ignored)) return false;
      } else if (!Resource()) {
        return false;
      }
    }
    return true;
  }

  // A resource statement: identifier, type, then what the type needs.
  bool Resource() {
    ResourceId id;
    const Token& name = Peek();
    if ((name.kind == Token::kName && !FindKnownName(name.text)) || name.kind == Token::kString) {
      ++pos;  // a named resource: read, but the framework looks resources up by number
    } else {
      DWORD value = 0;
      if (!Number(value)) return false;
      id = {true, static_cast<WORD>(value)};
    }
    const Token& type = Peek();
    if (type.kind == Token::kNumber) {
      DWORD ignored = 0;
      return Number(ignored) && UserResource();
    }
    if (type.kind != Token::kName) return Fail(type.line, "resource type expected");
    ++pos;
    if (IsKeyword(type, "DIALOG")) return Dialog(id, false);
    if (IsKeyword(type, "DIALOGEX")) return Dialog(id, true);
    if (IsKeyword(type, "DLGINIT")) return DialogInit(id);
    if (IsKeyword(type, "ICON")) return Icon(id);
    if (IsKeyword(type, "VERSIONINFO") || IsKeyword(type, "TOOLBAR")) {
      // Their fixed statements before BEGIN carry nothing the framework reads.
      while (!OpensBlock(Peek())) {
        if (Peek().kind == Token::kEnd) return Fail(Peek().line, "BEGIN expected");
        ++pos;
      }
      return SkipBlock();
    }
    return UserResource();
  }

  // Any other type: its data comes from a file or stands in a block.
  bool UserResource() {
    WORD ignored = 0;
    if (!ResourceOptions(ignored)) return false;
    if (Peek().kind == Token::kString) {
      ++pos;
      return true;
    }
    return SkipBlock();
  }

  bool Icon(const ResourceId& id) {
    WORD ignored = 0;
    if (!ResourceOptions(ignored)) return false;
    CString file;
    if (Peek().kind != Token::kString) return Fail(Peek().line, "icon file name expected");
    if (!String(file)) return false;
    if (id.numeric) out.icons_.emplace_back(id.id, file);
    return true;
  }

  bool StringTable() {
    WORD ignored = 0;
    if (!ResourceOptions(ignored)) return false;
    if (!OpensBlock(Peek())) return Fail(Peek().line, "BEGIN expected");
    ++pos;
    while (!ClosesBlock(Peek())) {
      if (Peek().kind == Token::kEnd) return Fail(Peek().line, "END expected");
      DWORD id = 0;
      CString text;
      if (!Number(id)) return false;
      OptionalComma();
      if (!String(text)) return false;
      out.strings_.emplace_back(static_cast<WORD>(id), text);
    }
    ++pos;
    return true;
  }

  bool Dialog(const ResourceId& id, bool extended) {
    CDialogTemplate dialog;
    dialog.id = id.id;
    dialog.language = language;
    while (IsMemoryOption(Peek())) ++pos;
    DWORD x = 0, y = 0, cx = 0, cy = 0, ignored = 0;
    if (!Number(x) || !CommaNumber(y) || !CommaNumber(cx) || !CommaNumber(cy)) return false;
    if (extended && OptionalComma() && !Number(ignored)) return false;  // help id
    dialog.x = static_cast<short>(x);
    dialog.y = static_cast<short>(y);
    dialog.cx = static_cast<short>(cx);
    dialog.cy = static_cast<short>(cy);

    DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU;
    bool hasCaption = false, hasFont = false;
    while (!OpensBlock(Peek())) {
      const Token& t = Peek();
      ++pos;
      if (IsKeyword(t, "STYLE")) {
        style = 0;
        if (!Style(style)) return false;
      } else if (IsKeyword(t, "EXSTYLE")) {
        dialog.exStyle = 0;
        if (!Style(dialog.exStyle)) return false;
      } else if (IsKeyword(t, "CAPTION")) {
        hasCaption = true;
        if (!String(dialog.caption)) return false;
      } else if (IsKeyword(t, "FONT")) {
        hasFont = true;
        DWORD size = 0;
        if (!Number(size) || !Expect(",") || !String(dialog.fontName)) return false;
        dialog.pointSize = static_cast<WORD>(size);
        for (int i = 0; i < 3 && OptionalComma(); ++i) {  // weight, italic, character set
          if (!Number(ignored)) return false;
        }
      } else if (IsKeyword(t, "MENU") || IsKeyword(t, "CLASS")) {
        const Token& value = Peek();
        if (value.kind == Token::kString ||
            (value.kind == Token::kName && !FindKnownName(value.text))) {
          ++pos;
        } else if (!Number(ignored)) {
          return false;
        }
      } else if (IsKeyword(t, "LANGUAGE")) {
        if (!Language(dialog.language)) return false;
      } else if (IsKeyword(t, "CHARACTERISTICS") || IsKeyword(t, "VERSION")) {
        if (!Number(ignored)) return false;
      } else {
        return Fail(t.line, "dialog statement or BEGIN expected");
      }
    }
    ++pos;
    // The compiler adds what CAPTION and FONT imply, whatever STYLE says.
    if (hasCaption) style |= WS_CAPTION;
    if (hasFont) style |= DS_SETFONT;
    dialog.style = style;

    while (!ClosesBlock(Peek())) {
      if (Peek().kind == Token::kEnd) return Fail(Peek().line, "END expected");
      CDialogItemTemplate item;
      if (!Control(item)) return false;
      dialog.items.push_back(std::move(item));
    }
    ++pos;
    if (id.numeric) out.dialogs_.push_back(std::move(dialog));
    return true;
  }

  // A control's text: a string, or the name or number of a resource (an icon's).
  bool ControlText(CString& text) {
    const Token& t = Peek();
    if (t.kind == Token::kString) return String(text);
    if (t.kind == Token::kName && !FindKnownName(t.text)) {
      text = t.text.c_str();
      ++pos;
      return true;
    }
    DWORD number = 0;
    if (!Number(number)) return false;
    text.Format("#%u", static_cast<unsigned>(static_cast<WORD>(number)));
    return true;
  }

  bool ControlClass(CString& windowClass) {
    const Token& t = Peek();
    if (t.kind == Token::kString || (t.kind == Token::kName && !FindKnownName(t.text))) {
      windowClass = CanonicalClass(t.text);
      ++pos;
      return true;
    }
    // The compiler's numbers for the predefined classes.
    DWORD atom = 0;
    if (!Number(atom)) return false;
    static const char* const kAtoms[] = {WC_BUTTON,  WC_EDIT,      WC_STATIC,
                                         WC_LISTBOX, WC_SCROLLBAR, WC_COMBOBOX};
    if (atom < 0x80 || atom > 0x85) return Fail(t.line, "unknown window class");
    windowClass = kAtoms[atom - 0x80];
    return true;
  }

  bool Rectangle(CDialogItemTemplate& item) {
    DWORD x = 0, y = 0, cx = 0, cy = 0;
    if (!Number(x) || !CommaNumber(y) || !CommaNumber(cx) || !CommaNumber(cy)) return false;
    item.x = static_cast<short>(x);
    item.y = static_cast<short>(y);
    item.cx = static_cast<short>(cx);
    item.cy = static_cast<short>(cy);
    return true;
  }

  // What may follow a control's style: extended style, help id, and in DIALOGEX a data block.
  bool ControlTail(CDialogItemTemplate& item) {
    DWORD ignored = 0;
    if (OptionalComma()) {
      if (!Style(item.exStyle)) return false;
      if (OptionalComma() && !Number(ignored)) return false;
    }
    return !OpensBlock(Peek()) || SkipBlock();
  }

  bool Control(CDialogItemTemplate& item) {
    const Token& keyword = Peek();
    DWORD id = 0;
    if (IsKeyword(keyword, "CONTROL")) {
      ++pos;
      item.style = WS_CHILD | WS_VISIBLE;
      if (!ControlText(item.text) || !CommaNumber(id) || !Expect(",") ||
          !ControlClass(item.windowClass) || !Expect(",") || !Style(item.style) || !Expect(",") ||
          !Rectangle(item)) {
        return false;
      }
      item.id = static_cast<WORD>(id);
      return ControlTail(item);
    }
    const ControlStatement* statement = nullptr;
    for (const ControlStatement& candidate : kControlStatements) {
      if (IsKeyword(keyword, candidate.keyword)) {
        statement = &candidate;
        break;
      }
    }
    if (!statement) return Fail(keyword.line, "control statement expected");
    ++pos;
    item.windowClass = statement->windowClass;
    if (statement->form != ControlStatement::kNoText) {
      if (!ControlText(item.text) || !Expect(",")) return false;
    }
    if (!Number(id)) return false;
    item.id = static_cast<WORD>(id);
    if (statement->form == ControlStatement::kIcon) {
      // The icon sizes the control; width and height, if given, are ignored.
      DWORD x = 0, y = 0, ignored = 0;
      if (!CommaNumber(x) || !CommaNumber(y)) return false;
      item.x = static_cast<short>(x);
      item.y = static_cast<short>(y);
      if (OptionalComma() && (!Number(ignored) || !CommaNumber(ignored))) return false;
    } else if (!Expect(",") || !Rectangle(item)) {
      return false;
    }
    item.style = statement->defaultStyle | WS_CHILD | WS_VISIBLE;
    if (OptionalComma()) {
      item.style = statement->baseStyle | WS_CHILD | WS_VISIBLE;
      if (!Style(item.style)) return false;
    }
    return ControlTail(item);
  }

  // The data of a DLGINIT block is a byte stream: each number a little-endian word (a double
  // word with an L suffix), each string its bytes without a terminator.
  bool DialogInit(const ResourceId& id) {
    WORD resourceLanguage = language;
    if (!ResourceOptions(resourceLanguage)) return false;
    if (!OpensBlock(Peek())) return Fail(Peek().line, "BEGIN expected");
    const int line = Peek().line;
    ++pos;
    std::string bytes;
    while (!ClosesBlock(Peek())) {
      const Token& t = Peek();
      if (t.kind == Token::kEnd) return Fail(t.line, "END expected");
      if (OptionalComma()) continue;  // the resource editor leaves some out
      if (t.kind == Token::kString) {
        bytes += t.text;
        ++pos;
        continue;
      }
      Value v;
      if (!Expression(tokens, pos, 1, v, 0, false)) return false;
      for (int i = 0; i < (v.isLong ? 4 : 2); ++i) bytes += static_cast<char>(v.value >> (8 * i));
    }
    ++pos;
    PendingInit init{id.id, resourceLanguage, {}};
    if (!afx_detail::DecodeDialogInit(bytes, init.entries)) {
      return Fail(line, "initial data ends inside an entry");
    }
    if (id.numeric) pendingInit.push_back(std::move(init));
    return true;
  }

  // A DLGINIT block belongs to the dialog of its id, in its language where there is a choice.
  void AttachInitialData() {
    for (PendingInit& init : pendingInit) {
      CDialogTemplate* target = nullptr;
      for (CDialogTemplate& dialog : out.dialogs_) {
        if (dialog.id != init.id) continue;
        if (!target || (dialog.language == init.language && target->language != init.language)) {
          target = &dialog;
        }
      }
      if (target) target->initData = std::move(init.entries);
    }
  }
};

CResourceScript::CResourceScript(const char* script) {
  try {
    Parser parser(*this, script ? script : "");
    parser.Run();
  } catch (const std::bad_alloc&) {
    error_ = "resource script too large";
  }
}

const CDialogTemplate* CResourceScript::FindDialog(UINT id) const {
  for (const CDialogTemplate& dialog : dialogs_) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

BOOL CResourceScript::FindString(UINT id, CString& text) const {
  for (const auto& [stringId, value] : strings_) {
    if (stringId == id) {
      text = value;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CResourceScript::HasIcon(UINT id) const {
  for (const auto& icon : icons_) {
    if (icon.first == id) return TRUE;
  }
  return FALSE;
}
