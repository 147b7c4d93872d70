// CWinApp: the framework's application object. A plug-in module derives its one application
// object from it; it belongs to the module whose static objects are being constructed (the
// host application's when no module is). It owns the document templates added to it; the
// host application's object also holds the main window.
#pragma once

#include <vector>

#include "afx_window.h"

class CDocTemplate;

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)

 public:
  explicit CWinApp(const char* appName = nullptr);
  // Closes the documents of its templates, then deletes the templates.
  ~CWinApp() override;

  const char* m_pszAppName;
  CWnd* m_pMainWnd;

  // The application takes ownership; the template loads its strings and icon now if it has
  // not found them yet.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  void CloseAllDocuments(BOOL bEndSession);

  // The icon resource `nIDResource` of the current module or the host application; null when
  // neither has it.
  HICON LoadIcon(UINT nIDResource) const;

 protected:
  // The new-document command. With one template it opens a new document of it without asking;
  // with none nothing opens. With several the original asks which type, which is not built
  // here: nothing opens either.
  void OnFileNew();

 private:
  class AFX_MODULE_STATE* owner_;
  std::vector<CDocTemplate*> templates_;
};

// The current module's main window or, for a module whose application has none (a plug-in's),
// the host application's: the windows a plug-in opens go into the host's main window.
CWnd* AfxGetMainWnd();
