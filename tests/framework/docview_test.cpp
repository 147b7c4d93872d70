#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "afx_standin.h"

namespace {

constexpr UINT kProbeType = 8003;

const char kScript[] = R"(
STRINGTABLE
BEGIN
    8003 "\nProbe\nProbe"
END
8003 ICON "probe.ico"
)";

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBand = RGB(112, 0, 0);

// What the probe documents and views went through, in order.
std::vector<std::string> journal;
int liveDocuments = 0;
int liveViews = 0;
bool refuseNewDocument = false;
// The document whose windows a hint 1 shows; the others' it hides.
std::string shownTitle;

class ProbeDoc : public CDocument {
  DECLARE_DYNCREATE(ProbeDoc)

 public:
  ProbeDoc() {
    journal.push_back("document constructed");
    ++liveDocuments;
  }
  ~ProbeDoc() override {
    journal.push_back(std::string(GetTitle()) + " destroyed");
    --liveDocuments;
  }
  BOOL OnNewDocument() override {
    journal.push_back(std::string(GetTitle()) + " OnNewDocument");
    return CDocument::OnNewDocument() && !refuseNewDocument;
  }

  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(ProbeDoc, CDocument)

BEGIN_MESSAGE_MAP(ProbeDoc, CDocument)
END_MESSAGE_MAP()

std::string NameOf(CView* view) {
  if (!view) return "none";
  return view->GetDocument() ? std::string(view->GetDocument()->GetTitle()) : "orphan";
}

// Draws one dark red band with its title in white, as a warning line is drawn.
class ProbeView : public CScrollView {
  DECLARE_DYNCREATE(ProbeView)

 public:
  ProbeView() { ++liveViews; }
  ~ProbeView() override { --liveViews; }

  std::vector<UINT> typed;

 protected:
  void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override {
    journal.push_back(NameOf(this) + " OnUpdate " + std::to_string(lHint));
    if (lHint == 1) {
      GetParentFrame()->ShowWindow(NameOf(this) == shownTitle ? SW_SHOW : SW_HIDE);
      return;
    }
    if (lHint == 0) SetScrollSizes(MM_TEXT, CSize(100, 50));
    CScrollView::OnUpdate(pSender, lHint, pHint);
  }

  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override {
    journal.push_back(NameOf(this) + (bActivate ? " activated (" : " deactivated (") +
                      NameOf(pActivateView) + ", " + NameOf(pDeactiveView) + ")");
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
  }

  void OnDraw(CDC* pDC) override {
    const CString title = GetDocument()->GetTitle();
    pDC->FillSolidRect(0, 1, 50, pDC->GetTextExtent(title).cy + 2, kBand);
    journal.push_back("text colour was " + std::to_string(pDC->SetTextColor(kWhite)));
    pDC->TextOut(1, 2, title);
    journal.push_back("background was " + std::to_string(pDC->SetBkColor(kWhite)));
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(0, 20, "x");
  }

  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    typed.push_back(nChar);
    if (nChar == VK_ESCAPE) GetParentFrame()->PostMessage(WM_CLOSE);
    CScrollView::OnChar(nChar, nRepCnt, nFlags);
  }

  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(ProbeView, CScrollView)

BEGIN_MESSAGE_MAP(ProbeView, CScrollView)
ON_WM_CHAR()
END_MESSAGE_MAP()

class ProbeApp : public CWinApp {
 public:
  using CWinApp::OnFileNew;
};

// The host application with its main window, and a module whose application registered the
// probe template at start-up with its own state current, as a plug-in does. Windows are then
// opened under the host's state, as the plug-in's event handlers open them.
class Session {
 public:
  Session() : module_(kScript) {
    journal.clear();
    liveDocuments = liveViews = 0;
    refuseNewDocument = false;
    shownTitle.clear();
    main_->LoadFrame(0);
    main_->ShowWindow(SW_SHOW);
    host_.m_pMainWnd = main_;
    afx_detail::SetConstructingModule(&module_);
    app_ = std::make_unique<ProbeApp>();
    AFX_MANAGE_STATE(&module_);
    docTemplate = new CMultiDocTemplate(kProbeType, RUNTIME_CLASS(ProbeDoc),
                                        RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(ProbeView));
    app_->AddDocTemplate(docTemplate);
  }
  ~Session() {
    app_.reset();
    main_->DestroyWindow();
  }

