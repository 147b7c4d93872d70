// What the dialogs say when the player typed a name or an abbreviation the pact store file
// could not carry back: the first character at fault, in the player's words. The rules
// themselves are the store's; this only finds where a text breaks them.
#pragma once

#include "common/framework.h"

using StorableTest = BOOL (*)(const CString& text);

// For a text `storable` refuses: `what` ("A race name") and why, e.g. "A race name cannot
// begin with "@"." followed by a line on the store file.
CString RefusalOf(const CString& text, StorableTest storable, const char* what);
