// The framework headers every source of the plug-in sees, by the real framework's names: its
// standard components, its extensions and its common controls. The plug-in's sources reach the
// framework through this header alone, so that they build unchanged against the real framework.
#pragma once

// In the order the framework's documentation gives them.
// clang-format off
#include <afxwin.h>  // the core, windows, dialogs, documents and views
#include <afxext.h>  // the extensions
#include <afxcmn.h>  // the common controls (the up-down and the tree)
// clang-format on
