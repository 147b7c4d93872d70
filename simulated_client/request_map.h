// Conversions between the framework's string map and a sorted standard map, for building
// requests and for comparing what was exchanged.
#pragma once

#include <map>
#include <string>

#include "afx_standin.h"

using Entries = std::map<std::string, std::string>;

Entries Snapshot(const CMapStringToString& map);
void Fill(CMapStringToString& map, const Entries& entries);
// The value under `key`; empty when there is none.
std::string ValueOf(const CMapStringToString& request, const char* key);

// The host's settings store: "ReadRegistry" answers the value kept under "Name", where there is
// one; "WriteRegistry" keeps the value the request carries under it. False for other functions.
bool AnswerSettingsStore(Entries& settings, CMapStringToString& request);
