#include "afx_frame.h"

#include <vector>

#include "afx_app.h"
#include "afx_docview.h"
#include "afx_module.h"
#include "afx_standin_calls.h"
#include "afx_window_impl.h"

using afx_detail::Wnd;

namespace {

constexpr const char* kFrameClass = "AfxFrameOrView";
constexpr const char* kViewClass = "AfxFrameOrView";
constexpr const char* kMainFrameClass = "AfxMDIFrame";
constexpr const char* kMDIChildClass = "AfxMDIChild";
constexpr const char* kMDIClientClass = "MDIClient";

constexpr RECT kMainWindowRect{0, 0, 1024, 768};
constexpr LONG kChildWidth = 500;
constexpr LONG kChildHeight = 300;
constexpr LONG kCascadeStep = 24;
constexpr int kCascadeLength = 8;

class MDIChildClass;

// What the window manager keeps for the MDI client: the active child and where the next
// child opens.
class MDIClientClass : public afx_detail::WindowClass {
 public:
  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND Active() const { return active_; }
  // Makes `child` (null: none) the active child; the child losing activation hears of it
  // first, then the one gaining it.
  void Activate(HWND client, HWND child);
  // `child` is being hidden, minimised or destroyed: when it is the active child, the most
  // recently active other visible child takes over, or none unless `keepWhenAlone`.
  void PassOn(HWND client, HWND child, bool keepWhenAlone);
  // The child is gone for good; it is not told.
  void Forget(HWND child) {
    if (active_ == child) active_ = nullptr;
  }
  RECT NextChildRect() {
    const LONG offset = kCascadeStep * (opened_++ % kCascadeLength);
    return RECT{offset, offset, offset + kChildWidth, offset + kChildHeight};
  }

 private:
  HWND active_ = nullptr;
  unsigned long activations_ = 0;
  int opened_ = 0;
};

// An MDI child: showing it activates it, hiding, minimising or destroying it passes the
// activation on.
class MDIChildClass : public afx_detail::WindowClass {
 public:
  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL Show(HWND hWnd, int command) override;

  unsigned long lastActivated = 0;
};

MDIClientClass* ClientOf(HWND child) {
  return IsWindow(child) && Wnd(child)->parent ? Wnd(Wnd(child)->parent)->As<MDIClientClass>()
                                               : nullptr;
}

LRESULT MDIClientClass::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MDIACTIVATE: {
      HWND child = reinterpret_cast<HWND>(wParam);
      if (IsWindow(child) && Wnd(child)->parent == hWnd && (Wnd(child)->style & WS_VISIBLE)) {
        Activate(hWnd, child);
      }
      return 0;
    }
    case WM_MDIGETACTIVE:
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = active_ && IsZoomed(active_);
      return reinterpret_cast<LRESULT>(active_);
    case WM_MDIDESTROY: {
      HWND child = reinterpret_cast<HWND>(wParam);
      if (IsWindow(child) && Wnd(child)->parent == hWnd) ::DestroyWindow(child);
      return 0;
    }
    default:
      return WindowClass::Proc(hWnd, message, wParam, lParam);
  }
}

void MDIClientClass::Activate(HWND client, HWND child) {
  if (child == active_) return;
  HWND previous = active_;
  active_ = child;
  if (auto* state = child ? Wnd(child)->As<MDIChildClass>() : nullptr) {
    state->lastActivated = ++activations_;
  }
  const auto wParam = reinterpret_cast<WPARAM>(previous);
  const auto lParam = reinterpret_cast<LPARAM>(child);
  if (IsWindow(previous)) Wnd(previous)->Send(WM_MDIACTIVATE, wParam, lParam);
  // The child losing activation may have closed the client or passed activation elsewhere.
  if (!IsWindow(client) || Wnd(client)->As<MDIClientClass>() != this || active_ != child) return;
  if (IsWindow(child)) Wnd(child)->Send(WM_MDIACTIVATE, wParam, lParam);
}

void MDIClientClass::PassOn(HWND client, HWND child, bool keepWhenAlone) {
  if (child != active_) return;
  HWND next = nullptr;
  unsigned long latest = 0;
  for (HWND sibling : Wnd(client)->children) {
    auto* state = Wnd(sibling)->As<MDIChildClass>();
    if (sibling == child || !state || !(Wnd(sibling)->style & WS_VISIBLE)) continue;
    // Never-activated children count as oldest; among equals the newest wins.
    if (!next || state->lastActivated >= latest) {
      next = sibling;
      latest = state->lastActivated;
    }
  }
  if (next || !keepWhenAlone) Activate(client, next);
}

LRESULT MDIChildClass::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (MDIClientClass* client = ClientOf(hWnd)) {
    if (message == WM_DESTROY) client->PassOn(Wnd(hWnd)->parent, hWnd, false);
    if (message == WM_NCDESTROY) client->Forget(hWnd);
  }
  return WindowClass::Proc(hWnd, message, wParam, lParam);
}

