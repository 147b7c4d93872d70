#include "afx_app.h"

#include "afx_docview.h"
#include "afx_module.h"
#include "afx_standin_calls.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName), m_pMainWnd(nullptr) {
  owner_ = afx_detail::TakeConstructingModule();
  if (!owner_) owner_ = AfxGetAppModuleState();
  owner_->m_pCurrentWinApp = this;
  owner_->m_lpszCurrentAppName = appName;
}

CWinApp::~CWinApp() {
  CloseAllDocuments(TRUE);
  for (CDocTemplate* docTemplate : templates_) delete docTemplate;
  if (owner_->m_pCurrentWinApp == this) {
    owner_->m_pCurrentWinApp = nullptr;
    owner_->m_lpszCurrentAppName = nullptr;
  }
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (!pTemplate || std::find(templates_.begin(), templates_.end(), pTemplate) != templates_.end())
    return;
  pTemplate->LoadTemplate();
  templates_.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return afx_detail::HeadPosition(templates_);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return afx_detail::NextAt(templates_, pos);
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  for (CDocTemplate* docTemplate : templates_) docTemplate->CloseAllDocuments(bEndSession);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return AfxHasIcon(nIDResource) ? afx_detail::IconHandle(nIDResource) : nullptr;
}

void CWinApp::OnFileNew() {
  if (templates_.size() == 1) templates_.front()->OpenDocumentFile(nullptr);
}

CWnd* AfxGetMainWnd() {
  if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd) return app->m_pMainWnd;
  CWinApp* host = AfxGetAppModuleState()->m_pCurrentWinApp;
  return host ? host->m_pMainWnd : nullptr;
}
