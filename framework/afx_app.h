// CWinApp: the framework's application object. A plug-in module derives its one application
// object from it; it belongs to the module whose static objects are being constructed (the
// host application's when no module is).
#pragma once

#include "afx_window.h"

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  const char* m_pszAppName;

 private:
  class AFX_MODULE_STATE* owner_;
};
