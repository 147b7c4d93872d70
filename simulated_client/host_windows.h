// The host application's main window as the console host and the tests drive it: the host's
// application object, whose main window is an MDI frame that the plug-in's windows open in, and
// what a person does to those windows (activate, minimise, maximise, restore, type, close).
// Create it before starting a plug-in; it closes every child window before it goes, and
// CloseAll does so before a module unloads, so that no window outlives the code behind it.
#pragma once

#include <string>
#include <vector>

#include "afx_standin.h"

class HostMainWindow {
 public:
  // One MDI child window as the person sees it.
  struct Child {
    HWND hWnd;
    std::string caption;
    bool visible;
    bool active;
    UINT showCmd;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
    RECT normal;   // the rectangle it has when neither minimised nor maximised
    bool scrolls;  // its view is a scroll view ...
    SIZE total;    // ... with this total size
  };

  explicit HostMainWindow(const char* appName = "Host");
  ~HostMainWindow();
  HostMainWindow(const HostMainWindow&) = delete;
  HostMainWindow& operator=(const HostMainWindow&) = delete;

  CWinApp& App() { return app_; }
  // The main window; null once it has been closed.
  CMDIFrameWnd* Frame() const;

  // The child windows in the order they were opened, hidden ones included.
  std::vector<Child> Children() const;
  // The active child; null for none.
  HWND Active() const;

  // What the child window draws, in its own coordinates.
  CDisplayList Paint(HWND child) const;

  // Each answers false when `child` is not one of the main window's children.
  bool Activate(HWND child);
  bool Minimize(HWND child);
  bool Maximize(HWND child);
  bool Restore(HWND child);
  // Drags a visible child to `normal`, activating it first as a drag does (for a minimised or
  // maximised one `normal` is where it restores to).
  bool Move(HWND child, const RECT& normal);
  // A typed character, to the child's active view (or the child itself without one).
  bool SendKey(HWND child, UINT character);
  // The close box.
  bool Close(HWND child);

  // Delivers the posted messages; answers how many.
  int PumpMessages();
  // Closes every child window, destroying those that refuse.
  void CloseAll();

 private:
  bool IsChild(HWND child) const;

  CWinApp app_;
  CMDIFrameWnd* frame_;  // deletes itself with its window
  HWND hWnd_;
};
