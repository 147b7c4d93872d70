// The framework's wrappers of the Windows common controls, as the original's afxcmn.h declares
// them: the up-down control and the tree control.
#pragma once

#include "afx_common_controls.h"
#include "afxwin.h"
