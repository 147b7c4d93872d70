#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <string>

#include "afx_standin_calls.h"
#include "afx_window_impl.h"

using afx_detail::Window;
using afx_detail::Wnd;

namespace {

std::set<HWND> liveWindows;
HWND focus = nullptr;

struct PostedMessage {
  HWND hWnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::deque<PostedMessage> postedMessages;

std::string Lowered(const char* text) {
  std::string lowered(text ? text : "");
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return lowered;
}

std::map<std::string, afx_detail::WindowClassFactory>& WindowClasses() {
  static std::map<std::string, afx_detail::WindowClassFactory> classes;
  return classes;
}

bool IsInside(HWND window, HWND ancestor) {
  for (; window; window = Wnd(window)->parent) {
    if (window == ancestor) return true;
  }
  return false;
}

HWND Live(HWND hWnd) { return liveWindows.count(hWnd) ? hWnd : nullptr; }

RECT ClientArea(HWND hWnd) {
  Window* const window = Wnd(hWnd);
  return RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
}

constexpr DWORD kShowStates = WS_MINIMIZE | WS_MAXIMIZE;
// Minimised windows line up along the bottom of their parent.
constexpr LONG kIconWidth = 160;
constexpr LONG kIconHeight = 24;

void EnterShowState(HWND hWnd, DWORD state, const RECT& rect) {
  Window* const window = Wnd(hWnd);
  if (!(window->style & kShowStates)) window->normalRect = window->rect;
  window->style = (window->style & ~kShowStates) | state;
  window->rect = rect;
}

void Minimize(HWND hWnd) {
  if (Wnd(hWnd)->style & WS_MINIMIZE) return;
  RECT icon{0, 0, kIconWidth, kIconHeight};
  if (HWND parent = Wnd(hWnd)->parent) {
    const LONG slot = static_cast<LONG>(
        std::count_if(Wnd(parent)->children.begin(), Wnd(parent)->children.end(),
                      [](HWND sibling) { return (Wnd(sibling)->style & WS_MINIMIZE) != 0; }));
    const LONG bottom = ClientArea(parent).bottom;
    icon = RECT{slot * kIconWidth, bottom - kIconHeight, (slot + 1) * kIconWidth, bottom};
  }
  EnterShowState(hWnd, WS_MINIMIZE, icon);
}

void Maximize(HWND hWnd) {
  Window* const window = Wnd(hWnd);
  if (window->style & WS_MAXIMIZE) return;
  const RECT normal = (window->style & kShowStates) ? window->normalRect : window->rect;
  EnterShowState(hWnd, WS_MAXIMIZE, window->parent ? ClientArea(window->parent) : normal);
}

void Restore(HWND hWnd) {
  Window* const window = Wnd(hWnd);
  if (!(window->style & kShowStates)) return;
  window->style &= ~kShowStates;
  window->rect = window->normalRect;
}

bool IsTabStop(HWND hWnd) {
  return (Wnd(hWnd)->style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

}  // namespace

namespace afx_detail {

LRESULT WindowClass::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* const window = Wnd(hWnd);
  switch (message) {
    case WM_SETTEXT:
      window->text = reinterpret_cast<const char*>(lParam);
      return TRUE;
    case WM_GETTEXTLENGTH:
      return window->text.GetLength();
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const std::size_t length =
          std::min<std::size_t>(static_cast<std::size_t>(window->text.GetLength()), wParam - 1);
      char* buffer = reinterpret_cast<char*>(lParam);
      std::copy_n(window->text.GetString(), length, buffer);
      buffer[length] = '\0';
      return static_cast<LRESULT>(length);
    }
    case WM_CLOSE:
      ::DestroyWindow(hWnd);
      return 0;
    case WM_SETICON: {
      HICON previous = window->icon;
      window->icon = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(window->icon);
    default:
      return 0;
  }
}

BOOL WindowClass::Show(HWND hWnd, int command) {
  Window* const window = Wnd(hWnd);
  const BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
  window->Send(WM_SHOWWINDOW, command != SW_HIDE, command);
  if (!Live(hWnd)) return wasVisible;
  switch (command) {
    case SW_HIDE:
      window->style &= ~WS_VISIBLE;
      return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      Minimize(hWnd);
      break;
    case SW_SHOWMAXIMIZED:
      Maximize(hWnd);
      break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      Restore(hWnd);
      break;
    default:  // SW_SHOW, SW_SHOWNA: in the state it is in
      break;
  }
  window->style |= WS_VISIBLE;
  return wasVisible;
}

void RegisterWindowClass(const char* className, WindowClassFactory factory) {
  WindowClasses()[Lowered(className)] = factory;
}

void NotifyParent(HWND control, UINT code) {
  if (HWND parent = Wnd(control)->parent) {
    Wnd(parent)->Send(WM_COMMAND,
                      MAKELONG(static_cast<WORD>(Wnd(control)->id), static_cast<WORD>(code)),
                      reinterpret_cast<LPARAM>(control));
  }
}

std::vector<HWND> GroupOf(HWND control) {
  std::vector<HWND> group;
  if (!Wnd(control)->parent) return {control};
  const std::vector<HWND>& siblings = Wnd(Wnd(control)->parent)->children;
  auto at = std::find(siblings.begin(), siblings.end(), control);
  while (at != siblings.begin() && !(Wnd(*at)->style & WS_GROUP)) --at;
  do {
    group.push_back(*at);
    ++at;
  } while (at != siblings.end() && !(Wnd(*at)->style & WS_GROUP));
  return group;
}

}  // namespace afx_detail

void afx_detail::Window::DestroyTree(HWND hWnd) {
  Window* const window = Wnd(hWnd);
  if (IsInside(focus, hWnd)) focus = nullptr;
  window->Send(WM_DESTROY, 0, 0);
  while (!window->children.empty()) DestroyTree(window->children.back());
  window->Send(WM_NCDESTROY, 0, 0);
  if (window->parent) std::erase(Wnd(window->parent)->children, hWnd);
  std::erase_if(postedMessages,
                [hWnd](const PostedMessage& posted) { return posted.hWnd == hWnd; });
  liveWindows.erase(hWnd);
  if (CWnd* attached = window->attached) {
    window->attached = nullptr;
    attached->m_hWnd = nullptr;
    attached->PostNcDestroy();
  }
  if (window->wrapper) window->wrapper->m_hWnd = nullptr;
  delete window;
}

LRESULT afx_detail::Window::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!attached) return Default(message, wParam, lParam);
  CWnd* target = attached;
  const UINT savedMessage = target->currentMessage_;
  const WPARAM savedWParam = target->currentWParam_;
  const LPARAM savedLParam = target->currentLParam_;
  target->currentMessage_ = message;
  target->currentWParam_ = wParam;
  target->currentLParam_ = lParam;
  HWND self = this;
  const LRESULT result = target->WindowProc(message, wParam, lParam);
  // The handler may have destroyed the window and, for a frame or a view, the object too.
  if (Live(self) && Wnd(self)->attached == target) {
    target->currentMessage_ = savedMessage;
    target->currentWParam_ = savedWParam;
    target->currentLParam_ = savedLParam;
  }
  return result;
}

