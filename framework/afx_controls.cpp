#include "afx_controls.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "afx_common_controls.h"
#include "afx_standin_calls.h"
#include "afx_window_impl.h"

using afx_detail::Wnd;

struct _TREEITEM {
  CString text;
  DWORD_PTR data = 0;
  UINT mask = 0;
  _TREEITEM* parent = nullptr;
  std::vector<std::unique_ptr<_TREEITEM>> children;
};

namespace {

// Letters in the host's single-byte code page: ASCII and the Cyrillic block of code page 1251.
char UpperCase(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 'a' + 'A');
  if (byte >= 0xE0) return static_cast<char>(byte - 0x20);
  if (byte == 0xB8) return static_cast<char>(0xA8);
  return ch;
}

char LowerCase(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte - 'A' + 'a');
  if (byte >= 0xC0 && byte <= 0xDF) return static_cast<char>(byte + 0x20);
  if (byte == 0xA8) return static_cast<char>(0xB8);
  return ch;
}

int CompareNoCase(const CString& left, const char* right) {
  const char* a = left.GetString();
  const char* b = right ? right : "";
  for (;; ++a, ++b) {
    const int ca = static_cast<unsigned char>(UpperCase(*a));
    const int cb = static_cast<unsigned char>(UpperCase(*b));
    if (ca != cb || ca == 0) return ca - cb;
  }
}

bool StartsWithNoCase(const CString& text, const char* prefix) {
  const std::size_t length = std::strlen(prefix ? prefix : "");
  if (static_cast<std::size_t>(text.GetLength()) < length) return false;
  return CompareNoCase(text.Left(static_cast<int>(length)), prefix) == 0;
}

LRESULT CopyText(const CString& text, LPARAM buffer) {
  if (!buffer) return -1;
  std::memcpy(reinterpret_cast<char*>(buffer), text.GetString(),
              static_cast<std::size_t>(text.GetLength()) + 1);
  return text.GetLength();
}

// The items of a list box or of a combo box's list.
struct Item {
  CString text;
  DWORD_PTR data = 0;
  int check = 0;
};

class ItemList {
 public:
  std::vector<Item> items;
  int selection = -1;

  bool Valid(WPARAM index) const { return static_cast<std::size_t>(index) < items.size(); }

  // Adds in case-insensitive order when sorted, after the items that compare equal.
  int Add(const char* text, bool sorted) {
    std::size_t at = items.size();
    if (sorted) {
      at = static_cast<std::size_t>(
          std::find_if(items.begin(), items.end(),
                       [&](const Item& item) { return CompareNoCase(item.text, text) > 0; }) -
          items.begin());
    }
    return Insert(static_cast<int>(at), text);
  }

  int Insert(int index, const char* text) {
    if (index < 0 || static_cast<std::size_t>(index) > items.size())
      index = static_cast<int>(items.size());
    items.insert(items.begin() + index, Item{text});
    if (selection >= index) ++selection;
    return index;
  }

  int Delete(WPARAM index) {
    if (!Valid(index)) return -1;
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    if (selection == static_cast<int>(index)) selection = -1;
    if (selection > static_cast<int>(index)) --selection;
    return static_cast<int>(items.size());
  }

  // The first item after `startAfter`, wrapping round, that matches; -1 for none.
  template <class Match>
  int Find(WPARAM startAfter, Match match) const {
    const int count = static_cast<int>(items.size());
    const int start = static_cast<int>(static_cast<LONG>(startAfter));
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
      const int index = (first + n) % count;
      if (match(items[static_cast<std::size_t>(index)].text)) return index;
    }
    return -1;
  }
  int FindPrefix(WPARAM startAfter, LPARAM prefix) const {
    const char* text = reinterpret_cast<const char*>(prefix);
    return Find(startAfter, [text](const CString& item) { return StartsWithNoCase(item, text); });
  }
  int FindExact(WPARAM startAfter, LPARAM whole) const {
    const char* text = reinterpret_cast<const char*>(whole);
    return Find(startAfter, [text](const CString& item) { return CompareNoCase(item, text) == 0; });
  }
};

