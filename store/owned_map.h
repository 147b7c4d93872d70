// Helpers for the store's object maps, whose values all have one type and belong to the map.
#pragma once

#include "common/framework.h"

// The value of `key`, or null.
template <class T>
T* FindOwned(const CMapStringToOb& map, const char* key) {
  CObject* value = nullptr;
  return map.Lookup(key, value) ? static_cast<T*>(value) : nullptr;
}

// The value of `key`, created when the key is new or holds nothing.
template <class T>
T& FindOrCreateOwned(CMapStringToOb& map, const char* key) {
  CObject*& value = map[key];
  if (!value) value = new T;
  return *static_cast<T*>(value);
}

// Calls visit(key, value) for each entry that holds a value, in the map's order.
template <class T, class Visit>
void ForEachOwned(const CMapStringToOb& map, Visit visit) {
  CString key;
  CObject* value = nullptr;
  for (POSITION position = map.GetStartPosition(); position;) {
    map.GetNextAssoc(position, key, value);
    if (value) visit(key, *static_cast<T*>(value));
  }
}

// Deletes every value and empties the map.
inline void DeleteOwned(CMapStringToOb& map) {
  ForEachOwned<CObject>(map, [](const CString&, CObject& value) { delete &value; });
  map.RemoveAll();
}