  ProbeApp& App() { return *app_; }
  void CloseApp() { app_.reset(); }
  CMDIFrameWnd& Main() { return *main_; }

  // Sends `hint` to every view of every document of every template, as a plug-in's event does.
  void UpdateEverything(LPARAM hint) {
    for (POSITION templates = app_->GetFirstDocTemplatePosition(); templates;) {
      CDocTemplate* each = app_->GetNextDocTemplate(templates);
      for (POSITION documents = each->GetFirstDocPosition(); documents;) {
        each->GetNextDoc(documents)->UpdateAllViews(nullptr, hint);
      }
    }
  }

  // Opens a new probe window; answers its frame.
  CMDIChildWnd* Open() {
    app_->OnFileNew();
    return Main().MDIGetActive();
  }
  std::vector<HWND> Children() const {
    std::vector<HWND> children;
    CWnd* client = CWnd::FromHandle(main_->m_hWndMDIClient);
    for (CWnd* child = client->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
      children.push_back(child->m_hWnd);
    }
    return children;
  }

  CMultiDocTemplate* docTemplate = nullptr;

 private:
  CWinApp host_{"Host"};
  CMDIFrameWnd* main_ = new CMDIFrameWnd;  // deletes itself with its window
  AFX_MODULE_STATE module_;
  std::unique_ptr<ProbeApp> app_;
};

ProbeView* ViewOf(CFrameWnd* frame) { return static_cast<ProbeView*>(frame->GetActiveView()); }

CString Caption(CWnd* window) {
  CString caption;
  window->GetWindowText(caption);
  return caption;
}

WINDOWPLACEMENT PlacementOf(CWnd* window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  EXPECT_TRUE(window->GetWindowPlacement(&placement));
  return placement;
}

}  // namespace

TEST(RuntimeClass, NamesClassesWalksBasesAndCreatesTheCreatable) {
  EXPECT_STREQ(RUNTIME_CLASS(ProbeDoc)->m_lpszClassName, "ProbeDoc");
  EXPECT_STREQ(RUNTIME_CLASS(CMDIChildWnd)->m_lpszClassName, "CMDIChildWnd");
  EXPECT_TRUE(RUNTIME_CLASS(ProbeView)->IsDerivedFrom(RUNTIME_CLASS(CScrollView)));
  EXPECT_TRUE(RUNTIME_CLASS(ProbeView)->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(RUNTIME_CLASS(ProbeDoc)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(RUNTIME_CLASS(ProbeDoc)->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
  EXPECT_FALSE(RUNTIME_CLASS(CWnd)->IsDerivedFrom(RUNTIME_CLASS(CView)));

  std::unique_ptr<CObject> frame(RUNTIME_CLASS(CMDIChildWnd)->CreateObject());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetRuntimeClass(), RUNTIME_CLASS(CMDIChildWnd));
  EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
  EXPECT_FALSE(frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)));
  EXPECT_EQ(RUNTIME_CLASS(CView)->CreateObject(), nullptr) << "abstract, not creatable";
  EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
}

