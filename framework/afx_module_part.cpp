// The framework's part that lives inside each module (library afx_module): the module's own
// state, holding the resources compiled into the module.
#include "afx_module.h"

#ifdef _WIN32

// The resource compiler's output is in this module's resource section.
AFX_MODULE_STATE* AfxGetStaticModuleState() {
  static AFX_MODULE_STATE state([] {
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&AfxGetStaticModuleState), &self);
    return self;
  }());
  return &state;
}

#else

// The module's resource script, compiled into the module as text.
extern const char afxResourceScript[];

AFX_MODULE_STATE* AfxGetStaticModuleState() {
  static AFX_MODULE_STATE state(afxResourceScript);
  return &state;
}

#endif

namespace {

// Runs before the module's own static objects, as the framework's DLL start-up does, so that
// the module's application object is constructed into the module's state.
__attribute__((constructor(101))) void EnterModuleConstruction() {
  afx_detail::SetConstructingModule(AfxGetStaticModuleState());
}

}  // namespace
