// CWinApp: the framework's application object. A plug-in module derives its one application
// object from it; the host's framework knows it by its name.
#pragma once

#include "afx_collections.h"

class CWinApp : public CObject {
 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  const char* m_pszAppName;
};
