// The view of an expiry warning window: the document's lines in coloured bands, dark red for a
// pact that ends this turn, grey within the warning threshold, green beyond it, white for the
// condition lines. All warning windows share one normal-position rectangle, which the view
// records when it loses activation in normal state and applies when it gains it; Escape closes
// the window.
#pragma once

#include "common/framework.h"
#include "views/warning_doc.h"

class CWarnView : public CScrollView {
  DECLARE_DYNCREATE(CWarnView)

 public:
  CWarnView();
  ~CWarnView() override;
  CWarnDoc* GetDocument() const;

 protected:
  DECLARE_MESSAGE_MAP()

  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
  void OnDraw(CDC* pDC) override;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

 private:
  int m_lineWidth;  // every band's width, in pixels
};
