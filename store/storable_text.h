// What the pact store file carries back byte for byte. Its text ends at a Ctrl-Z, a line's text
// at a zero byte, a line at a line break; every line loses its white space at both ends; a
// pact line's race ends at its first comma and, when it begins with "@", the line reads as a
// section header; a conditions string splits at "/". Whatever the plug-in records passes these
// tests first, so that it comes back identically after a restart; what fails them is refused
// where it enters.
#pragma once

#include "afx.h"

// A store key ("game/own race") as its section header carries it: not empty, no line-ending
// byte, no white space at its end.
BOOL IsStorableKey(const CString& key);

// A race name as the head of a pact line carries it: no line-ending byte, no comma, and
// neither white space nor "@" at its start.
BOOL IsStorableRaceName(const CString& race);

// A condition's abbreviation as a pact's conditions string carries it, and the settings store
// gives it back: not empty, no line-ending byte, no "/" or ",", no white space at either end.
BOOL IsStorableAbbreviation(const CString& abbreviation);
