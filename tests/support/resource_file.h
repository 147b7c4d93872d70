// A compiled resource file (.res) as the resource compiler writes it, read into memory: a source
// of compiled resources the framework's reader can be pointed at without a Windows module.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "afx_resource.h"

class ResourceFile : public CCompiledResources::Source {
 public:
  // Reads `path`; `Count` is 0 when the file could not be read or held no resources.
  explicit ResourceFile(const std::string& path);

  std::size_t Count() const { return resources_.size(); }

  bool Find(WORD type, WORD id, std::string_view& bytes, WORD& language) const override;
  // The resources' texts are plain ASCII.
  CString Narrow(std::u16string_view text) const override;

 private:
  struct Resource {
    std::string bytes;
    WORD language;
  };
  std::map<std::pair<WORD, WORD>, Resource> resources_;  // by type and id, numbered ones only
};