BOOL CCmdTarget::DispatchThroughMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
  const UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry && entry->pfn; ++entry) {
      if (entry->nMessage != message) continue;
      if (message == WM_COMMAND && (entry->nCode != code || id < entry->nID || id > entry->nLastID))
        continue;
      const LRESULT answer = entry->pfn(this, wParam, lParam);
      if (result) *result = answer;
      return TRUE;
    }
  }
  return FALSE;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr) {}

CWnd::~CWnd() {
  if (m_hWnd && Wnd(m_hWnd)->attached == this) {
    // The object goes away first: the window must not call back into it.
    HWND hWnd = Detach();
    afx_detail::Window::DestroyTree(hWnd);
  }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  Window* const window = Wnd(hWnd);
  if (!Live(hWnd)) return nullptr;
  if (window->attached) return window->attached;
  if (!window->wrapper) {
    window->wrapper = std::make_unique<CWnd>();
    window->wrapper->m_hWnd = hWnd;
  }
  return window->wrapper.get();
}

BOOL CWnd::Attach(HWND hWnd) {
  if (!Live(hWnd) || Wnd(hWnd)->attached || m_hWnd) return FALSE;
  Wnd(hWnd)->attached = this;
  m_hWnd = hWnd;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd && Wnd(hWnd)->attached == this) Wnd(hWnd)->attached = nullptr;
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) { return Attach(hWnd); }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  CWnd* item = parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
  return item && SubclassWindow(item->m_hWnd);
}

