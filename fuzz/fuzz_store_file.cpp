// The pact store file: arbitrary bytes loaded, saved, loaded again and saved again. After each
// load every history is sorted and disjoint, each pact from no later than to. The second save
// writes the first one's bytes: a file the store wrote, with the lines it did not take in,
// reads back into the same store and the same lines.
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

// Every history sorted and disjoint, from <= to.
void CheckHistories(const PactStore& store) {
  CString key;
  CObject* races = nullptr;
  for (POSITION k = store.GetStartPosition(); k;) {
    store.GetNextAssoc(k, key, races);
    if (!races) Fail("a key without its race map");
  }
  ForEachHistory(store, [&](const CString&, const CString&, const PactHistory& history) {
    for (INT_PTR i = 0; i < history.GetSize(); ++i) {
      const PactInterval pact = history.GetInterval(i);
      if (pact.from > pact.to) Fail("a pact that ends before it begins");
      if (i > 0 && history.GetInterval(i - 1).to >= pact.from) Fail("pacts out of order");
    }
  });
}

// Saves to `path` (removing what was there first); answers the bytes, empty when none.
std::string SaveAndRead(PactStore& store, const std::string& path) {
  std::remove(path.c_str());
  CString why;
  if (!store.Save(path.c_str(), why)) Fail("a save into the scratch folder failed");
  return ReadBytes(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = Folder() + "/input.ini";
  const std::string first = Folder() + "/first.ini";
  const std::string second = Folder() + "/second.ini";
  WriteBytes(input, data, size);

  PactStore loaded;
  CString why;
  loaded.Load(input.c_str(), why);
  CheckHistories(loaded);
  const std::string firstBytes = SaveAndRead(loaded, first);

  PactStore reloaded;
  reloaded.Load(first.c_str(), why);
  CheckHistories(reloaded);
  if (SaveAndRead(reloaded, second) != firstBytes) Fail("the second save differs from the first");
  return 0;
}
