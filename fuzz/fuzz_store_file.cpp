// The pact store file: arbitrary bytes loaded, saved, loaded again and saved again. After each
// load every history is sorted and disjoint, each pact from no later than to. The second save
// writes the first one's bytes: a file the store wrote reads back into the same store. What a
// first save may write that the next load drops by design (a key or race left without pacts by
// a line whose from turn comes after its to turn) is set aside before comparing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "store/pact_store.h"

namespace {

const std::string& Folder() {
  static const std::string folder = fuzz::ScratchFolder();
  return folder;
}

void Fail(const char* what) {
  std::fprintf(stderr, "store file: %s\n", what);
  std::abort();
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

template <class Visit>
void ForEachHistory(const PactStore& store, Visit visit) {
  CString key, race;
  CObject* races = nullptr;
  for (POSITION k = store.GetStartPosition(); k;) {
    store.GetNextAssoc(k, key, races);
    const auto* pacts = static_cast<const RacePacts*>(races);
    CObject* history = nullptr;
    for (POSITION r = pacts->GetStartPosition(); r;) {
      pacts->GetNextAssoc(r, race, history);
      visit(key, race, *static_cast<const PactHistory*>(history));
    }
  }
}

// Every history sorted and disjoint, from <= to; answers whether the store is tidy: no key
// without races and no race without pacts.
bool CheckHistories(const PactStore& store) {
  bool tidy = true;
  CString key;
  CObject* races = nullptr;
  for (POSITION k = store.GetStartPosition(); k;) {
    store.GetNextAssoc(k, key, races);
    if (!races) Fail("a key without its race map");
    if (static_cast<const RacePacts*>(races)->IsEmpty()) tidy = false;
  }
  ForEachHistory(store, [&](const CString&, const CString&, const PactHistory& history) {
    if (history.GetSize() == 0) tidy = false;
    for (INT_PTR i = 0; i < history.GetSize(); ++i) {
      const PactInterval pact = history.GetInterval(i);
      if (pact.from > pact.to) Fail("a pact that ends before it begins");
      if (i > 0 && history.GetInterval(i - 1).to >= pact.from) Fail("pacts out of order");
    }
  });
  return tidy;
}

// The file's sections with their lines, sorted, sections without pact lines left out: the file
// up to the order of sections and of races.
std::vector<std::vector<std::string>> Sections(const std::string& file) {
  std::vector<std::vector<std::string>> sections;
  std::vector<std::string> section;
  std::size_t start = 0;
  for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = file.substr(start, end - start);
    if (!line.empty()) {
      section.push_back(std::move(line));
      continue;
    }
    if (section.size() > 1) {
      std::sort(section.begin() + 1, section.end());
      sections.push_back(section);
    }
    section.clear();
  }
  if (start != file.size() || !section.empty())
    Fail("a saved file that does not end its last section");
  std::sort(sections.begin(), sections.end());
  return sections;
}

// Saves to `path` (removing what was there first); answers the bytes, empty when none.
std::string SaveAndRead(const PactStore& store, const std::string& path) {
  std::remove(path.c_str());
  store.Save(path.c_str());
  return ReadBytes(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = Folder() + "/input.ini";
  const std::string first = Folder() + "/first.ini";
  const std::string second = Folder() + "/second.ini";
  WriteBytes(input, data, size);

  PactStore loaded;
  loaded.Load(input.c_str());
  const bool tidy = CheckHistories(loaded);
  const std::string firstBytes = SaveAndRead(loaded, first);
  if (loaded.IsEmpty() != firstBytes.empty())
    Fail("a store saved to nothing, or nothing to a file");

  PactStore reloaded;
  reloaded.Load(first.c_str());
  if (!CheckHistories(reloaded)) Fail("a saved file that loads into empty keys or races");
  const std::string secondBytes = SaveAndRead(reloaded, second);

  if (tidy) {
    if (secondBytes != firstBytes) Fail("the second save differs from the first");
  } else {
    if (Sections(secondBytes) != Sections(firstBytes)) Fail("the second save lost or gained pacts");
    PactStore again;
    again.Load(second.c_str());
    if (SaveAndRead(again, first) != secondBytes) Fail("a file the store wrote does not save back");
  }
  return 0;
}