BOOL CWnd::DestroyWindow() {
  if (!Live(m_hWnd)) return FALSE;
  afx_detail::Window::DestroyTree(m_hWnd);
  return TRUE;
}

CWnd* CWnd::GetDlgItem(int id) const {
  if (!Live(m_hWnd)) return nullptr;
  for (HWND child : Wnd(m_hWnd)->children) {
    if (Wnd(child)->id == static_cast<UINT>(static_cast<WORD>(id))) return FromHandle(child);
  }
  return nullptr;
}

int CWnd::GetDlgCtrlID() const { return Live(m_hWnd) ? static_cast<int>(Wnd(m_hWnd)->id) : 0; }

CWnd* CWnd::GetParent() const { return Live(m_hWnd) ? FromHandle(Wnd(m_hWnd)->parent) : nullptr; }

CWnd* CWnd::GetWindow(UINT relation) const {
  if (!Live(m_hWnd)) return nullptr;
  if (relation == GW_CHILD) {
    return Wnd(m_hWnd)->children.empty() ? nullptr : FromHandle(Wnd(m_hWnd)->children.front());
  }
  if (!Wnd(m_hWnd)->parent) return nullptr;
  const std::vector<HWND>& siblings = Wnd(Wnd(m_hWnd)->parent)->children;
  const auto at = std::find(siblings.begin(), siblings.end(), m_hWnd);
  switch (relation) {
    case GW_HWNDFIRST:
      return FromHandle(siblings.front());
    case GW_HWNDLAST:
      return FromHandle(siblings.back());
    case GW_HWNDNEXT:
      return at + 1 == siblings.end() ? nullptr : FromHandle(*(at + 1));
    case GW_HWNDPREV:
      return at == siblings.begin() ? nullptr : FromHandle(*(at - 1));
    default:
      return nullptr;
  }
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
  if (!Live(m_hWnd)) return nullptr;
  std::vector<HWND> stops;
  std::copy_if(Wnd(m_hWnd)->children.begin(), Wnd(m_hWnd)->children.end(),
               std::back_inserter(stops), IsTabStop);
  if (stops.empty()) return nullptr;
  HWND from = control ? control->m_hWnd : nullptr;
  auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return FromHandle(previous ? stops.back() : stops.front());
  if (previous) return FromHandle(at == stops.begin() ? stops.back() : *(at - 1));
  return FromHandle(at + 1 == stops.end() ? stops.front() : *(at + 1));
}

CString CWnd::GetClassName() const { return Live(m_hWnd) ? Wnd(m_hWnd)->className : CString(); }

