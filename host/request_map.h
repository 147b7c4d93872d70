// Conversions between the framework's string map and a sorted standard map, for building
// requests and for comparing what was exchanged.
#pragma once

#include <map>
#include <string>

#include "afx.h"

using Entries = std::map<std::string, std::string>;

Entries Snapshot(const CMapStringToString& map);
void Fill(CMapStringToString& map, const Entries& entries);
