// The stand-in's own calls, beyond the real framework's interface: what the host side and the
// tests use to create windows directly, deliver posted messages, see what a window paints and
// what a dialog or a tree holds, find a module's resources and tell why a module did not load.
// The plug-in never includes this; the real framework has none of it.
#pragma once

#include "afx_common_controls.h"
#include "afx_dialog.h"
#include "afx_display_list.h"
#include "afx_draw.h"
#include "afx_resource.h"
#include "afx_string.h"
#include "afx_types.h"

// Creates a window of a registered class (see afx_controls.h) as a child of `parent` (null: a
// top-level window). The window gets WM_CREATE before this returns.
HWND AfxCreateWindow(const char* className, const char* text, DWORD style, DWORD exStyle,
                     const RECT& rect, HWND parent, UINT id);

// Posted messages wait here until the host pumps them.
// Delivers every posted message, including those posted meanwhile; answers how many.
int AfxPumpMessages();
// How many posted messages wait.
int AfxPendingMessages();

// Paints `hWnd`, then its visible descendants over it, each with WM_PAINT, and answers what
// they drew in `hWnd`'s client coordinates. Painting clears the windows' invalid state.
CDisplayList AfxPaintWindow(HWND hWnd);

// Which template a dialog was built from, and whether it has ended, as the simulated user
// needs to know them.
UINT AfxGetDialogTemplateID(const CDialog& dialog);
BOOL AfxIsDialogEnded(const CDialog& dialog);

// The mask of the fields a tree control's item was given (TVIF_TEXT, TVIF_PARAM, ...); 0 for
// an item the tree does not hold.
UINT AfxGetTreeItemMask(const CTreeCtrl& tree, HTREEITEM item);

// Finds resources where the framework looks for them: the current module first, then the
// host application.
const CDialogTemplate* AfxFindDialogTemplate(UINT id);
BOOL AfxLoadString(UINT id, CString& text);
BOOL AfxHasIcon(UINT id);

// Why this thread's last LoadLibraryA failed, in the system's words, on one line.
CString AfxGetLoadLibraryError();
