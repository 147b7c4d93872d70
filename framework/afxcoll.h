// The framework's containers, as the original's afxcoll.h declares them: arrays, lists and maps
// of strings, words and objects.
#pragma once

#include "afx.h"
#include "afx_collections.h"