TEST(DocTemplate, OpensDocumentFrameAndViewActiveInTheHostsMainWindow) {
  Session session;
  POSITION templates = session.App().GetFirstDocTemplatePosition();
  EXPECT_EQ(session.App().GetNextDocTemplate(templates), session.docTemplate);
  EXPECT_EQ(templates, nullptr);
  CString text;
  EXPECT_TRUE(session.docTemplate->GetDocString(text, CDocTemplate::windowTitle));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(session.docTemplate->GetDocString(text, CDocTemplate::docName));
  EXPECT_EQ(text, "Probe");
  EXPECT_TRUE(session.docTemplate->GetDocString(text, CDocTemplate::fileNewName));
  EXPECT_EQ(text, "Probe");
  EXPECT_FALSE(session.docTemplate->GetDocString(text, CDocTemplate::filterName));

  CMDIChildWnd* frame = nullptr;
  {
    // Under the host's state the probe module's resources are out of reach.
    AFX_MAINTAIN_STATE2 host(AfxGetAppModuleState());
    EXPECT_EQ(AfxGetMainWnd(), &session.Main());
    frame = session.Open();
  }
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(journal,
            (std::vector<std::string>{"document constructed", "Probe1 OnNewDocument",
                                      "Probe1 OnUpdate 0", "Probe1 activated (Probe1, none)"}));
  EXPECT_EQ(session.Children(), std::vector<HWND>{frame->m_hWnd});
  EXPECT_EQ(frame->GetParentFrame(), &session.Main());
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_EQ(Caption(frame), "Probe1");
  ASSERT_NE(frame->GetIcon(TRUE), nullptr);
  EXPECT_EQ(frame->GetIcon(TRUE), afx_detail::IconHandle(kProbeType));
  EXPECT_TRUE(CRect(PlacementOf(frame).rcNormalPosition) == CRect(0, 0, 500, 300));

  ProbeView* view = ViewOf(frame);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetParentFrame(), frame);
  EXPECT_EQ(CWnd::GetFocus(), view);
  EXPECT_EQ(view->GetTotalSize(), CSize(100, 50));
  int mapMode = 0;
  SIZE total, page, line;
  view->GetDeviceScrollSizes(mapMode, total, page, line);
  EXPECT_EQ(mapMode, MM_TEXT);
  EXPECT_EQ(CSize(page), CSize(10, 5)) << "a tenth of the total";
  EXPECT_EQ(CSize(line), CSize(1, 0)) << "a tenth of a page";

  CDocument* document = view->GetDocument();
  EXPECT_EQ(document->GetDocTemplate(), session.docTemplate);
  EXPECT_FALSE(document->IsModified());
  POSITION documents = session.docTemplate->GetFirstDocPosition();
  EXPECT_EQ(session.docTemplate->GetNextDoc(documents), document);
  EXPECT_EQ(documents, nullptr);
  POSITION views = document->GetFirstViewPosition();
  EXPECT_EQ(document->GetNextView(views), view);
  EXPECT_EQ(views, nullptr);

  document->SetTitle("Pact expiry warnings (G/R turn 12)");
  EXPECT_EQ(Caption(frame), "Pact expiry warnings (G/R turn 12)");
}

TEST(DocTemplate, ANewWindowDeactivatesTheActiveViewBeforeActivatingItsOwn) {
  Session session;
  CMDIChildWnd* first = session.Open();
  journal.clear();
  CMDIChildWnd* second = session.Open();
  ASSERT_NE(second, first);
  EXPECT_EQ(journal,
            (std::vector<std::string>{"document constructed", "Probe2 OnNewDocument",
                                      "Probe2 OnUpdate 0", "Probe1 deactivated (Probe2, Probe1)",
                                      "Probe2 activated (Probe2, Probe1)"}));
  EXPECT_EQ(session.Children(), (std::vector<HWND>{first->m_hWnd, second->m_hWnd}));
  EXPECT_TRUE(CRect(PlacementOf(second).rcNormalPosition) == CRect(24, 24, 524, 324))
      << "cascaded below the first";
  POSITION documents = session.docTemplate->GetFirstDocPosition();
  EXPECT_EQ(session.docTemplate->GetNextDoc(documents)->GetTitle(), "Probe1");
  EXPECT_EQ(session.docTemplate->GetNextDoc(documents)->GetTitle(), "Probe2");

  // Hiding the active window activates the one active before it; hiding that one leaves none.
  journal.clear();
  second->ShowWindow(SW_HIDE);
  EXPECT_EQ(session.Main().MDIGetActive(), first);
  first->ShowWindow(SW_HIDE);
  EXPECT_EQ(session.Main().MDIGetActive(), nullptr);
  session.Main().MDIActivate(second);
  EXPECT_EQ(session.Main().MDIGetActive(), nullptr) << "a hidden window is not activated";
  second->ShowWindow(SW_SHOW);
  EXPECT_EQ(session.Main().MDIGetActive(), second);
  EXPECT_TRUE(second->IsWindowVisible());
  EXPECT_FALSE(first->IsWindowVisible());
  EXPECT_EQ(journal, (std::vector<std::string>{
                         "Probe2 deactivated (Probe1, Probe2)", "Probe1 activated (Probe1, Probe2)",
                         "Probe1 deactivated (none, Probe1)", "Probe2 activated (Probe2, none)"}));
}

