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

std::string ValueOf(const CMapStringToString& request, const char* key) {
  CString value;
  request.Lookup(key, value);
  return value.GetString();
}

bool AnswerSettingsStore(Entries& settings, CMapStringToString& request) {
  const std::string function = ValueOf(request, "Function");
  const std::string name = ValueOf(request, "Name");
  if (function == "ReadRegistry") {
    const auto found = settings.find(name);
    if (found != settings.end()) request.SetAt(name.c_str(), found->second.c_str());
    return true;
  }
  if (function == "WriteRegistry") {
    settings[name] = ValueOf(request, name.c_str());
    return true;
  }
  return false;
}