class ButtonClass : public afx_detail::WindowClass {
 public:
  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case BM_GETCHECK:
        return check_;
      case BM_SETCHECK:
        check_ = static_cast<int>(wParam);
        return 0;
      case BM_CLICK:
        if (Wnd(hWnd)->style & WS_DISABLED) return 0;
        Click(hWnd);
        afx_detail::NotifyParent(hWnd, BN_CLICKED);
        return 0;
      default:
        return WindowClass::Proc(hWnd, message, wParam, lParam);
    }
  }

 private:
  void Click(HWND hWnd) {
    switch (Wnd(hWnd)->style & BS_TYPEMASK) {
      case BS_AUTOCHECKBOX:
        check_ = check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
      case BS_AUTO3STATE:
        check_ = (check_ + 1) % 3;
        break;
      case BS_AUTORADIOBUTTON:
        for (HWND other : afx_detail::GroupOf(hWnd)) {
          const DWORD type = Wnd(other)->style & BS_TYPEMASK;
          if (other != hWnd && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)) {
            Wnd(other)->Send(BM_SETCHECK, BST_UNCHECKED, 0);
          }
        }
        check_ = BST_CHECKED;
        break;
      default:
        break;
    }
  }

  int check_ = BST_UNCHECKED;
};

class EditClass : public afx_detail::WindowClass {
 public:
  HWND stepper = nullptr;  // the up-down that steps this field with the arrow keys

  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_SETTEXT:
        WindowClass::Proc(hWnd, message, wParam, lParam);
        start_ = end_ = 0;
        return TRUE;
      case EM_SETSEL:
        Select(hWnd, static_cast<int>(static_cast<LONG>(wParam)), static_cast<int>(lParam));
        return 0;
      case EM_GETSEL:
        return MAKELONG(static_cast<WORD>(start_), static_cast<WORD>(end_));
      case WM_CHAR:
        Type(hWnd, static_cast<char>(wParam));
        return 0;
      case WM_KEYDOWN:
        if ((wParam == VK_UP || wParam == VK_DOWN) && IsWindow(stepper)) {
          Wnd(stepper)->Send(WM_KEYDOWN, wParam, lParam);
        } else if (wParam == VK_DELETE) {
          if (start_ == end_ && end_ < Wnd(hWnd)->text.GetLength()) ++end_;
          Replace(hWnd, "");
        }
        return 0;
      case WM_SETFOCUS:
        afx_detail::NotifyParent(hWnd, EN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        afx_detail::NotifyParent(hWnd, EN_KILLFOCUS);
        return 0;
      default:
        return WindowClass::Proc(hWnd, message, wParam, lParam);
    }
  }

 private:
  void Select(HWND hWnd, int start, int end) {
    const int length = Wnd(hWnd)->text.GetLength();
    if (start < 0) {
      start_ = end_;
      return;
    }
    if (end < 0 || end > length) end = length;
    start_ = std::min(start, length);
    end_ = end;
    if (start_ > end_) std::swap(start_, end_);
  }

  // A typed character, as the control's styles let it through.
  void Type(HWND hWnd, char ch) {
    if (ch == '\b') {
      if (start_ == end_ && start_ > 0) --start_;
      Replace(hWnd, "");
      return;
    }
    if (static_cast<unsigned char>(ch) < 0x20) return;
    if ((Wnd(hWnd)->style & ES_NUMBER) && (ch < '0' || ch > '9')) return;
    if (Wnd(hWnd)->style & ES_UPPERCASE) ch = UpperCase(ch);
    if (Wnd(hWnd)->style & ES_LOWERCASE) ch = LowerCase(ch);
    const char typed[2] = {ch, '\0'};
    Replace(hWnd, typed);
  }

  void Replace(HWND hWnd, const char* with) {
    const CString& text = Wnd(hWnd)->text;
    Wnd(hWnd)->text = text.Left(start_) + with + text.Mid(end_);
    start_ = end_ = start_ + static_cast<int>(std::strlen(with));
    afx_detail::NotifyParent(hWnd, EN_CHANGE);
  }

  int start_ = 0;
  int end_ = 0;
};

