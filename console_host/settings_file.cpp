#include "settings_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kHeader =
    "# The game client's settings store, kept by trucelog-host: one \"name = value\" a line.\n"
    "# Bytes that would be unsafe here are written %XX (hexadecimal), \"%\" itself as %25.\n";

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

}  // namespace

std::string EscapeSetting(const std::string& text, bool isName) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto code = static_cast<unsigned char>(text[i]);
    // Blanks at the ends would be lost to editors that trim lines; "#" first would read as a
    // comment.
    const bool edgeBlank = (code == ' ' || code == '\t') && (i == 0 || i + 1 == text.size());
    const bool unsafe = code < 0x20 || code >= 0x7F || code == '%' || edgeBlank ||
                        (isName && (code == '=' || (i == 0 && code == '#')));
    if (unsafe) {
      escaped += '%';
      escaped += kHex[code >> 4];
      escaped += kHex[code & 0xF];
    } else {
      escaped += static_cast<char>(code);
    }
  }
  return escaped;
}

std::string UnescapeSetting(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low >= 0) {
      plain += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

Entries LoadSettingsFile(const std::string& path, std::vector<std::string>* skipped) {
  Entries settings;
  std::ifstream file(path, std::ios::binary);
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) {
      if (skipped) skipped->push_back(std::to_string(number) + ": " + line);
      continue;
    }
    std::string name = line.substr(0, equals);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    std::size_t valueAt = equals + 1;
    if (valueAt < line.size() && line[valueAt] == ' ') ++valueAt;
    settings[UnescapeSetting(name)] = UnescapeSetting(line.substr(valueAt));
  }
  return settings;
}

bool SaveSettingsFile(const std::string& path, const Entries& settings) {
  std::ostringstream text;
  text << kHeader;
  for (const auto& [name, value] : settings) {
    text << EscapeSetting(name, true) << " =";
    if (!value.empty()) text << ' ' << EscapeSetting(value, false);
    text << '\n';
  }
  const std::string fresh = path + ".new";
  {
    std::ofstream file(fresh, std::ios::binary | std::ios::trunc);
    if (!(file << text.str()) || !file.flush()) {
      std::remove(fresh.c_str());
      return false;
    }
  }
  // std::rename would not replace the old file on Windows.
  std::error_code error;
  std::filesystem::rename(fresh, path, error);
  if (error) {
    std::remove(fresh.c_str());
    return false;
  }
  return true;
}

BOOL SettingsEntries::ReadSetting(const char* name, CString& value, CString*) {
  const auto found = entries_.find(name);
  value = found == entries_.end() ? "" : found->second.c_str();
  return TRUE;
}

BOOL SettingsEntries::WriteSetting(const char*, const char*, CString* error) {
  if (error) *error = "read only";
  return FALSE;
}
