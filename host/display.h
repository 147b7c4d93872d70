// Shows the plug-in's single-byte text (the host's Cyrillic ANSI code page) on a UTF-8
// terminal. For display only: the bytes exchanged with the plug-in are never converted.
#pragma once

#include <string>

std::string ShowAnsi(const std::string& bytes);