class ComboBoxClass : public afx_detail::WindowClass {
 public:
  ItemList list;

  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    const bool sorted = (Wnd(hWnd)->style & CBS_SORT) != 0;
    switch (message) {
      case CB_ADDSTRING:
        return list.Add(reinterpret_cast<const char*>(lParam), sorted);
      case CB_INSERTSTRING:
        return list.Insert(static_cast<int>(static_cast<LONG>(wParam)),
                           reinterpret_cast<const char*>(lParam));
      case CB_DELETESTRING:
        return list.Delete(wParam);
      case CB_RESETCONTENT:
        list = ItemList();
        Wnd(hWnd)->text.Empty();
        return CB_OKAY;
      case CB_GETCOUNT:
        return static_cast<LRESULT>(list.items.size());
      case CB_GETCURSEL:
        return list.selection;
      case CB_SETCURSEL:
        return Select(hWnd, list.Valid(wParam) ? static_cast<int>(wParam) : -1);
      case CB_FINDSTRING:
        return list.FindPrefix(wParam, lParam);
      case CB_FINDSTRINGEXACT:
        return list.FindExact(wParam, lParam);
      case CB_SELECTSTRING: {
        const int found = list.FindPrefix(wParam, lParam);
        return found < 0 ? CB_ERR : Select(hWnd, found);
      }
      case CB_GETLBTEXT:
        return list.Valid(wParam) ? CopyText(list.items[wParam].text, lParam) : CB_ERR;
      case CB_GETLBTEXTLEN:
        return list.Valid(wParam) ? list.items[wParam].text.GetLength() : CB_ERR;
      case CB_GETITEMDATA:
        return list.Valid(wParam) ? static_cast<LRESULT>(list.items[wParam].data) : CB_ERR;
      case CB_SETITEMDATA:
        if (!list.Valid(wParam)) return CB_ERR;
        list.items[wParam].data = static_cast<DWORD_PTR>(lParam);
        return CB_OKAY;
      case WM_SETTEXT:
        if ((Wnd(hWnd)->style & 3) == CBS_DROPDOWNLIST) return CB_ERR;
        list.selection = -1;
        return WindowClass::Proc(hWnd, message, wParam, lParam);
      case CB_SETEDITSEL:
        wholeTextSelected_ = LOWORD(static_cast<DWORD_PTR>(lParam)) == 0 &&
                             static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam))) == -1;
        return TRUE;
      case WM_CHAR:
        Type(hWnd, static_cast<char>(wParam));
        return 0;
      case WM_SETFOCUS:
        wholeTextSelected_ = true;
        afx_detail::NotifyParent(hWnd, CBN_SETFOCUS);
        return 0;
      case WM_KILLFOCUS:
        afx_detail::NotifyParent(hWnd, CBN_KILLFOCUS);
        return 0;
      default:
        return WindowClass::Proc(hWnd, message, wParam, lParam);
    }
  }

 private:
  LRESULT Select(HWND hWnd, int index) {
    list.selection = index;
    Wnd(hWnd)->text = index < 0 ? CString() : list.items[static_cast<std::size_t>(index)].text;
    return index < 0 ? CB_ERR : index;
  }

  bool wholeTextSelected_ = false;

  // The edit field of a drop-down combo box takes typed text; a drop-down list takes none.
  void Type(HWND hWnd, char ch) {
    if ((Wnd(hWnd)->style & 3) == CBS_DROPDOWNLIST) return;
    if (ch != '\b' && static_cast<unsigned char>(ch) < 0x20) return;
    if (wholeTextSelected_) {
      Wnd(hWnd)->text.Empty();
    } else if (ch == '\b') {
      Wnd(hWnd)->text = Wnd(hWnd)->text.Left(Wnd(hWnd)->text.GetLength() - 1);
    }
    wholeTextSelected_ = false;
    if (ch != '\b') Wnd(hWnd)->text += (Wnd(hWnd)->style & CBS_UPPERCASE) ? UpperCase(ch) : ch;
    list.selection = -1;
    afx_detail::NotifyParent(hWnd, CBN_EDITCHANGE);
  }
};

