// The client's settings store on disk: the file in the game folder that keeps what the plug-in
// writes through "WriteRegistry" from one run of the client to the next. One "name = value" a
// line, sorted by name, readable and editable; any byte a name or value may hold is written
// as %XX where it would be unsafe or unreadable.
#pragma once

#include <string>
#include <vector>

#include "common/settings_store.h"
#include "request_map.h"

inline constexpr const char* kSettingsFileName = "client-settings.txt";

// %XX for "%", bytes below 0x20 and from 0x7F, and blanks at either end; in names also "=".
std::string EscapeSetting(const std::string& text, bool isName);
std::string UnescapeSetting(const std::string& text);

// The settings in `path`; a missing file holds none. Lines that are not "name = value" are
// skipped, each noted in `skipped` as "LINE: text".
Entries LoadSettingsFile(const std::string& path, std::vector<std::string>* skipped = nullptr);
// Replaces the file with `settings`, only once the new one is complete. False when it could
// not be written; the old file is then left as it was.
bool SaveSettingsFile(const std::string& path, const Entries& settings);

// Settings as the plug-in's own code reads them, to show what the plug-in keeps there; the
// console host never writes them this way.
class SettingsEntries final : public SettingsStore {
 public:
  explicit SettingsEntries(const Entries& entries) : entries_(entries) {}

  BOOL ReadSetting(const char* name, CString& value, CString* error = nullptr) override;
  BOOL WriteSetting(const char* name, const char* value, CString* error = nullptr) override;

 private:
  const Entries& entries_;
};
