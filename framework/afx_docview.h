// Documents and views. A document holds what its windows show and knows its views; a view
// draws the document inside a frame window and hears of updates and activation. A document
// template ties a document class, a frame class and a view class to one resource identifier
// and opens the three together. A view lives as long as its window; a document with
// m_bAutoDelete (the default) goes with its last view.
#pragma once

#include <algorithm>
#include <vector>

#include "afx_draw.h"
#include "afx_file.h"
#include "afx_frame.h"
#include "afx_window.h"

class CDocTemplate;
class CDocument;
class CView;
struct CPrintInfo;

namespace afx_detail {

// A POSITION over a list of pointers names the element it stands on, so a walk survives the
// removal of the element it has just returned, as the original's lists do.
template <class T>
POSITION HeadPosition(const std::vector<T*>& items) {
  return items.empty() ? nullptr : reinterpret_cast<POSITION>(items.front());
}

// The element at `position` (null when it is no longer in the list); moves to the next one.
template <class T>
T* NextAt(const std::vector<T*>& items, POSITION& position) {
  const auto at = std::find(items.begin(), items.end(), reinterpret_cast<T*>(position));
  if (at == items.end()) {
    position = nullptr;
    return nullptr;
  }
  position = at + 1 == items.end() ? nullptr : reinterpret_cast<POSITION>(*(at + 1));
  return *at;
}

}  // namespace afx_detail

// Substring `iSubString` of `lpszFullString` cut at `chSep`; FALSE (and empty) past the last.
BOOL AfxExtractSubString(CString& rString, const char* lpszFullString, int iSubString,
                         char chSep = '\n');

// What a frame needs to build its view while a template opens a document.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  CDocument();
  // Leaves its template's list.
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  // Every frame of the document shows the title as its caption.
  virtual void SetTitle(const char* lpszTitle);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  // Nothing marks a document modified here, so closing one never asks to save it.
  virtual BOOL IsModified() { return FALSE; }

  void AddView(CView* pView);
  // With the last view gone an auto-delete document closes and deletes itself.
  void RemoveView(CView* pView);
  virtual POSITION GetFirstViewPosition() const;
  virtual CView* GetNextView(POSITION& rPosition) const;
  // OnUpdate of every view but the sender, in the order the views were added.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
  // Brings the captions of the document's frames up to date.
  void UpdateFrameCounts();

  virtual BOOL OnNewDocument();
  // Destroys every frame showing the document, then deletes it when m_bAutoDelete is set.
  virtual void OnCloseDocument();
  virtual void DeleteContents();
  virtual void Serialize(CArchive& ar);
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void PreCloseFrame(CFrameWnd* pFrame);
  virtual void OnChangedViewList();

  BOOL m_bAutoDelete;

 protected:
  CString m_strTitle;
  CDocTemplate* m_pDocTemplate;

  DECLARE_MESSAGE_MAP()

 private:
  friend class CDocTemplate;
  std::vector<CView*> views_;
};

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)

 public:
  CDocument* GetDocument() const { return m_pDocument; }
  // Called once the frame and its views exist, before the frame shows; the default runs
  // OnUpdate(nullptr, 0, nullptr).
  virtual void OnInitialUpdate();
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

 protected:
  CView();
  // Leaves its document, which may close with it.
  ~CView() override;

  virtual void OnDraw(CDC* pDC) = 0;
  // The default invalidates the whole view, to be erased.
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  // The view's frame gained or lost activation; the default takes the focus on gaining it.
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  // The view goes with its window.
  void PostNcDestroy() override;

  void OnPaint();
  void OnDestroy();

  CDocument* m_pDocument;

  DECLARE_MESSAGE_MAP()

 private:
  friend class CDocument;
  friend class CFrameWnd;
  friend class CMDIChildWnd;
};

// A view whose content may be larger than its window. Only MM_TEXT is mapped; the content is
// never scrolled here, so the position stays at the origin.
class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)

 public:
  // (0, 0): a page is a tenth of the total, a line a tenth of a page.
  static const SIZE sizeDefault;

  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  CSize GetTotalSize() const { return m_totalLog; }
  CPoint GetScrollPosition() const { return CPoint(0, 0); }
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

 protected:
  CScrollView();
  ~CScrollView() override;

  int m_nMapMode;
  CSize m_totalLog;
  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;

  DECLARE_MESSAGE_MAP()
};

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName,
  };

  // Forgets the documents still open; they stay alive.
  ~CDocTemplate() override;

  // The template's strings and icon come from the module state current when it is constructed
  // or added to the application, whichever finds them first.
  virtual void LoadTemplate();
  // Substring `index` of the template's string resource: "\nName\nName" has an empty window
  // title, document name "Name" and new-document name "Name".
  virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);

  virtual CDocument* CreateNewDocument();
  // A frame of the template's frame class holding a view of its view class on `pDoc`; null
  // when either cannot be built.
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  // With no path: a new document in a new frame, titled, initialised, shown and activated.
  // Documents are never read from files here, so a path opens nothing.
  virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void CloseAllDocuments(BOOL bEndSession);

 protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
               CRuntimeClass* pViewClass);

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;

 private:
  friend class CFrameWnd;
  HICON icon_ = nullptr;  // for the frames it opens
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                    CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;

  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  // The document name followed by a running number: "Name1", "Name2", ...
  void SetDefaultTitle(CDocument* pDocument) override;
  CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE) override;

  UINT m_nUntitledCount;

 private:
  std::vector<CDocument*> docs_;
};