class ListBoxClass : public afx_detail::WindowClass {
 public:
  ItemList list;

  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case LB_ADDSTRING:
        return list.Add(reinterpret_cast<const char*>(lParam), (Wnd(hWnd)->style & LBS_SORT) != 0);
      case LB_INSERTSTRING:
        return list.Insert(static_cast<int>(static_cast<LONG>(wParam)),
                           reinterpret_cast<const char*>(lParam));
      case LB_DELETESTRING:
        return list.Delete(wParam);
      case LB_RESETCONTENT:
        list = ItemList();
        return LB_OKAY;
      case LB_GETCOUNT:
        return static_cast<LRESULT>(list.items.size());
      case LB_GETCURSEL:
        return list.selection;
      case LB_SETCURSEL:
        list.selection = list.Valid(wParam) ? static_cast<int>(wParam) : -1;
        return list.selection < 0 && static_cast<LONG>(wParam) != -1 ? LB_ERR : list.selection;
      case LB_FINDSTRING:
        return list.FindPrefix(wParam, lParam);
      case LB_FINDSTRINGEXACT:
        return list.FindExact(wParam, lParam);
      case LB_GETTEXT:
        return list.Valid(wParam) ? CopyText(list.items[wParam].text, lParam) : LB_ERR;
      case LB_GETTEXTLEN:
        return list.Valid(wParam) ? list.items[wParam].text.GetLength() : LB_ERR;
      case LB_GETITEMDATA:
        return list.Valid(wParam) ? static_cast<LRESULT>(list.items[wParam].data) : LB_ERR;
      case LB_SETITEMDATA:
        if (!list.Valid(wParam)) return LB_ERR;
        list.items[wParam].data = static_cast<DWORD_PTR>(lParam);
        return LB_OKAY;
      case WM_LBUTTONDOWN: {
        const int index = HIWORD(static_cast<DWORD_PTR>(lParam)) / AFX_CHECKLIST_ITEM_HEIGHT;
        if ((Wnd(hWnd)->style & LBS_NOSEL) || !list.Valid(static_cast<WPARAM>(index))) return 0;
        list.selection = index;
        if (Wnd(hWnd)->style & LBS_NOTIFY) afx_detail::NotifyParent(hWnd, LBN_SELCHANGE);
        return 0;
      }
      default:
        return WindowClass::Proc(hWnd, message, wParam, lParam);
    }
  }
};

