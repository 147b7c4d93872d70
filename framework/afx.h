// The umbrella header of the stand-in application framework: what a plug-in module includes
// to see the framework's classes and the Windows calls it stands in for.
#pragma once

#include "afx_app.h"
#include "afx_collections.h"
#include "afx_controls.h"
#include "afx_dialog.h"
#include "afx_docview.h"
#include "afx_draw.h"
#include "afx_file.h"
#include "afx_frame.h"
#include "afx_module.h"
#include "afx_string.h"
#include "afx_types.h"
#include "afx_user.h"
#include "afx_window.h"
#include "afx_winuser.h"