BOOL MDIChildClass::Show(HWND hWnd, int command) {
  afx_detail::Window* const window = Wnd(hWnd);
  const BOOL wasVisible = WindowClass::Show(hWnd, command);
  MDIClientClass* client = ClientOf(hWnd);
  if (!client) return wasVisible;
  if (command == SW_SHOWMAXIMIZED) {
    // One child at a time is maximised; the others go back to their places, still behind.
    for (HWND sibling : std::vector<HWND>(Wnd(window->parent)->children)) {
      if (sibling != hWnd && IsWindow(sibling) && Wnd(sibling)->As<MDIChildClass>() &&
          IsZoomed(sibling) && (Wnd(sibling)->style & WS_VISIBLE)) {
        ::ShowWindow(sibling, SW_SHOWNOACTIVATE);
      }
    }
  }
  switch (command) {
    case SW_HIDE:
      client->PassOn(window->parent, hWnd, false);
      break;
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
      client->PassOn(window->parent, hWnd, true);
      break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
    case SW_SHOWMINNOACTIVE:
      break;
    default:
      client->Activate(window->parent, hWnd);
      break;
  }
  return wasVisible;
}

const bool registered = [] {
  afx_detail::RegisterWindowClass(kMDIClientClass, [] {
    return std::unique_ptr<afx_detail::WindowClass>(std::make_unique<MDIClientClass>());
  });
  afx_detail::RegisterWindowClass(kMDIChildClass, [] {
    return std::unique_ptr<afx_detail::WindowClass>(std::make_unique<MDIChildClass>());
  });
  return true;
}();

CFrameWnd* AttachedFrame(HWND hWnd) {
  CWnd* attached = IsWindow(hWnd) ? Wnd(hWnd)->attached : nullptr;
  return attached && attached->IsKindOf(RUNTIME_CLASS(CFrameWnd))
             ? static_cast<CFrameWnd*>(attached)
             : nullptr;
}

// The views among a window's descendants, in creation order.
void CollectViews(HWND hWnd, std::vector<HWND>& views) {
  for (HWND child : Wnd(hWnd)->children) {
    if (Wnd(child)->attached && Wnd(child)->attached->IsKindOf(RUNTIME_CLASS(CView)))
      views.push_back(child);
    CollectViews(child, views);
  }
}

}  // namespace

CFrameWnd* CWnd::GetParentFrame() const {
  if (!IsWindow(m_hWnd)) return nullptr;
  for (HWND window = Wnd(m_hWnd)->parent; window; window = Wnd(window)->parent) {
    if (CFrameWnd* frame = AttachedFrame(window)) return frame;
  }
  return nullptr;
}

// Frames.

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() : m_nIDHelp(0), m_pViewActive(nullptr) {}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::CreateFrame(const char* className, DWORD style, DWORD exStyle, const RECT& rect,
                            HWND parent, UINT nIDResource, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  HICON icon = nullptr;
  if (CDocTemplate* docTemplate = pContext ? pContext->m_pNewDocTemplate : nullptr) {
    // Opening may run under another module's state: the template loaded these already.
    docTemplate->GetDocString(m_strTitle, CDocTemplate::windowTitle);
    icon = docTemplate->icon_;
  } else {
    CString strings;
    AfxLoadString(nIDResource, strings);
    AfxExtractSubString(m_strTitle, strings, 0);
    if (AfxHasIcon(nIDResource)) icon = afx_detail::IconHandle(nIDResource);
  }
  HWND hWnd = AfxCreateWindow(className, m_strTitle, style, exStyle, rect, parent, 0);
  if (!hWnd || !Attach(hWnd)) {
    if (hWnd) ::DestroyWindow(hWnd);
    PostNcDestroy();
    return FALSE;
  }
  if (icon) SetIcon(icon, TRUE);
  if (!OnCreateClient(nullptr, pContext)) {
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  return CreateFrame(kFrameClass, dwDefaultStyle, 0, kMainWindowRect,
                     pParentWnd ? pParentWnd->m_hWnd : nullptr, nIDResource, pContext);
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) return CreateView(pContext) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* object =
      pContext && pContext->m_pNewViewClass ? pContext->m_pNewViewClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete object;
    return nullptr;
  }
  auto* view = static_cast<CWnd*>(object);
  RECT client;
  GetClientRect(&client);
  HWND hWnd =
      AfxCreateWindow(kViewClass, "", AFX_WS_DEFAULT_VIEW, WS_EX_CLIENTEDGE, client, m_hWnd, nID);
  if (!hWnd || !view->Attach(hWnd)) {
    if (hWnd) ::DestroyWindow(hWnd);
    delete view;
    return nullptr;
  }
  if (pContext->m_pCurrentDoc && view->IsKindOf(RUNTIME_CLASS(CView))) {
    pContext->m_pCurrentDoc->AddView(static_cast<CView*>(view));
  }
  return view;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = nullptr;
  if (pViewOld && bNotify) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (pViewNew && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  std::vector<HWND> views;
  CollectViews(m_hWnd, views);
  if (!m_pViewActive) {
    for (HWND view : views) {
      if (Wnd(view)->id == AFX_IDW_PANE_FIRST) {
        SetActiveView(static_cast<CView*>(Wnd(view)->attached), FALSE);
        break;
      }
    }
  }
  if (bMakeVisible) {
    for (HWND view : views) {
      if (IsWindow(view) && Wnd(view)->attached)
        static_cast<CView*>(Wnd(view)->attached)->OnInitialUpdate();
    }
    if (!IsWindow(m_hWnd)) return;
    ActivateFrame();
  }
  if (!IsWindow(m_hWnd)) return;
  if (pDoc) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!(GetStyle() & WS_VISIBLE)) {
      nCmdShow = SW_SHOWNORMAL;
    } else if (IsIconic()) {
      nCmdShow = SW_RESTORE;
    }
  }
  if (nCmdShow != -1) ShowWindow(nCmdShow);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* document = GetActiveDocument();
  CString title = m_strTitle;
  if (bAddToTitle && document) {
    title = m_strTitle.IsEmpty() ? document->GetTitle() : m_strTitle + " - " + document->GetTitle();
  }
  SetWindowText(title);
}

