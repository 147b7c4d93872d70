// The framework's part that lives inside each module (library afx_module): the module's own
// state, holding the resource script compiled into the module.
#include "afx_module.h"

// The module's resource script, compiled into the module as text.
extern const char afxResourceScript[];

AFX_MODULE_STATE* AfxGetStaticModuleState() {
  static AFX_MODULE_STATE state(afxResourceScript);
  return &state;
}

namespace {

// Runs before the module's own static objects, as the framework's DLL start-up does, so that
// the module's application object is constructed into the module's state.
__attribute__((constructor(101))) void EnterModuleConstruction() {
  afx_detail::SetConstructingModule(AfxGetStaticModuleState());
}

}  // namespace
