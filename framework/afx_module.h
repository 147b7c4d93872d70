// Module states: each module that carries resources (the host application, a plug-in module)
// has one, and the current one decides where a dialog template, a string or an icon is found
// and which application object AfxGetApp answers. A plug-in makes its own state current at each
// entry point (AFX_MANAGE_STATE) and may switch to the host application's for a while
// (AFX_MAINTAIN_STATE2), so that the windows it opens then belong to the host's main window.
#pragma once

#include <memory>

#include "afx_string.h"

class CModuleResources;
class CWinApp;

class AFX_MODULE_STATE {
 public:
  // `resourceScript`: the module's resource script, parsed when first needed; null for none.
  explicit AFX_MODULE_STATE(const char* resourceScript = nullptr);
  // A module whose resources the resource compiler compiled into it.
  explicit AFX_MODULE_STATE(HINSTANCE resourceModule);
  ~AFX_MODULE_STATE();
  AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
  AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

  // The module's resources; null when it has none.
  const CModuleResources* Resources() const;

  CWinApp* m_pCurrentWinApp = nullptr;
  const char* m_lpszCurrentAppName = nullptr;
  // The module the compiled resources are found in; null for a module with a script or none.
  HINSTANCE m_hCurrentResourceHandle = nullptr;

 private:
  const char* script_ = nullptr;
  mutable std::unique_ptr<CModuleResources> resources_;
};

AFX_MODULE_STATE* AfxGetModuleState();
// The host application's state, current whenever no module has made its own current.
AFX_MODULE_STATE* AfxGetAppModuleState();
// Makes `state` current; answers the state that was.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state);
// The calling module's own state. Defined once in each module by the framework's module part
// (library afx_module), which also makes it the home of the module's application object.
AFX_MODULE_STATE* AfxGetStaticModuleState();

// Makes a module state current for the lifetime of the object, then restores the previous one.
class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state);
  ~AFX_MAINTAIN_STATE2();
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

 private:
  AFX_MODULE_STATE* previous_;
};

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)

// The application object and its name in the current module state.
CWinApp* AfxGetApp();
const char* AfxGetAppName();

#ifndef _WIN32
// Windows calls on modules; Windows itself declares them in <windows.h>. A module path is a
// Windows path; GetModuleFileNameA knows only the program's own file (a null module).
HMODULE LoadLibraryA(LPCSTR fileName);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
BOOL FreeLibrary(HMODULE module);
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
#endif

namespace afx_detail {
// The module whose static objects are being constructed: its application object belongs to it.
void SetConstructingModule(AFX_MODULE_STATE* state);
AFX_MODULE_STATE* TakeConstructingModule();
}  // namespace afx_detail
