// The thirteen entry points the host calls (res/entry_points.h), each exported under its plain name
// and under the decorated name the client resolves, both at the same function. This file holds all
// of the module's compiler-specific export code:
//  - The Visual C++ toolchain gives each function that decorated name itself (a __cdecl free
//    function of its signature); Trucelog.def exports it under both names.
//  - mingw-w64's g++ is told to give each function the same name, so that the same export list
//    serves; on 32-bit Windows the target's leading underscore goes before it.
//  - A shared object exports each under its g++ name and, as an alias of the same code, under
//    its plain name; a linker version script keeps every other symbol of the module local.
#include "common/framework.h"
#include "plugin/globals.h"
#include "res/entry_points.h"

#if defined(_MSC_VER)
#define EXPORTED
#define DECORATED_AS(name)
#elif defined(_WIN32)
#define EXPORTED
#define LABEL_TEXT(text) #text
#define LABEL_PREFIX(prefix) LABEL_TEXT(prefix)
// Quoted, since the assembler takes no '?' or '@' in a bare name.
#define DECORATED_AS(name) __asm__("\"" LABEL_PREFIX(__USER_LABEL_PREFIX__) name "\"")
#else
#define EXPORTED __attribute__((visibility("default")))
#define DECORATED_AS(name)
#endif

// What each kind of entry point takes, as parameters, as arguments and as bare types.
#define PARAMETERS_NoArguments ()
#define PARAMETERS_MapOnly (CMapStringToString & map)
#define PARAMETERS_MapAndArray (CMapStringToString & map, CStringArray & array)
#define ARGUMENTS_NoArguments ()
#define ARGUMENTS_MapOnly (map)
#define ARGUMENTS_MapAndArray (map, array)
#define TYPES_NoArguments
#define TYPES_MapOnly CMapStringToString&
#define TYPES_MapAndArray CMapStringToString&, CStringArray&

#define DECLARE_ENTRY_POINT(name, kind, windowsName, gnuName) \
  EXPORTED void __cdecl name PARAMETERS_##kind DECORATED_AS(windowsName);
TRUCELOG_ENTRY_POINTS(DECLARE_ENTRY_POINT)

namespace {

// No exception may reach the host: a call that runs out of memory ends there, having changed
// nothing it could not finish (the store makes its room before it changes a pact).
template <class Call>
void Guarded(Call call) {
  try {
    call();
  } catch (CException* error) {
    error->Delete();
  } catch (...) {
  }
}

}  // namespace

// Each entry point first makes the module's own state current, so that the framework finds the
// module's dialogs and strings; the previous state returns when it does.
#define DEFINE_ENTRY_POINT(name, kind, windowsName, gnuName) \
  void __cdecl name PARAMETERS_##kind {                      \
    AFX_MANAGE_STATE(AfxGetStaticModuleState());             \
    Guarded([&] { theApp.name ARGUMENTS_##kind; });          \
  }
TRUCELOG_ENTRY_POINTS(DEFINE_ENTRY_POINT)

#if !defined(_WIN32)
// The plain name, an alias of the function under its g++ name.
#define PLAIN_ALIAS(name, kind, windowsName, gnuName) \
  extern "C" EXPORTED void Plain##name(TYPES_##kind) __asm__(#name) __attribute__((alias(gnuName)));
TRUCELOG_ENTRY_POINTS(PLAIN_ALIAS)
#endif
