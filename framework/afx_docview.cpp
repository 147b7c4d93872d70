#include "afx_docview.h"

#include <cstring>

#include "afx_module.h"
#include "afx_standin_calls.h"

BOOL AfxExtractSubString(CString& rString, const char* lpszFullString, int iSubString, char chSep) {
  rString.Empty();
  if (!lpszFullString || iSubString < 0) return FALSE;
  const char* start = lpszFullString;
  for (; iSubString > 0; --iSubString) {
    start = std::strchr(start, chSep);
    if (!start) return FALSE;
    ++start;
  }
  const char* end = std::strchr(start, chSep);
  rString =
      CString(start, end ? static_cast<int>(end - start) : static_cast<int>(std::strlen(start)));
  return TRUE;
}

// Documents.

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr) {}

CDocument::~CDocument() {
  // A document deleted under its views leaves them without one.
  for (CView* view : views_) view->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* lpszTitle) {
  m_strTitle = lpszTitle ? lpszTitle : "";
  UpdateFrameCounts();
}

void CDocument::AddView(CView* pView) {
  if (!pView || pView->m_pDocument ||
      std::find(views_.begin(), views_.end(), pView) != views_.end())
    return;
  views_.push_back(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  const auto at = std::find(views_.begin(), views_.end(), pView);
  if (at == views_.end()) return;
  views_.erase(at);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const { return afx_detail::HeadPosition(views_); }

CView* CDocument::GetNextView(POSITION& rPosition) const {
  return afx_detail::NextAt(views_, rPosition);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION position = GetFirstViewPosition(); position;) {
    CView* view = GetNextView(position);
    if (view && view != pSender) view->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::UpdateFrameCounts() {
  std::vector<CFrameWnd*> frames;
  for (CView* view : views_) {
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end()) {
      frames.push_back(frame);
    }
  }
  for (CFrameWnd* frame : frames) frame->OnUpdateFrameTitle(TRUE);
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // The document must outlive the destruction of its own frames.
  const BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!views_.empty()) {
    CView* view = views_.front();
    CFrameWnd* frame = view->GetParentFrame();
    if (frame) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else if (IsWindow(view->m_hWnd)) {
      view->DestroyWindow();
    } else {
      RemoveView(view);
    }
    // A view that outlived its window's destruction is let go rather than looped on.
    if (!views_.empty() && views_.front() == view) RemoveView(view);
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::CanCloseFrame(CFrameWnd*) { return TRUE; }

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::OnChangedViewList() {
  if (m_bAutoDelete && views_.empty()) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

// Views.

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr) {}

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
  if (bActivate) SetFocus();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr);
  Default();
}

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView() : m_nMapMode(0) {}

CScrollView::~CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage,
                                 const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = CSize((std::max<LONG>)(sizeTotal.cx, 0), (std::max<LONG>)(sizeTotal.cy, 0));
  m_totalDev = m_totalLog;
  m_pageDev = sizePage;
  m_lineDev = sizeLine;
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = m_pageDev.cx / 10;
  if (m_lineDev.cy == 0) m_lineDev.cy = m_pageDev.cy / 10;
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage,
                                       SIZE& sizeLine) const {
  nMapMode = m_nMapMode;
  sizeTotal = m_totalDev;
  sizePage = m_pageDev;
  sizeLine = m_lineDev;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (pDC && m_nMapMode > 0) pDC->SetMapMode(m_nMapMode);
  CView::OnPrepareDC(pDC, pInfo);
}

// Document templates.

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
  LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) AfxLoadString(m_nIDResource, m_strDocStrings);
  if (!icon_ && AfxHasIcon(m_nIDResource)) icon_ = afx_detail::IconHandle(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const {
  return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
  if (pDoc) pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (pDoc) pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete object;
    return nullptr;
  }
  auto* document = static_cast<CDocument*>(object);
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CFrameWnd*>(object);
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
    return nullptr;
  }
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  if (pFrame) pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  std::vector<CDocument*> open;
  for (POSITION position = GetFirstDocPosition(); position;) {
    if (CDocument* document = GetNextDoc(position)) open.push_back(document);
  }
  for (CDocument* document : open) {
    // Closing one document may have closed another.
    bool stillOpen = false;
    for (POSITION position = GetFirstDocPosition(); position && !stillOpen;) {
      stillOpen = GetNextDoc(position) == document;
    }
    if (stillOpen) document->OnCloseDocument();
  }
}

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_nUntitledCount(0) {}

CMultiDocTemplate::~CMultiDocTemplate() {
  for (CDocument* document : docs_) CDocTemplate::RemoveDocument(document);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return afx_detail::HeadPosition(docs_); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const {
  return afx_detail::NextAt(docs_, rPos);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  if (!pDoc || std::find(docs_.begin(), docs_.end(), pDoc) != docs_.end()) return;
  CDocTemplate::AddDocument(pDoc);
  docs_.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  const auto at = std::find(docs_.begin(), docs_.end(), pDoc);
  if (at == docs_.end()) return;
  docs_.erase(at);
  CDocTemplate::RemoveDocument(pDoc);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (GetDocString(title, docName) && !title.IsEmpty()) {
    CString number;
    number.Format("%u", m_nUntitledCount + 1);
    title += number;
  } else {
    title = "Untitled";
  }
  pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible) {
  if (lpszPathName) return nullptr;
  CDocument* document = CreateNewDocument();
  if (!document) return nullptr;
  // A half-built frame must not take the document with it.
  const BOOL autoDelete = document->m_bAutoDelete;
  document->m_bAutoDelete = FALSE;
  CFrameWnd* frame = CreateNewFrame(document, nullptr);
  document->m_bAutoDelete = autoDelete;
  if (!frame) {
    delete document;
    return nullptr;
  }
  SetDefaultTitle(document);
  if (!document->OnNewDocument()) {
    // Destroying the frame destroys its view and, with it, the document.
    frame->DestroyWindow();
    return nullptr;
  }
  ++m_nUntitledCount;
  InitialUpdateFrame(frame, document, bMakeVisible);
  return document;
}