void CWnd::SetWindowText(const char* text) {
  SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

int CWnd::GetWindowText(CString& text) const {
  CWnd* self = const_cast<CWnd*>(this);
  const int length = static_cast<int>(self->SendMessage(WM_GETTEXTLENGTH));
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      self->SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  text = CString(buffer.data(), static_cast<int>(copied));
  return static_cast<int>(copied);
}

int CWnd::GetWindowTextLength() const {
  return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

void CWnd::SetDlgItemText(int id, const char* text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  CWnd* item = GetDlgItem(id);
  if (!item) {
    text.Empty();
    return 0;
  }
  return item->GetWindowText(text);
}

DWORD CWnd::GetStyle() const { return Live(m_hWnd) ? Wnd(m_hWnd)->style : 0; }

DWORD CWnd::GetExStyle() const { return Live(m_hWnd) ? Wnd(m_hWnd)->exStyle : 0; }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  if (!Live(m_hWnd)) return FALSE;
  const DWORD old = Wnd(m_hWnd)->style;
  Wnd(m_hWnd)->style = (old & ~remove) | add;
  return old != Wnd(m_hWnd)->style;
}

void CWnd::GetWindowRect(RECT* rect) const {
  if (rect) *rect = Live(m_hWnd) ? Wnd(m_hWnd)->rect : RECT{};
}

void CWnd::MoveWindow(const RECT& rect) {
  if (Live(m_hWnd)) Wnd(m_hWnd)->rect = rect;
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const {
  return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) {
  return ::SetWindowPlacement(m_hWnd, lpwndpl);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
  if (lpRect) *lpRect = Live(m_hWnd) ? ClientArea(m_hWnd) : RECT{};
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) {
  return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const {
  return reinterpret_cast<HICON>(
      const_cast<CWnd*>(this)->SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL));
}

BOOL CWnd::IsWindowVisible() const {
  for (HWND window = Live(m_hWnd); window; window = Wnd(window)->parent) {
    if (!(Wnd(window)->style & WS_VISIBLE)) return FALSE;
  }
  return m_hWnd != nullptr;
}

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!Live(m_hWnd)) return FALSE;
  const BOOL wasDisabled = (Wnd(m_hWnd)->style & WS_DISABLED) != 0;
  if (enable) {
    Wnd(m_hWnd)->style &= ~WS_DISABLED;
  } else {
    Wnd(m_hWnd)->style |= WS_DISABLED;
  }
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return Live(m_hWnd) && !(Wnd(m_hWnd)->style & WS_DISABLED); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(focus); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* item = GetDlgItem(id);
  return item ? item->SendMessage(message, wParam, lParam) : 0;
}

void CWnd::CheckDlgButton(int id, UINT check) { SendDlgItemMessage(id, BM_SETCHECK, check); }

UINT CWnd::IsDlgButtonChecked(int id) const {
  return static_cast<UINT>(const_cast<CWnd*>(this)->SendDlgItemMessage(id, BM_GETCHECK));
}

void CWnd::CheckRadioButton(int first, int last, int checked) {
  for (int id = first; id <= last; ++id) CheckDlgButton(id, id == checked ? BST_CHECKED : 0);
}

int CWnd::GetCheckedRadioButton(int first, int last) {
  for (int id = first; id <= last; ++id) {
    if (IsDlgButtonChecked(id) == BST_CHECKED) return id;
  }
  return 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 1;
    return TRUE;
  }
  return DispatchThroughMap(message, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  return DispatchThroughMap(WM_COMMAND, wParam, lParam, nullptr);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Live(m_hWnd) ? Wnd(m_hWnd)->Default(message, wParam, lParam) : 0;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::PostNcDestroy() {}

void CWnd::OnChar(UINT, UINT, UINT) { Default(); }

LRESULT CWnd::Default() { return DefWindowProc(currentMessage_, currentWParam_, currentLParam_); }

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Live(hWnd) ? Wnd(hWnd)->Send(message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Live(hWnd)) return FALSE;
  postedMessages.push_back({hWnd, message, wParam, lParam});
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Live(hWnd) != nullptr; }

BOOL DestroyWindow(HWND hWnd) {
  if (!Live(hWnd)) return FALSE;
  afx_detail::Window::DestroyTree(hWnd);
  return TRUE;
}

HWND GetParent(HWND hWnd) { return Live(hWnd) ? Wnd(hWnd)->parent : nullptr; }

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL erase) {
  Window* const window = Wnd(hWnd);
  if (!Live(hWnd)) return FALSE;
  window->invalid = true;
  window->eraseBackground = window->eraseBackground || erase;
  return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL) {
  if (!Live(hWnd)) return FALSE;
  if (rect) *rect = Wnd(hWnd)->invalid ? ClientArea(hWnd) : RECT{};
  return Wnd(hWnd)->invalid;
}

