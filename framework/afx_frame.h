// Frame windows: the frame around a view (CFrameWnd), the stock MDI child frame a document
// template opens inside the main window (CMDIChildWnd) and the main window that holds those
// (CMDIFrameWnd). The main window's MDI client keeps its children in creation order, which
// one is active and each one's show state. Frames live on the heap and delete themselves once
// their window is gone.
//
// Geometry without a screen: the main window is 1024 x 768 pixels and its MDI client fills it;
// a new MDI child opens 500 x 300 at (0, 0), each following one 24 pixels further down and to
// the right, starting over at (0, 0) after eight.
#pragma once

#include "afx_window.h"

class CDocument;
class CView;
struct CCreateContext;
#ifndef _WIN32
struct CREATESTRUCT;
using LPCREATESTRUCT = CREATESTRUCT*;
#endif

// A frame whose caption follows its document's title.
inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
// The identifier of a frame's view.
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
inline constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  CFrameWnd();
  ~CFrameWnd() override;

  // Creates the window, with its caption (the first substring) and icon from resource
  // `nIDResource`, and the view `pContext` names. On failure the frame has deleted itself.
  virtual BOOL LoadFrame(UINT nIDResource,
                         DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

  CView* GetActiveView() const { return m_pViewActive; }
  // With `bNotify` the view losing activation hears of it first, then the one gaining it.
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();

  // Makes the first view active; when `bMakeVisible`, runs every view's OnInitialUpdate, then
  // shows and activates the frame. Then updates the caption.
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  // -1: shows a hidden frame normal, restores a minimised one.
  virtual void ActivateFrame(int nCmdShow = -1);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  // The last frame of an auto-delete document closes the document, which destroys the frame;
  // the main window closes every document of the application first.
  void OnClose();
  void PostNcDestroy() override;

  // Creates and attaches the window of class `className`; on failure deletes the frame.
  BOOL CreateFrame(const char* className, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                   UINT nIDResource, CCreateContext* pContext);

  CString m_strTitle;
  UINT m_nIDHelp;
  CView* m_pViewActive;

  DECLARE_MESSAGE_MAP()
};

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  // Creates the frame hidden, as a child of the MDI client of `pParentWnd` or, when null, of
  // the main window (AfxGetMainWnd).
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy();
  void MDIMaximize();
  void MDIRestore();
  // Shows the frame as CFrameWnd does and makes it the active child.
  void ActivateFrame(int nCmdShow = -1) override;
  // The caption is the active document's title.
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;

 protected:
  // The view of the frame losing activation hears OnActivateView(FALSE, ...) before the view of
  // the frame gaining it hears OnActivateView(TRUE, ...), both with the activated view and the
  // deactivated one.
  void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

  DECLARE_MESSAGE_MAP()
};

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMDIFrameWnd)

 public:
  CMDIFrameWnd();

  // Creates the main window with its MDI client.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

  // Activates a visible child; a hidden one stays as it is.
  void MDIActivate(CWnd* pWndActivate);
  // The active child, null for none; `pbMaximized` tells whether it is maximised.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;

  HWND m_hWndMDIClient;
};