TEST(Document, UpdateAllViewsReachesEveryViewButTheSenderWithTheHint) {
  Session session;
  CMDIChildWnd* first = session.Open();
  CMDIChildWnd* other = session.Open();
  CDocument* document = ViewOf(first)->GetDocument();
  // A second window on the first document.
  CFrameWnd* twin = session.docTemplate->CreateNewFrame(document, nullptr);
  ASSERT_NE(twin, nullptr);
  session.docTemplate->InitialUpdateFrame(twin, document);
  EXPECT_EQ(Caption(twin), "Probe1");

  journal.clear();
  document->UpdateAllViews(nullptr, 7);
  EXPECT_EQ(journal, (std::vector<std::string>{"Probe1 OnUpdate 7", "Probe1 OnUpdate 7"}));
  journal.clear();
  document->UpdateAllViews(ViewOf(first), 2);
  EXPECT_EQ(journal, std::vector<std::string>{"Probe1 OnUpdate 2"});
  EXPECT_EQ(ViewOf(other)->GetDocument()->GetTitle(), "Probe2");

  // The document stays while another window shows it and goes with the last one.
  first->SendMessage(WM_CLOSE);
  EXPECT_EQ(liveDocuments, 2);
  EXPECT_EQ(liveViews, 2);
  twin->SendMessage(WM_CLOSE);
  EXPECT_EQ(liveDocuments, 1);
  EXPECT_EQ(liveViews, 1);
  POSITION documents = session.docTemplate->GetFirstDocPosition();
  EXPECT_EQ(session.docTemplate->GetNextDoc(documents)->GetTitle(), "Probe2");
  EXPECT_EQ(documents, nullptr);
}

