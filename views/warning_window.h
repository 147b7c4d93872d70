// The expiry warning window: a document holding the warning lines of one game and own race,
// computed once when it opens, and a scrolling view painting them in coloured bands, inside a
// child frame of the host's main window. Every opening makes a new window; windows of other
// games are hidden, not closed, when the player switches games.
#pragma once

#include "common/framework.h"

// UpdateAllViews hint: show the window when its game is the current one, hide it otherwise.
inline constexpr LPARAM kShowOrHideHint = 1;
