#include "request_map.h"

Entries Snapshot(const CMapStringToString& map) {
  Entries entries;
  CString key, value;
  for (POSITION position = map.GetStartPosition(); position;) {
    map.GetNextAssoc(position, key, value);
    entries[key.GetString()] = value.GetString();
  }
  return entries;
}

void Fill(CMapStringToString& map, const Entries& entries) {
  for (const auto& [key, value] : entries) map.SetAt(key.c_str(), value.c_str());
}
