#include "support/resource_file.h"

#include <fstream>
#include <iterator>

namespace {

DWORD Little(const std::string& bytes, std::size_t at, int size) {
  DWORD value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

// Each resource: data size, header size, type and name (0xFFFF and a number, or a string),
// then at the header's end its data; every header starts on a double word.
ResourceFile::ResourceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::size_t at = 0;
  while (file.size() - at >= 32) {
    const DWORD dataSize = Little(file, at, 4);
    const DWORD headerSize = Little(file, at + 4, 4);
    if (headerSize < 32 || file.size() - at < std::size_t{headerSize} + dataSize) break;
    const bool numbered = Little(file, at + 8, 2) == 0xFFFF && Little(file, at + 12, 2) == 0xFFFF;
    if (numbered && dataSize > 0) {
      const WORD type = static_cast<WORD>(Little(file, at + 10, 2));
      const WORD id = static_cast<WORD>(Little(file, at + 14, 2));
      // After type and name: data version, memory flags, then the language.
      const WORD language = static_cast<WORD>(Little(file, at + 16 + 4 + 2, 2));
      resources_[{type, id}] = {file.substr(at + headerSize, dataSize), language};
    }
    at += headerSize + dataSize;
    at += (4 - at % 4) % 4;
  }
}

bool ResourceFile::Find(WORD type, WORD id, std::string_view& bytes, WORD& language) const {
  const auto found = resources_.find({type, id});
  if (found == resources_.end()) return false;
  bytes = found->second.bytes;
  language = found->second.language;
  return true;
}

CString ResourceFile::Narrow(std::u16string_view text) const {
  std::string narrow;
  for (char16_t unit : text) narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
  return CString(narrow.data(), static_cast<int>(narrow.size()));
}