BOOL ShowWindow(HWND hWnd, int command) {
  return Live(hWnd) ? Wnd(hWnd)->behaviour->Show(hWnd, command) : FALSE;
}

BOOL IsIconic(HWND hWnd) { return Live(hWnd) && (Wnd(hWnd)->style & WS_MINIMIZE); }

BOOL IsZoomed(HWND hWnd) { return Live(hWnd) && (Wnd(hWnd)->style & WS_MAXIMIZE); }

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* placement) {
  Window* const window = Wnd(hWnd);
  if (!Live(hWnd) || !placement) return FALSE;
  const bool iconic = (window->style & WS_MINIMIZE) != 0;
  placement->length = sizeof(WINDOWPLACEMENT);
  placement->flags = 0;
  placement->showCmd = static_cast<UINT>(iconic                          ? SW_SHOWMINIMIZED
                                         : (window->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                                         : SW_SHOWNORMAL);
  placement->ptMinPosition = iconic ? POINT{window->rect.left, window->rect.top} : POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = (window->style & kShowStates) ? window->normalRect : window->rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* placement) {
  Window* const window = Wnd(hWnd);
  if (!Live(hWnd) || !placement) return FALSE;
  RECT rect = placement->rcNormalPosition;
  if (window->parent) {
    // As the system does, a place wholly out of sight is moved back into view, its size kept,
    // so a position saved on a larger screen never hides the window.
    const RECT area = ClientArea(window->parent);
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    if (rect.right <= area.left || rect.left >= area.right || rect.bottom <= area.top ||
        rect.top >= area.bottom) {
      rect.left = static_cast<LONG>(
          (std::max)(static_cast<long long>(area.left),
                     (std::min)(static_cast<long long>(rect.left), area.right - width)));
      rect.top = static_cast<LONG>(
          (std::max)(static_cast<long long>(area.top),
                     (std::min)(static_cast<long long>(rect.top), area.bottom - height)));
      rect.right = static_cast<LONG>((std::min)(rect.left + width, 2147483647LL));
      rect.bottom = static_cast<LONG>((std::min)(rect.top + height, 2147483647LL));
    }
  }
  if (window->style & kShowStates) {
    window->normalRect = rect;
  } else {
    window->rect = rect;
  }
  ShowWindow(hWnd, static_cast<int>(placement->showCmd));
  return TRUE;
}

HWND GetFocus() { return focus; }

HWND SetFocus(HWND hWnd) {
  HWND previous = focus;
  if (!Live(hWnd) || hWnd == focus) return previous;
  focus = hWnd;
  if (Live(previous)) Wnd(previous)->Send(WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
  // The window losing the focus may have moved it on meanwhile.
  if (focus == hWnd) Wnd(hWnd)->Send(WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND AfxCreateWindow(const char* className, const char* text, DWORD style, DWORD exStyle,
                     const RECT& rect, HWND parent, UINT id) {
  if (parent && !Live(parent)) return nullptr;
  auto* window = new afx_detail::Window;
  window->className = className;
  window->text = text;
  window->style = style;
  window->exStyle = exStyle;
  window->id = id;
  window->rect = rect;
  window->parent = parent;
  const auto found = WindowClasses().find(Lowered(className));
  window->behaviour = found != WindowClasses().end() ? found->second()
                                                     : std::make_unique<afx_detail::WindowClass>();
  liveWindows.insert(window);
  if (parent) Wnd(parent)->children.push_back(window);
  window->Send(WM_CREATE, 0, 0);
  return window;
}

int AfxPumpMessages() {
  int delivered = 0;
  while (!postedMessages.empty()) {
    const PostedMessage posted = postedMessages.front();
    postedMessages.pop_front();
    SendMessageA(posted.hWnd, posted.message, posted.wParam, posted.lParam);
    ++delivered;
  }
  return delivered;
}

int AfxPendingMessages() { return static_cast<int>(postedMessages.size()); }