void CFrameWnd::OnClose() {
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) app->CloseAllDocuments(FALSE);
  if (document && document->m_bAutoDelete && IsWindow(m_hWnd)) {
    bool otherFrame = false;
    for (POSITION position = document->GetFirstViewPosition(); position && !otherFrame;) {
      CView* view = document->GetNextView(position);
      otherFrame = view && view->GetParentFrame() != this;
    }
    if (!otherFrame) {
      // Closing the document destroys this frame with it.
      document->OnCloseDocument();
      return;
    }
    document->PreCloseFrame(this);
  }
  DestroyWindow();
}

void CFrameWnd::PostNcDestroy() {
  // A main window that is gone is no application's main window any more.
  for (CWinApp* app : {AfxGetApp(), AfxGetAppModuleState()->m_pCurrentWinApp}) {
    if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  }
  delete this;
}

// MDI child frames.

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  CWnd* parent = pParentWnd ? pParentWnd : AfxGetMainWnd();
  auto* main = parent && parent->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                   ? static_cast<CMDIFrameWnd*>(parent)
                   : nullptr;
  HWND client = main ? main->m_hWndMDIClient : nullptr;
  if (!IsWindow(client) || !Wnd(client)->As<MDIClientClass>()) {
    PostNcDestroy();
    return FALSE;
  }
  const DWORD style = (dwDefaultStyle | WS_CHILD | WS_CLIPSIBLINGS) & ~WS_VISIBLE;
  return CreateFrame(kMDIChildClass, style, WS_EX_MDICHILD,
                     Wnd(client)->As<MDIClientClass>()->NextChildRect(), client, nIDResource,
                     pContext);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  CFrameWnd* frame = GetParentFrame();
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame)
                                                               : nullptr;
}

void CMDIChildWnd::MDIActivate() {
  if (IsWindow(m_hWnd))
    ::SendMessageA(Wnd(m_hWnd)->parent, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIDestroy() {
  if (IsWindow(m_hWnd))
    ::SendMessageA(Wnd(m_hWnd)->parent, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize() { ShowWindow(SW_SHOWMAXIMIZED); }

void CMDIChildWnd::MDIRestore() { ShowWindow(SW_RESTORE); }

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  // The frame's convention: a child brought up while the active one is maximised takes its
  // place maximised.
  if (nCmdShow == -1) {
    BOOL maximized = FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    CMDIChildWnd* active = frame ? frame->MDIGetActive(&maximized) : nullptr;
    if (maximized && active != this) nCmdShow = SW_SHOWMAXIMIZED;
  }
  CFrameWnd::ActivateFrame(nCmdShow);
  if (IsWindow(m_hWnd) && (GetStyle() & WS_VISIBLE)) MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* document = GetActiveDocument();
  if (bAddToTitle && document) SetWindowText(document->GetTitle());
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CView* mine = GetActiveView();
  if (!mine) return;
  CFrameWnd* activated = pActivateWnd ? AttachedFrame(pActivateWnd->m_hWnd) : nullptr;
  CFrameWnd* deactivated = pDeactivateWnd ? AttachedFrame(pDeactivateWnd->m_hWnd) : nullptr;
  mine->OnActivateView(bActivate, activated ? activated->GetActiveView() : nullptr,
                       deactivated ? deactivated->GetActiveView() : nullptr);
}

// The main window.

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr) {}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  if (!CreateFrame(kMainFrameClass, dwDefaultStyle, 0, kMainWindowRect,
                   pParentWnd ? pParentWnd->m_hWnd : nullptr, nIDResource, pContext)) {
    return FALSE;
  }
  RECT client;
  GetClientRect(&client);
  m_hWndMDIClient = AfxCreateWindow(kMDIClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                    WS_EX_CLIENTEDGE, client, m_hWnd, AFX_IDW_PANE_FIRST);
  return m_hWndMDIClient != nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  if (pWndActivate) {
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd),
                   0);
  }
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  BOOL maximized = FALSE;
  HWND active = reinterpret_cast<HWND>(
      ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  if (pbMaximized) *pbMaximized = maximized;
  CFrameWnd* frame = AttachedFrame(active);
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(frame)
                                                               : nullptr;
}
