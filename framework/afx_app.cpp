#include "afx_app.h"

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {}

CWinApp::~CWinApp() = default;
