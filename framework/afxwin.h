// The framework's standard components, as the original's afxwin.h declares them: the core and
// the containers, command targets and message maps, windows and the standard controls, dialogs
// with their data exchange, the message box, the application object, module states, documents,
// views and their templates, frame windows and device contexts.
#pragma once

#include "afx.h"
#include "afx_app.h"
#include "afx_controls.h"
#include "afx_dialog.h"
#include "afx_docview.h"
#include "afx_draw.h"
#include "afx_frame.h"
#include "afx_module.h"
#include "afx_window.h"
#include "afxcoll.h"
