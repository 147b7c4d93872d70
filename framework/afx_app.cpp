#include "afx_app.h"

#include "afx_module.h"

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
  owner_ = afx_detail::TakeConstructingModule();
  if (!owner_) owner_ = AfxGetAppModuleState();
  owner_->m_pCurrentWinApp = this;
  owner_->m_lpszCurrentAppName = appName;
}

CWinApp::~CWinApp() {
  if (owner_->m_pCurrentWinApp == this) {
    owner_->m_pCurrentWinApp = nullptr;
    owner_->m_lpszCurrentAppName = nullptr;
  }
}