TEST(Placement, RoundTripsAndKeepsTheNormalRectangleWhileMinimisedOrMaximised) {
  Session session;
  CMDIChildWnd* frame = session.Open();
  WINDOWPLACEMENT placement = PlacementOf(frame);
  EXPECT_EQ(placement.length, sizeof(WINDOWPLACEMENT));
  EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
  placement.rcNormalPosition = CRect(10, 20, 410, 220);
  EXPECT_TRUE(frame->SetWindowPlacement(&placement));
  CRect rect;
  frame->GetWindowRect(rect);
  EXPECT_TRUE(rect == CRect(10, 20, 410, 220));

  frame->ShowWindow(SW_MAXIMIZE);
  EXPECT_TRUE(frame->IsZoomed());
  EXPECT_EQ(PlacementOf(frame).showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
  EXPECT_TRUE(CRect(PlacementOf(frame).rcNormalPosition) == CRect(10, 20, 410, 220));
  frame->GetWindowRect(rect);
  EXPECT_TRUE(rect == CRect(0, 0, 1024, 768)) << "fills the main window";
  BOOL maximized = FALSE;
  EXPECT_EQ(session.Main().MDIGetActive(&maximized), frame);
  EXPECT_TRUE(maximized);

  frame->ShowWindow(SW_MINIMIZE);
  EXPECT_TRUE(frame->IsIconic());
  EXPECT_FALSE(frame->IsZoomed());
  EXPECT_EQ(session.Main().MDIGetActive(), frame) << "alone, it stays active";
  placement = PlacementOf(frame);
  EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
  EXPECT_TRUE(CRect(placement.rcNormalPosition) == CRect(10, 20, 410, 220));
  // A new normal rectangle while minimised waits for the restore.
  placement.rcNormalPosition = CRect(5, 5, 105, 105);
  frame->SetWindowPlacement(&placement);
  EXPECT_TRUE(frame->IsIconic());
  frame->ShowWindow(SW_RESTORE);
  EXPECT_FALSE(frame->IsIconic());
  frame->GetWindowRect(rect);
  EXPECT_TRUE(rect == CRect(5, 5, 105, 105));

  // Minimising the active window hands activation to another visible one.
  CMDIChildWnd* second = session.Open();
  second->ShowWindow(SW_MINIMIZE);
  EXPECT_EQ(session.Main().MDIGetActive(), frame);
  EXPECT_TRUE(second->IsWindowVisible());
}

TEST(View, EscapePostsACloseThatOnlyThePumpDeliversAndTheDocumentGoesWithTheView) {
  Session session;
  CMDIChildWnd* first = session.Open();
  CMDIChildWnd* second = session.Open();
  HWND closing = second->m_hWnd;
  ProbeView* view = ViewOf(second);

  EXPECT_EQ(view->SendMessage(WM_CHAR, 'a', MAKELPARAM(1, 0)), 0);
  view->SendMessage(WM_CHAR, VK_ESCAPE, MAKELPARAM(1, 0));
  EXPECT_EQ(view->typed, (std::vector<UINT>{'a', VK_ESCAPE}));
  EXPECT_TRUE(IsWindow(closing)) << "posted, not sent";
  EXPECT_EQ(AfxPendingMessages(), 1);

  journal.clear();
  EXPECT_EQ(AfxPumpMessages(), 1);
  EXPECT_FALSE(IsWindow(closing));
  EXPECT_EQ(liveViews, 1);
  EXPECT_EQ(liveDocuments, 1);
  EXPECT_EQ(session.Children(), std::vector<HWND>{first->m_hWnd});
  EXPECT_EQ(session.Main().MDIGetActive(), first);
  EXPECT_EQ(journal, (std::vector<std::string>{
                         "Probe2 deactivated (Probe1, Probe2)", "Probe1 activated (Probe1, Probe2)",
                         "Probe2 deactivated (none, Probe2)", "Probe2 destroyed"}));
  POSITION documents = session.docTemplate->GetFirstDocPosition();
  EXPECT_EQ(session.docTemplate->GetNextDoc(documents)->GetTitle(), "Probe1");
  EXPECT_EQ(documents, nullptr);
}

TEST(Drawing, OnDrawIsRecordedWithItsColoursPositionsAndTheFontsCells) {
  CDC measure;
  EXPECT_EQ(measure.GetTextExtent(CString("Pact with Vor")), CSize(8 * 13, 16));
  EXPECT_EQ(measure.GetTextExtent(CString()), CSize(0, 16));

  Session session;
  CMDIChildWnd* frame = session.Open();
  CRect pending;
  EXPECT_TRUE(ViewOf(frame)->GetUpdateRect(pending)) << "the initial update invalidated it";
  journal.clear();
  const CDisplayList list = AfxPaintWindow(frame->m_hWnd);
  EXPECT_TRUE(list.erased);
  ASSERT_EQ(list.items.size(), 3u);
  EXPECT_EQ(list.items[0].kind, CDisplayItem::fillRect);
  EXPECT_TRUE(CRect(list.items[0].rect) == CRect(0, 1, 50, 19));
  EXPECT_EQ(list.items[0].color, kBand);
  EXPECT_EQ(list.items[1].kind, CDisplayItem::textOut);
  EXPECT_EQ(list.items[1].text, "Probe1");
  EXPECT_TRUE(CRect(list.items[1].rect) == CRect(1, 2, 1 + 8 * 6, 2 + 16));
  EXPECT_EQ(list.items[1].color, kWhite);
  EXPECT_EQ(list.items[1].background, kBand) << "filling left the band colour as background";
  EXPECT_TRUE(list.items[1].opaque);
  EXPECT_FALSE(list.items[2].opaque);
  EXPECT_EQ(journal, (std::vector<std::string>{"text colour was " + std::to_string(kBlack),
                                               "background was " + std::to_string(kBand)}));

  EXPECT_FALSE(ViewOf(frame)->GetUpdateRect(pending));
  EXPECT_FALSE(AfxPaintWindow(frame->m_hWnd).erased) << "painting cleared the erase";
  CDC* dc = ViewOf(frame)->GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ViewOf(frame)->ReleaseDC(dc), 1);
  EXPECT_EQ(ViewOf(frame)->ReleaseDC(dc), 0) << "released once only";
}