class UpDownClass : public afx_detail::WindowClass {
 public:
  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CREATE:
        if (Wnd(hWnd)->style & UDS_AUTOBUDDY) SetBuddy(hWnd, PreviousSibling(hWnd));
        return 0;
      case UDM_SETBUDDY: {
        HWND previous = buddy_;
        SetBuddy(hWnd, reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(previous);
      }
      case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(IsWindow(buddy_) ? buddy_ : nullptr);
      case UDM_SETRANGE:
        max_ = static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)));
        min_ = static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
        return 0;
      case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(max_), static_cast<WORD>(min_));
      case UDM_SETRANGE32:
        min_ = static_cast<int>(static_cast<LONG_PTR>(wParam));
        max_ = static_cast<int>(lParam);
        return 0;
      case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = min_;
        if (lParam) *reinterpret_cast<int*>(lParam) = max_;
        return 0;
      case UDM_SETPOS: {
        const int previous = position_;
        position_ = Clamped(static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam))));
        WriteBuddy(hWnd);
        return static_cast<short>(previous);
      }
      case UDM_SETPOS32: {
        const int previous = position_;
        position_ = Clamped(static_cast<int>(lParam));
        WriteBuddy(hWnd);
        return previous;
      }
      // The 16-bit answer carries the low word of the position.
      case UDM_GETPOS: {
        const bool valid = ReadBuddy(hWnd);
        return MAKELONG(static_cast<WORD>(position_), valid ? 0 : 1);
      }
      case UDM_GETPOS32: {
        const bool valid = ReadBuddy(hWnd);
        if (lParam) *reinterpret_cast<BOOL*>(lParam) = valid ? FALSE : TRUE;
        return position_;
      }
      case WM_KEYDOWN:
        if ((wParam == VK_UP || wParam == VK_DOWN) && (Wnd(hWnd)->style & UDS_ARROWKEYS)) {
          Step(hWnd, wParam == VK_UP ? 1 : -1);
        }
        return 0;
      default:
        return WindowClass::Proc(hWnd, message, wParam, lParam);
    }
  }

 private:
  static HWND PreviousSibling(HWND hWnd) {
    if (!Wnd(hWnd)->parent) return nullptr;
    const std::vector<HWND>& siblings = Wnd(Wnd(hWnd)->parent)->children;
    const auto at = std::find(siblings.begin(), siblings.end(), hWnd);
    return at == siblings.begin() || at == siblings.end() ? nullptr : *(at - 1);
  }

  // Takes the buddy and sits at its right edge, narrowing it by its own width.
  void SetBuddy(HWND hWnd, HWND buddy) {
    buddy_ = IsWindow(buddy) ? buddy : nullptr;
    if (!buddy_) return;
    if (auto* edit = Wnd(buddy_)->As<EditClass>(); edit && (Wnd(hWnd)->style & UDS_ARROWKEYS)) {
      edit->stepper = hWnd;
    }
    if (!(Wnd(hWnd)->style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
    RECT& self = Wnd(hWnd)->rect;
    RECT& field = Wnd(buddy_)->rect;
    const LONG width = self.right - self.left;
    if (Wnd(hWnd)->style & UDS_ALIGNRIGHT) {
      field.right = std::max(field.left, field.right - width);
      self.left = field.right;
    } else {
      self.left = field.left;
      field.left = std::min(field.right, field.left + width);
    }
    self.right = self.left + width;
    self.top = field.top;
    self.bottom = field.bottom;
  }

  bool InRange(long long value) const {
    return min_ <= max_ ? (value >= min_ && value <= max_) : (value >= max_ && value <= min_);
  }

  int Clamped(long long value) const {
    const long long low = std::min(min_, max_);
    const long long high = std::max(min_, max_);
    return static_cast<int>(std::clamp(value, low, high));
  }

  // Takes the buddy's text as the position when it is a whole number within the range.
  bool ReadBuddy(HWND hWnd) {
    if (!(Wnd(hWnd)->style & UDS_SETBUDDYINT) || !IsWindow(buddy_)) return false;
    std::string digits;
    for (const char ch : std::string(Wnd(buddy_)->text.GetString())) {
      if (ch != ',') digits += ch;
    }
    if (digits.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(digits.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || !InRange(value)) return false;
    position_ = static_cast<int>(value);
    return true;
  }

  void WriteBuddy(HWND hWnd) {
    if (!(Wnd(hWnd)->style & UDS_SETBUDDYINT) || !IsWindow(buddy_)) return;
    std::string text = std::to_string(std::abs(static_cast<long long>(position_)));
    if (!(Wnd(hWnd)->style & UDS_NOTHOUSANDS)) {
      for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3)
        text.insert(static_cast<std::size_t>(at), ",");
    }
    if (position_ < 0) text.insert(0, "-");
    Wnd(buddy_)->Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  void Step(HWND hWnd, int delta) {
    ReadBuddy(hWnd);
    const int up = min_ <= max_ ? delta : -delta;
    long long next = static_cast<long long>(position_) + up;
    if (!InRange(next) && (Wnd(hWnd)->style & UDS_WRAP)) {
      next = up > 0 ? std::min(min_, max_) : std::max(min_, max_);
    }
    position_ = Clamped(next);
    WriteBuddy(hWnd);
  }

  HWND buddy_ = nullptr;
  // The control's initial range runs from 100 down to 0.
  int min_ = 100;
  int max_ = 0;
  int position_ = 0;
};

class TreeClass : public afx_detail::WindowClass {
 public:
  TreeClass() { live.insert(&root); }
  _TREEITEM root;
  std::set<const _TREEITEM*> live;

  _TREEITEM* Resolve(HTREEITEM item) {
    if (!item || item == TVI_ROOT) return &root;
    return live.count(item) ? item : nullptr;
  }
};

template <class T>
std::unique_ptr<afx_detail::WindowClass> Make() {
  return std::make_unique<T>();
}

const bool registered = [] {
  afx_detail::RegisterWindowClass(WC_BUTTON, Make<ButtonClass>);
  afx_detail::RegisterWindowClass(WC_EDIT, Make<EditClass>);
  afx_detail::RegisterWindowClass(WC_COMBOBOX, Make<ComboBoxClass>);
  afx_detail::RegisterWindowClass(WC_LISTBOX, Make<ListBoxClass>);
  afx_detail::RegisterWindowClass(UPDOWN_CLASS, Make<UpDownClass>);
  afx_detail::RegisterWindowClass(WC_TREEVIEW, Make<TreeClass>);
  return true;
}();

}  // namespace

int CButton::GetCheck() const {
  return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

void CEdit::SetSel(int start, int end) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

namespace {

template <class Control>
LRESULT Ask(const Control* control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return const_cast<Control*>(control)->SendMessage(message, wParam, lParam);
}

LPARAM TextParameter(const char* text) { return reinterpret_cast<LPARAM>(text ? text : ""); }

WPARAM IndexParameter(int index) { return static_cast<WPARAM>(static_cast<LONG_PTR>(index)); }

// The item text a list answers for CB_GETLBTEXT or LB_GETTEXT.
template <class Control>
void ItemText(const Control* control, UINT lengthMessage, UINT textMessage, int index,
              CString& text) {
  const LRESULT length = Ask(control, lengthMessage, IndexParameter(index));
  if (length < 0) {
    text.Empty();
    return;
  }
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  Ask(control, textMessage, IndexParameter(index), reinterpret_cast<LPARAM>(buffer.data()));
  text = CString(buffer.data(), static_cast<int>(length));
}

}  // namespace

int CComboBox::GetCount() const { return static_cast<int>(Ask(this, CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(Ask(this, CB_GETCURSEL)); }
int CComboBox::SetCurSel(int index) {
  return static_cast<int>(SendMessage(CB_SETCURSEL, IndexParameter(index)));
}
int CComboBox::AddString(const char* text) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, TextParameter(text)));
}
int CComboBox::InsertString(int index, const char* text) {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, IndexParameter(index), TextParameter(text)));
}
int CComboBox::DeleteString(UINT index) {
  return static_cast<int>(SendMessage(CB_DELETESTRING, index));
}
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::FindString(int startAfter, const char* prefix) const {
  return static_cast<int>(
      Ask(this, CB_FINDSTRING, IndexParameter(startAfter), TextParameter(prefix)));
}
int CComboBox::FindStringExact(int startAfter, const char* text) const {
  return static_cast<int>(
      Ask(this, CB_FINDSTRINGEXACT, IndexParameter(startAfter), TextParameter(text)));
}
int CComboBox::SelectString(int startAfter, const char* prefix) {
  return static_cast<int>(
      SendMessage(CB_SELECTSTRING, IndexParameter(startAfter), TextParameter(prefix)));
}
void CComboBox::GetLBText(int index, CString& text) const {
  ItemText(this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}
int CComboBox::GetLBTextLen(int index) const {
  return static_cast<int>(Ask(this, CB_GETLBTEXTLEN, IndexParameter(index)));
}
DWORD_PTR CComboBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(Ask(this, CB_GETITEMDATA, IndexParameter(index)));
}
int CComboBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(
      SendMessage(CB_SETITEMDATA, IndexParameter(index), static_cast<LPARAM>(data)));
}

