// The umbrella header of the stand-in application framework: what a plug-in module includes
// to see the framework's classes and the Windows calls it stands in for.
#pragma once

#include "afx_app.h"
#include "afx_collections.h"
#include "afx_file.h"
#include "afx_string.h"
#include "afx_types.h"
