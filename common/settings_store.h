// The host's settings store as the layers below the application object see it: named texts
// that can be read and written. The application object answers through the host's callback;
// the console host, from the settings file it keeps for the client.
#pragma once

#include "common/framework.h"

class SettingsStore {
 public:
  // The value of `name`, empty when it is not set. FALSE when the store refused to answer: then
  // the empty `value` says nothing about what it holds, and `error`, when given, receives why.
  virtual BOOL ReadSetting(const char* name, CString& value, CString* error = nullptr) = 0;
  // FALSE when the store refused the write; `error`, when given, receives why.
  virtual BOOL WriteSetting(const char* name, const char* value, CString* error = nullptr) = 0;

 protected:
  ~SettingsStore() = default;
};
