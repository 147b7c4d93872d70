// What the pact store file carries back byte for byte. Its text ends at a Ctrl-Z, a line at a
// line feed or a carriage return, and a line holding a zero byte is not read at all; every line
// loses its white space at both ends; a pact line's race ends at its first comma and, when it
// begins with "@", the line reads as a section header; a conditions string splits at "/".
//
// Whatever the plug-in takes in to record (a name or a condition from the host or the person)
// passes the Is...Storable tests first, or is refused where it enters. The store writes back
// what it read from its file as it was.
#pragma once

#include "common/framework.h"

// A store key ("game/own race") as its section header carries it back: not empty, no byte that
// ends a line or the text, no white space at its end. A section whose key fails this is left
// out of the file rather than let its header file the sections after it elsewhere.
BOOL IsStorableKey(const CString& key);

// A race name a pact line carries back: no byte that ends a line or the text, no comma, and
// neither white space nor "@" at its start.
BOOL IsStorableRaceName(const CString& race);

// A condition's abbreviation a pact's conditions string carries back, as the settings store
// does: not empty, no byte that ends a line or the text, no "/" or ",", no white space at
// either end.
BOOL IsStorableAbbreviation(const CString& abbreviation);