int CListBox::GetCount() const { return static_cast<int>(Ask(this, LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(Ask(this, LB_GETCURSEL)); }
int CListBox::SetCurSel(int index) {
  return static_cast<int>(SendMessage(LB_SETCURSEL, IndexParameter(index)));
}
int CListBox::AddString(const char* text) {
  return static_cast<int>(SendMessage(LB_ADDSTRING, 0, TextParameter(text)));
}
int CListBox::InsertString(int index, const char* text) {
  return static_cast<int>(SendMessage(LB_INSERTSTRING, IndexParameter(index), TextParameter(text)));
}
int CListBox::DeleteString(UINT index) {
  return static_cast<int>(SendMessage(LB_DELETESTRING, index));
}
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::FindString(int startAfter, const char* prefix) const {
  return static_cast<int>(
      Ask(this, LB_FINDSTRING, IndexParameter(startAfter), TextParameter(prefix)));
}
int CListBox::FindStringExact(int startAfter, const char* text) const {
  return static_cast<int>(
      Ask(this, LB_FINDSTRINGEXACT, IndexParameter(startAfter), TextParameter(text)));
}
void CListBox::GetText(int index, CString& text) const {
  ItemText(this, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}
DWORD_PTR CListBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(Ask(this, LB_GETITEMDATA, IndexParameter(index)));
}
int CListBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(
      SendMessage(LB_SETITEMDATA, IndexParameter(index), static_cast<LPARAM>(data)));
}

namespace {

Item* CheckListItem(HWND hWnd, int index) {
  auto* list = IsWindow(hWnd) ? Wnd(hWnd)->As<ListBoxClass>() : nullptr;
  if (!list || !list->list.Valid(static_cast<WPARAM>(index))) return nullptr;
  return &list->list.items[static_cast<std::size_t>(index)];
}

}  // namespace

void CCheckListBox::SetCheckStyle(UINT style) { checkStyle_ = style; }

void CCheckListBox::SetCheck(int index, int check) {
  if (Item* item = CheckListItem(m_hWnd, index)) item->check = check;
}

int CCheckListBox::GetCheck(int index) {
  const Item* item = CheckListItem(m_hWnd, index);
  return item ? item->check : 0;
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    const DWORD_PTR point = static_cast<DWORD_PTR>(lParam);
    const int index = HIWORD(point) / AFX_CHECKLIST_ITEM_HEIGHT;
    Item* item = CheckListItem(m_hWnd, index);
    if (item && LOWORD(point) < AFX_CHECKLIST_BOX_WIDTH && checkStyle_ == BS_AUTOCHECKBOX) {
      item->check = item->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      afx_detail::NotifyParent(m_hWnd, CLBN_CHKCHANGE);
    }
  }
  return CListBox::WindowProc(message, wParam, lParam);
}

