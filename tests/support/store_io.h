// The store's Load and Save for tests that look only at the file and the pacts: a failure's
// reason is left out, its result kept.
#pragma once

#include "store/pact_store.h"

inline BOOL LoadStore(PactStore& store, const char* path) {
  CString why;
  return store.Load(path, why);
}

inline BOOL SaveStore(PactStore& store, const char* path) {
  CString why;
  return store.Save(path, why);
}
