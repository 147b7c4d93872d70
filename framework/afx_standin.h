// Everything of the stand-in framework in one header, for the host side, the tests, the
// benchmarks and the fuzz targets: the real framework's headers with the stand-in's own
// interfaces (the simulated user, the inspection calls). The real framework has no header of
// this name; the plug-in includes the real framework's header names only.
#pragma once

#include "afx_standin_calls.h"
#include "afx_user.h"
#include "afxcmn.h"
#include "afxext.h"
#include "afxwin.h"