void CSpinButtonCtrl::SetRange(short lower, short upper) {
  SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
  const auto range = static_cast<DWORD_PTR>(Ask(this, UDM_GETRANGE));
  lower = static_cast<short>(HIWORD(range));
  upper = static_cast<short>(LOWORD(range));
}

int CSpinButtonCtrl::SetPos(int position) {
  return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0)));
}

int CSpinButtonCtrl::GetPos() const { return static_cast<int>(Ask(this, UDM_GETPOS)); }

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
  SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(static_cast<LONG_PTR>(lower)), upper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
  Ask(this, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos32(int position) {
  return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position));
}

int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const {
  return static_cast<int>(Ask(this, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
  return CWnd::FromHandle(reinterpret_cast<HWND>(Ask(this, UDM_GETBUDDY)));
}

namespace {

TreeClass* TreeOf(HWND hWnd) { return IsWindow(hWnd) ? Wnd(hWnd)->As<TreeClass>() : nullptr; }

}  // namespace

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  HWND hWnd =
      AfxCreateWindow(WC_TREEVIEW, "", style, 0, rect, parent ? parent->m_hWnd : nullptr, id);
  return hWnd && Attach(hWnd);
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, const char* text, int, int, UINT, UINT, LPARAM data,
                                HTREEITEM parent, HTREEITEM after) {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* under = tree ? tree->Resolve(parent) : nullptr;
  if (!under) return nullptr;
  auto item = std::make_unique<_TREEITEM>();
  item->mask = mask;
  if (mask & TVIF_TEXT) item->text = text;
  if (mask & TVIF_PARAM) item->data = static_cast<DWORD_PTR>(data);
  item->parent = under;
  auto& siblings = under->children;
  auto at = siblings.end();
  if (after == TVI_FIRST) {
    at = siblings.begin();
  } else if (after != TVI_LAST) {
    at = std::find_if(siblings.begin(), siblings.end(),
                      [after](const auto& sibling) { return sibling.get() == after; });
    if (at != siblings.end()) ++at;
  }
  HTREEITEM inserted = item.get();
  tree->live.insert(inserted);
  siblings.insert(at, std::move(item));
  return inserted;
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) {
  return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

BOOL CTreeCtrl::DeleteAllItems() {
  TreeClass* tree = TreeOf(m_hWnd);
  if (!tree) return FALSE;
  tree->root.children.clear();
  tree->live = {&tree->root};
  return TRUE;
}

HTREEITEM CTreeCtrl::GetRootItem() const { return GetChildItem(TVI_ROOT); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* found = tree ? tree->Resolve(item) : nullptr;
  return found && !found->children.empty() ? found->children.front().get() : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* found = tree && item != TVI_ROOT ? tree->Resolve(item) : nullptr;
  if (!found || !found->parent) return nullptr;
  const auto& siblings = found->parent->children;
  for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
    if (siblings[i].get() == found) return siblings[i + 1].get();
  }
  return nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* found = tree && item != TVI_ROOT ? tree->Resolve(item) : nullptr;
  return found && found->parent != &tree->root ? found->parent : nullptr;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* found = tree ? tree->Resolve(item) : nullptr;
  return found ? found->text : CString();
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* found = tree ? tree->Resolve(item) : nullptr;
  return found ? found->data : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TreeClass* tree = TreeOf(m_hWnd);
  _TREEITEM* found = tree ? tree->Resolve(item) : nullptr;
  if (!found) return FALSE;
  found->data = data;
  found->mask |= TVIF_PARAM;
  return TRUE;
}

UINT AfxGetTreeItemMask(const CTreeCtrl& control, HTREEITEM item) {
  TreeClass* tree = TreeOf(control.m_hWnd);
  _TREEITEM* found = tree ? tree->Resolve(item) : nullptr;
  return found ? found->mask : 0;
}
