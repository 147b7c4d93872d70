// Inside the framework only: what a window is made of, and the behaviour of window classes.
#pragma once

#include <memory>
#include <vector>

#include "afx_window.h"

namespace afx_detail {

// The window class of dialogs.
inline constexpr const char* kDialogClass = "#32770";

// The built-in behaviour and state of one window class (an edit, a button, a dialog, ...).
class WindowClass {
 public:
  virtual ~WindowClass() = default;
  // The class's window procedure; the default handles text, focus, showing and destruction.
  virtual LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // ShowWindow: visibility and the normal, minimised or maximised state. Answers whether the
  // window was visible.
  virtual BOOL Show(HWND hWnd, int command);
};

using WindowClassFactory = std::unique_ptr<WindowClass> (*)();
// Makes `className` (compared ignoring case) create windows with the factory's behaviour.
void RegisterWindowClass(const char* className, WindowClassFactory factory);

// Sends WM_COMMAND with the control's identifier and `code` to the control's parent.
void NotifyParent(HWND control, UINT code);
// The control of a dialog's tab order that starts the group `control` belongs to, and the
// controls of that group in order.
std::vector<HWND> GroupOf(HWND control);

// A window: what the framework keeps behind a window handle.
struct Window : HWND__ {
  CString className;
  CString text;
  DWORD style = 0;
  DWORD exStyle = 0;
  UINT id = 0;
  RECT rect{};
  HWND parent = nullptr;
  std::vector<HWND> children;     // in creation order, which is the tab order
  CWnd* attached = nullptr;       // sees every message first
  std::unique_ptr<CWnd> wrapper;  // handed out by CWnd::FromHandle when nothing is attached
  std::unique_ptr<afx_detail::WindowClass> behaviour;
  bool invalid = false;  // to be repainted
  bool eraseBackground = false;
  RECT normalRect{};  // where the window returns to while it is minimised or maximised
  HICON icon = nullptr;

  // Destroys the window and its children, children last to first, then releases it.
  static void DestroyTree(HWND hWnd);

  // Where messages go: the attached CWnd, else the class.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
  // The class's own handling, bypassing the attached CWnd.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return behaviour->Proc(this, message, wParam, lParam);
  }
  // The behaviour, when the window is of class type T.
  template <class T>
  T* As() {
    return dynamic_cast<T*>(behaviour.get());
  }
};

// The window behind a handle the framework gave out.
inline Window* Wnd(HWND hWnd) { return static_cast<Window*>(hWnd); }

}  // namespace afx_detail
