// Windows, command targets and message maps. A window (HWND) is a framework object with a class
// (its built-in behaviour: an edit, a button, a list, a dialog, ...), a text, styles, an
// identifier, a rectangle, a parent and its children in order. A CWnd wraps a window; a CWnd
// attached to it (a dialog, a control member bound by data exchange, a view) sees every message
// first and handles it through its message map, the rest goes to the window's own class.
// Windows have no pixels; the simulated user (afx_user.h) acts on them through their messages.
#pragma once

#include "afx_collections.h"
#include "afx_draw.h"
#include "afx_types.h"
#include "afx_winuser.h"

// The framework's windows are its own, not the system's, so on Windows its calls on them (below)
// take over these names from the system's in the code that includes it.
#ifdef _WIN32
#define SendMessageA AfxSendMessageA
#define PostMessageA AfxPostMessageA
#define IsWindow AfxIsWindow
#define DestroyWindow AfxDestroyWindow
#define GetParent AfxGetParent
#define InvalidateRect AfxInvalidateRect
#define GetUpdateRect AfxGetUpdateRect
#define ShowWindow AfxShowWindow
#define IsIconic AfxIsIconic
#define IsZoomed AfxIsZoomed
#define GetWindowPlacement AfxGetWindowPlacement
#define SetWindowPlacement AfxSetWindowPlacement
#define GetFocus AfxGetFocus
#define SetFocus AfxSetFocus
#endif

class CCmdTarget;
class CFrameWnd;
namespace afx_detail {
struct Window;
}

// One message-map entry: the message, for WM_COMMAND the notification code and the range of
// control identifiers, and the handler.
struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  LRESULT (*pfn)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, 0, nullptr }                                                                       \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }

