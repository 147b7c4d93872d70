// The expiry warning window: its document template, its opening, and its document and view.
#include "views/warning_window.h"

#include "common/decimal.h"
#include "plugin/globals.h"
#include "res/resource.h"
#include "views/warning_doc.h"
#include "views/warning_view.h"

namespace {

constexpr const char* kCaptionFormat = "Pact expiry warnings (%s turn %d)";
// The threshold that lists every pact in force.
constexpr int kEveryPact = 999;
constexpr const char* kTurnsLeftMark = "(after ";
constexpr UINT kEscape = 27;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kEndsNow = RGB(112, 0, 0);
constexpr COLORREF kEndsSoon = RGB(96, 96, 96);
constexpr COLORREF kEndsLater = RGB(32, 112, 0);

struct BandColours {
  COLORREF band;
  COLORREF text;
};

// Condition lines carry no count of turns; pact lines are coloured by theirs.
BandColours ColoursOf(const CString& line) {
  const int mark = line.Find(kTurnsLeftMark);
  if (mark < 0) return {kWhite, kBlack};
  const int turnsLeft = ReadDecimal(line.GetString() + mark + 7);
  if (turnsLeft == 0) return {kEndsNow, kWhite};
  return {turnsLeft > Settings.ExpThr ? kEndsLater : kEndsSoon, kWhite};
}

// Pact lines start with text, condition lines with blanks; a pact line has a gap above it.
BOOL IsPactLine(const CString& line) { return line.GetAt(0) != ' '; }

}  // namespace

void PluginApp::RegisterWarningWindow() {
  // The new-document command opens nothing once two templates compete for it, so a second
  // start-up registers nothing more.
  if (GetFirstDocTemplatePosition()) return;
  AddDocTemplate(new CMultiDocTemplate(IDR_WARNTYPE, RUNTIME_CLASS(CWarnDoc),
                                       RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CWarnView)));
}

void PluginApp::OpenWarningWindow(bool listAll, bool showConditions) {
  WarningOptions.listAll = listAll;
  WarningOptions.showConditions = showConditions;
  OnFileNew();
}

IMPLEMENT_DYNCREATE(CWarnDoc, CDocument)

BEGIN_MESSAGE_MAP(CWarnDoc, CDocument)
END_MESSAGE_MAP()

CWarnDoc::CWarnDoc() {
  m_key = CurrentContext.storeKey;
  m_caption.Format(kCaptionFormat, CurrentContext.storeKey.GetString(), CurrentContext.turn);
  const int threshold = WarningOptions.listAll ? kEveryPact : Settings.ExpThr;
  Store.GetExpiryWarnings(CurrentContext.storeKey, static_cast<DWORD>(CurrentContext.turn),
                          threshold, m_warnings, WarningOptions.showConditions);
}

CWarnDoc::~CWarnDoc() = default;

void CWarnDoc::Serialize(CArchive&) {}

BOOL CWarnDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

IMPLEMENT_DYNCREATE(CWarnView, CScrollView)

BEGIN_MESSAGE_MAP(CWarnView, CScrollView)
ON_WM_CHAR()
END_MESSAGE_MAP()

CWarnView::CWarnView() : m_lineWidth(0) {}

CWarnView::~CWarnView() = default;

// Through the documented accessor: the framework's own data member is no public interface.
CWarnDoc* CWarnView::GetDocument() const { return static_cast<CWarnDoc*>(CView::GetDocument()); }

void CWarnView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CFrameWnd* frame = GetParentFrame();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  frame->GetWindowPlacement(&placement);
  if (bActivate) {
    placement.rcNormalPosition = Settings.WarnWindowRect;
    frame->SetWindowPlacement(&placement);
  } else if (placement.showCmd == SW_SHOWNORMAL) {
    Settings.WarnWindowRect = placement.rcNormalPosition;
  }
  CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CWarnView::OnUpdate(CView*, LPARAM lHint, CObject*) {
  CWarnDoc* document = GetDocument();
  if (lHint != 0) {
    // Only the current game's windows are shown.
    GetParentFrame()->ShowWindow(document->m_key == CurrentContext.storeKey ? SW_SHOW : SW_HIDE);
    return;
  }
  CDC* dc = GetDC();
  Invalidate(TRUE);
  document->SetTitle(document->m_caption);
  int width = 0;
  int height = 0;
  for (INT_PTR i = 0; i < document->m_warnings.GetSize(); ++i) {
    const CString& line = document->m_warnings[i];
    const CSize extent = dc->GetTextExtent(line);
    width = (std::max)(width, static_cast<int>(extent.cx));
    height += extent.cy + 2;
    if (IsPactLine(line)) ++height;
  }
  SetScrollSizes(MM_TEXT, CSize(width + 2, height));
  m_lineWidth = width + 2;
  ReleaseDC(dc);
}

void CWarnView::OnDraw(CDC* pDC) {
  const CWarnDoc* document = GetDocument();
  int y = 0;
  for (INT_PTR i = 0; i < document->m_warnings.GetSize(); ++i) {
    const CString& line = document->m_warnings[i];
    const CSize extent = pDC->GetTextExtent(line);
    if (IsPactLine(line)) ++y;
    const BandColours colours = ColoursOf(line);
    pDC->FillSolidRect(0, y, m_lineWidth, extent.cy + 2, colours.band);
    pDC->SetTextColor(colours.text);
    pDC->SetBkColor(colours.band);
    pDC->TextOut(1, y + 1, line);
    y += extent.cy + 2;
  }
  pDC->SetBkColor(kWhite);
}

void CWarnView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // Posted, not sent: the frame must not close under the view's own message.
  if (nChar == kEscape) GetParentFrame()->PostMessage(WM_CLOSE);
  CScrollView::OnChar(nChar, nRepCnt, nFlags);
}