TEST(DocTemplate, AFailedNewDocumentLeavesNothingAndClosingTheApplicationClosesEverything) {
  Session session;
  refuseNewDocument = true;
  EXPECT_EQ(session.docTemplate->OpenDocumentFile(nullptr), nullptr);
  EXPECT_TRUE(session.Children().empty());
  EXPECT_EQ(liveDocuments, 0);
  EXPECT_EQ(liveViews, 0);

  refuseNewDocument = false;
  session.Open();
  ASSERT_NE(session.Open(), nullptr);
  EXPECT_EQ(ViewOf(session.Main().MDIGetActive())->GetDocument()->GetTitle(), "Probe2")
      << "the refused document took no number";
  session.App().CloseAllDocuments(FALSE);
  EXPECT_TRUE(session.Children().empty());
  EXPECT_EQ(liveDocuments, 0);
  EXPECT_EQ(liveViews, 0);

  ProbeApp empty;
  empty.OnFileNew();
  EXPECT_TRUE(session.Children().empty()) << "no template, nothing opens";
}

TEST(DocTemplate, ViewsHidingAndShowingTheirFramesOnAnUpdateLeaveTheShownOneActive) {
  Session session;
  CMDIChildWnd* first = session.Open();
  CMDIChildWnd* second = session.Open();
  CMDIChildWnd* third = session.Open();

  shownTitle = "Probe1";
  session.UpdateEverything(1);
  EXPECT_TRUE(first->IsWindowVisible());
  EXPECT_FALSE(second->IsWindowVisible());
  EXPECT_FALSE(third->IsWindowVisible());
  EXPECT_EQ(session.Main().MDIGetActive(), first);

  shownTitle = "Probe3";
  journal.clear();
  session.UpdateEverything(1);
  EXPECT_EQ(session.Main().MDIGetActive(), third);
  EXPECT_FALSE(first->IsWindowVisible());
  EXPECT_EQ(journal,
            (std::vector<std::string>{"Probe1 OnUpdate 1", "Probe1 deactivated (none, Probe1)",
                                      "Probe2 OnUpdate 1", "Probe3 OnUpdate 1",
                                      "Probe3 activated (Probe3, none)"}));

  // A hidden window shown by its placement becomes the active one, as on the screen.
  WINDOWPLACEMENT placement = PlacementOf(second);
  placement.rcNormalPosition = CRect(100, 100, 200, 150);
  second->SetWindowPlacement(&placement);
  EXPECT_TRUE(second->IsWindowVisible());
  EXPECT_EQ(session.Main().MDIGetActive(), second);

  // Painting the main window paints its visible children where they stand.
  const CDisplayList list = AfxPaintWindow(session.Main().m_hWnd);
  std::vector<std::string> texts;
  for (const CDisplayItem& item : list.items) {
    if (item.kind == CDisplayItem::textOut && item.opaque) {
      texts.push_back(std::string(item.text) + " at " + std::to_string(item.rect.left) + "," +
                      std::to_string(item.rect.top));
    }
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Probe2 at 101,102", "Probe3 at 49,50"}));

  // The application closes its documents before it deletes its template.
  session.CloseApp();
  EXPECT_TRUE(session.Children().empty());
  EXPECT_EQ(liveDocuments, 0);
  EXPECT_EQ(liveViews, 0);
}