// The entries name their handlers as the original's do, `&Class::Handler`: a bare member name
// does not compile, nor does a handler of another signature than its message takes. The form is
// checked as written, since the Windows compilers' extensions take a bare name for its address.
#define AFX_CHECK_HANDLER_FORM(memberFxn) \
  static_assert(#memberFxn[0] == '&', "a message-map handler is named &Class::Handler")
// A command or a control's notification, for a member taking no arguments.
#define ON_CONTROL(code, id, memberFxn)                                               \
  {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
   [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                                \
     AFX_CHECK_HANDLER_FORM(memberFxn);                                               \
     constexpr auto handler = static_cast<void (ThisClass::*)()>(memberFxn);          \
     (static_cast<ThisClass*>(target)->*handler)();                                   \
     return 0;                                                                        \
   }},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
// Any message, for LRESULT Handler(WPARAM, LPARAM) of a window class.
#define ON_MESSAGE(message, memberFxn)                                                   \
  {static_cast<UINT>(message), 0, 0, 0,                                                  \
   [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {                     \
     AFX_CHECK_HANDLER_FORM(memberFxn);                                                  \
     constexpr auto handler = static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn); \
     return (static_cast<ThisClass*>(target)->*handler)(wParam, lParam);                 \
   }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
// A window message without parameters, for the window class's member `memberFxn`.
#define AFX_ON_PLAIN_MESSAGE(message, memberFxn)                         \
  {message, 0, 0, 0, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT { \
     constexpr auto handler = static_cast<void (CWnd::*)()>(memberFxn);  \
     (static_cast<ThisClass*>(target)->*handler)();                      \
     return 0;                                                           \
   }},
#define ON_WM_PAINT() AFX_ON_PLAIN_MESSAGE(WM_PAINT, &ThisClass::OnPaint)
#define ON_WM_DESTROY() AFX_ON_PLAIN_MESSAGE(WM_DESTROY, &ThisClass::OnDestroy)
#define ON_WM_CLOSE() AFX_ON_PLAIN_MESSAGE(WM_CLOSE, &ThisClass::OnClose)
// WM_MDIACTIVATE, for OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd).
#define ON_WM_MDIACTIVATE()                                                                   \
  {WM_MDIACTIVATE, 0, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT { \
     constexpr auto handler =                                                                 \
         static_cast<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(&ThisClass::OnMDIActivate);          \
     auto* self = static_cast<ThisClass*>(target);                                            \
     HWND activated = reinterpret_cast<HWND>(lParam);                                         \
     (self->*handler)(self->m_hWnd == activated, CWnd::FromHandle(activated),                 \
                      CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));                      \
     return 0;                                                                                \
   }},
// WM_CHAR, for OnChar(UINT nChar, UINT nRepCnt, UINT nFlags).
#define ON_WM_CHAR()                                                                             \
  {WM_CHAR, 0, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {           \
     constexpr auto handler = static_cast<void (CWnd::*)(UINT, UINT, UINT)>(&ThisClass::OnChar); \
     (static_cast<ThisClass*>(target)->*handler)(static_cast<UINT>(wParam),                      \
                                                 static_cast<UINT>(LOWORD(lParam)),              \
                                                 static_cast<UINT>(HIWORD(lParam)));             \
     return 0;                                                                                   \
   }},

// The root of everything that receives commands and messages through a message map.
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 protected:
  // Runs the handler of the first entry, most derived map first, that takes the message (and,
  // for WM_COMMAND, its code and identifier); FALSE when none does.
  BOOL DispatchThroughMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

#ifndef _WIN32
// The nearest relatives of a window, for CWnd::GetWindow.
inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SW_SHOWDEFAULT = 10;
inline constexpr int SW_FORCEMINIMIZE = 11;

// Where a window stands: its show state and the rectangle it has when neither minimised nor
// maximised, in its parent's coordinates.
struct WINDOWPLACEMENT {
  UINT length;
  UINT flags;
  UINT showCmd;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
  POINT ptMinPosition;
  POINT ptMaxPosition;
  RECT rcNormalPosition;
};
inline constexpr UINT WPF_SETMINPOSITION = 0x0001;
inline constexpr UINT WPF_RESTORETOMAXIMIZED = 0x0002;
#endif

class CDataExchange;

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd();
  // Destroys the window it is still attached to.
  ~CWnd() override;

  HWND m_hWnd;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }  // NOLINT: as the original

  // The CWnd attached to `hWnd`, or a wrapper that lives as long as the window; null for none.
  static CWnd* FromHandle(HWND hWnd);
  // Attaches this object to a window: it sees the window's messages first from now on.
  BOOL Attach(HWND hWnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  BOOL DestroyWindow();

  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  CWnd* GetParent() const;
  CWnd* GetWindow(UINT relation) const;
  // The next (or previous) control of the window's dialog that the Tab key reaches.
  CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
  CString GetClassName() const;

  void SetWindowText(const char* text);
  int GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  void SetDlgItemText(int id, const char* text);
  int GetDlgItemText(int id, CString& text) const;

  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add);
  // The window's rectangle in its parent's units (dialog units for dialog controls).
  void GetWindowRect(RECT* rect) const;
  void MoveWindow(const RECT& rect);

  // Changes visibility and show state; for an MDI child also which child is active. Answers
  // whether the window was visible before.
  BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
  // Takes the normal rectangle and applies the show command, as ShowWindow does.
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
  void GetClientRect(LPRECT lpRect) const;
  // The frame window the window sits in; null for none.
  CFrameWnd* GetParentFrame() const;

  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  // Whether the window waits to be repainted.
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
  // A context for drawing outside painting, to be handed back to ReleaseDC.
  CDC* GetDC();
  int ReleaseDC(CDC* pDC);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;

  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;

  CWnd* SetFocus();
  static CWnd* GetFocus();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  void CheckDlgButton(int id, UINT check);
  UINT IsDlgButtonChecked(int id) const;
  void CheckRadioButton(int first, int last, int checked);
  int GetCheckedRadioButton(int first, int last);

  // Runs DoDataExchange: controls to members when `saveAndValidate`, members to controls
  // otherwise. FALSE when the exchange failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

 protected:
  // Every message to the attached window comes here first; the framework calls it, nobody else.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // The window class's own handling.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void DoDataExchange(CDataExchange* pDX);
  // Called once the window is gone; the object may delete itself here.
  virtual void PostNcDestroy();
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT Default();

  DECLARE_MESSAGE_MAP()

 private:
  friend struct afx_detail::Window;
  // The message being handled, for Default().
  UINT currentMessage_ = 0;
  WPARAM currentWParam_ = 0;
  LPARAM currentLParam_ = 0;
};

// The Windows calls on windows.
LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hWnd);
BOOL DestroyWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase);
BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL erase);
BOOL ShowWindow(HWND hWnd, int command);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* placement);
BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* placement);
HWND GetFocus();
HWND SetFocus(HWND hWnd);
