// Shows the plug-in's single-byte text (the host's Cyrillic ANSI code page) on a UTF-8
// terminal, and takes what a person types in UTF-8 into that code page. Only text shown or
// typed is converted; the bytes exchanged with the plug-in are never touched on their way.
#pragma once

#include <string>

std::string ShowAnsi(const std::string& bytes);
// The same with the bytes no terminal should get (line ends and other controls) written \xHH, so
// that the text stays on its line.
std::string ShowAnsiOnOneLine(const std::string& bytes);
// The characters ShowAnsi shows, back as the code page's bytes; any other byte, and any UTF-8
// character the code page lacks, stays as it was.
std::string TypedAnsi(const std::string& utf8);

// How many terminal cells UTF-8 text takes (one a character; no wide characters are used).
std::size_t DisplayWidth(const std::string& utf8);
// `utf8` padded with blanks to `width` cells.
std::string PadRight(const std::string& utf8, std::size_t width);
