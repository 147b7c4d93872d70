#include "host_windows.h"

namespace {

CFrameWnd* FrameOf(HWND child) {
  CWnd* window = CWnd::FromHandle(child);
  return window && window->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(window)
                                                              : nullptr;
}

}  // namespace

HostMainWindow::HostMainWindow(const char* appName)
    : app_(appName), frame_(new CMDIFrameWnd), hWnd_(nullptr) {
  if (!frame_->LoadFrame(0)) return;  // a frame that failed has deleted itself
  hWnd_ = frame_->m_hWnd;
  frame_->ShowWindow(SW_SHOW);
  app_.m_pMainWnd = frame_;
}

HostMainWindow::~HostMainWindow() {
  CloseAll();
  if (IsWindow(hWnd_)) DestroyWindow(hWnd_);
}

CMDIFrameWnd* HostMainWindow::Frame() const { return IsWindow(hWnd_) ? frame_ : nullptr; }

std::vector<HostMainWindow::Child> HostMainWindow::Children() const {
  std::vector<Child> children;
  CMDIFrameWnd* main = Frame();
  CWnd* client = main ? CWnd::FromHandle(main->m_hWndMDIClient) : nullptr;
  HWND active = Active();
  for (CWnd* window = client ? client->GetWindow(GW_CHILD) : nullptr; window;
       window = window->GetWindow(GW_HWNDNEXT)) {
    Child child{};
    child.hWnd = window->m_hWnd;
    CString caption;
    window->GetWindowText(caption);
    child.caption = caption.GetString();
    child.visible = (window->GetStyle() & WS_VISIBLE) != 0;
    child.active = child.hWnd == active;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    window->GetWindowPlacement(&placement);
    child.showCmd = placement.showCmd;
    child.normal = placement.rcNormalPosition;
    CFrameWnd* frame = FrameOf(child.hWnd);
    CView* view = frame ? frame->GetActiveView() : nullptr;
    if (view && view->IsKindOf(RUNTIME_CLASS(CScrollView))) {
      child.scrolls = true;
      child.total = static_cast<CScrollView*>(view)->GetTotalSize();
    }
    children.push_back(child);
  }
  return children;
}

HWND HostMainWindow::Active() const {
  CMDIFrameWnd* main = Frame();
  CMDIChildWnd* active = main ? main->MDIGetActive() : nullptr;
  return active ? active->m_hWnd : nullptr;
}

CDisplayList HostMainWindow::Paint(HWND child) const {
  return IsChild(child) ? AfxPaintWindow(child) : CDisplayList();
}

bool HostMainWindow::Activate(HWND child) {
  if (!IsChild(child)) return false;
  frame_->MDIActivate(CWnd::FromHandle(child));
  return true;
}

bool HostMainWindow::Minimize(HWND child) {
  if (!IsChild(child)) return false;
  ShowWindow(child, SW_MINIMIZE);
  return true;
}

bool HostMainWindow::Maximize(HWND child) {
  if (!IsChild(child)) return false;
  ShowWindow(child, SW_MAXIMIZE);
  return true;
}

bool HostMainWindow::Restore(HWND child) {
  if (!IsChild(child)) return false;
  ShowWindow(child, SW_RESTORE);
  return true;
}

bool HostMainWindow::Move(HWND child, const RECT& normal) {
  CWnd* window = CWnd::FromHandle(child);
  if (!IsChild(child) || !window->IsWindowVisible()) return false;
  // A drag activates the window first; only then does it move.
  if (Active() != child) Activate(child);
  if (!IsWindow(child)) return false;
  if (!window->IsIconic() && !window->IsZoomed()) {
    window->MoveWindow(normal);
    return true;
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  window->GetWindowPlacement(&placement);
  placement.rcNormalPosition = normal;
  window->SetWindowPlacement(&placement);
  return true;
}

bool HostMainWindow::SendKey(HWND child, UINT character) {
  if (!IsChild(child)) return false;
  CFrameWnd* frame = FrameOf(child);
  CView* view = frame ? frame->GetActiveView() : nullptr;
  SendMessageA(view ? view->m_hWnd : child, WM_CHAR, character, MAKELPARAM(1, 0));
  return true;
}

bool HostMainWindow::Close(HWND child) {
  if (!IsChild(child)) return false;
  SendMessageA(child, WM_CLOSE, 0, 0);
  return true;
}

int HostMainWindow::PumpMessages() { return AfxPumpMessages(); }

void HostMainWindow::CloseAll() {
  for (const Child& child : Children()) {
    if (IsWindow(child.hWnd)) SendMessageA(child.hWnd, WM_CLOSE, 0, 0);
    if (IsWindow(child.hWnd)) DestroyWindow(child.hWnd);
  }
}

bool HostMainWindow::IsChild(HWND child) const {
  CMDIFrameWnd* main = Frame();
  return main && IsWindow(child) && GetParent(child) == main->m_hWndMDIClient;
}
