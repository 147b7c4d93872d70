// The framework's core, as the original's afx.h declares it: the Windows types and constants,
// strings, CObject with its run-time classes, exceptions, files and archives. Windows, dialogs,
// controls and the containers are not here: a source that uses them includes afxwin.h (and
// afxcmn.h for the common controls), as it must with the original.
#pragma once

#include "afx_file.h"
#include "afx_object.h"
#include "afx_string.h"
#include "afx_types.h"
#include "afx_winuser.h"
