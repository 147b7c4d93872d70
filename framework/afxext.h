// The framework's extensions, as the original's afxext.h is included: the stand-in builds none
// of its classes, so it brings only the standard components.
#pragma once

#include "afxwin.h"
