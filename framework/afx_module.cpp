#include "afx_module.h"

#include <algorithm>
#include <string>

#include "afx_app.h"
#include "afx_platform.h"
#include "afx_standin_calls.h"

namespace {

AFX_MODULE_STATE* currentState = nullptr;
AFX_MODULE_STATE* constructingModule = nullptr;

// A module's compiled resources, found through the platform's loader.
class ModuleSource final : public CCompiledResources::Source {
 public:
  explicit ModuleSource(HINSTANCE module) : module_(module) {}
  bool Find(WORD type, WORD id, std::string_view& bytes, WORD& language) const override {
    return afx_platform::Default().FindModuleResource(module_, type, id, bytes, language);
  }
  CString Narrow(std::u16string_view text) const override {
    const std::string narrow = afx_platform::Default().NarrowText(text);
    return CString(narrow.data(), static_cast<int>(narrow.size()));
  }

 private:
  HINSTANCE module_;
};

template <class Find>
auto FindInModules(Find find) -> decltype(find(nullptr)) {
  for (AFX_MODULE_STATE* state : {AfxGetModuleState(), AfxGetAppModuleState()}) {
    if (const CModuleResources* resources = state->Resources()) {
      if (auto found = find(resources)) return found;
    }
  }
  return {};
}

}  // namespace

AFX_MODULE_STATE::AFX_MODULE_STATE(const char* resourceScript) : script_(resourceScript) {}

AFX_MODULE_STATE::AFX_MODULE_STATE(HINSTANCE resourceModule)
    : m_hCurrentResourceHandle(resourceModule) {}

AFX_MODULE_STATE::~AFX_MODULE_STATE() = default;

const CModuleResources* AFX_MODULE_STATE::Resources() const {
  if (!resources_ && script_) resources_ = std::make_unique<CResourceScript>(script_);
  if (!resources_ && m_hCurrentResourceHandle) {
    resources_ = std::make_unique<CCompiledResources>(
        std::make_unique<ModuleSource>(m_hCurrentResourceHandle));
  }
  return resources_.get();
}

AFX_MODULE_STATE* AfxGetAppModuleState() {
  static AFX_MODULE_STATE appState;
  return &appState;
}

AFX_MODULE_STATE* AfxGetModuleState() {
  return currentState ? currentState : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_MODULE_STATE* previous = AfxGetModuleState();
  currentState = state;
  return previous;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state)
    : previous_(AfxSetModuleState(state)) {}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() { AfxSetModuleState(previous_); }

CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

const char* AfxGetAppName() {
  const char* name = AfxGetModuleState()->m_lpszCurrentAppName;
  return name ? name : "";
}

const CDialogTemplate* AfxFindDialogTemplate(UINT id) {
  return FindInModules(
      [id](const CModuleResources* resources) { return resources->FindDialog(id); });
}

BOOL AfxLoadString(UINT id, CString& text) {
  return FindInModules([&](const CModuleResources* resources) {
    return resources ? resources->FindString(id, text) : FALSE;
  });
}

BOOL AfxHasIcon(UINT id) {
  return FindInModules([id](const CModuleResources* resources) {
    return resources ? resources->HasIcon(id) : FALSE;
  });
}

#ifdef _WIN32

CString AfxGetLoadLibraryError() { return afx_platform::SystemErrorText(GetLastError()).c_str(); }

#else

namespace {
thread_local std::string lastLoadError;
}  // namespace

CString AfxGetLoadLibraryError() { return lastLoadError.c_str(); }

HMODULE LoadLibraryA(LPCSTR fileName) {
  lastLoadError.clear();
  return afx_platform::Default().OpenModule(fileName, lastLoadError);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  return reinterpret_cast<FARPROC>(afx_platform::Default().ModuleExport(module, procName));
}

BOOL FreeLibrary(HMODULE module) {
  if (!module) return FALSE;
  afx_platform::Default().CloseModule(module);
  return TRUE;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  std::string path;
  if (module || !fileName || size == 0 || !afx_platform::Default().ProgramFile(path)) return 0;
  // Too long a name is cut to fit with its terminator, and the whole size is answered.
  const DWORD length = static_cast<DWORD>((std::min<std::size_t>)(path.size(), size - 1));
  std::copy_n(path.c_str(), length, fileName);
  fileName[length] = '\0';
  return path.size() < size ? length : size;
}

#endif

namespace afx_detail {

void SetConstructingModule(AFX_MODULE_STATE* state) { constructingModule = state; }

AFX_MODULE_STATE* TakeConstructingModule() {
  AFX_MODULE_STATE* state = constructingModule;
  constructingModule = nullptr;
  return state;
}

}  // namespace afx_detail
