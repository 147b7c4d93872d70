// The plain baselines of loading and saving: a store that keeps the same data as the plug-in's
// (every pact's turns and conditions, per key and race) in ordinary standard containers, read
// the straightforward way; the same lines read without keeping anything; and the lines written
// by fprintf as the store saves them.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "store_data.h"

namespace bench {

struct PlainTerm {
  unsigned from;
  unsigned to;
  std::string conditions;
};

// Store key to race to the race's pacts, in file order.
using PlainRaces = std::unordered_map<std::string, std::vector<PlainTerm>>;
using PlainStore = std::unordered_map<std::string, PlainRaces>;

// Each line by std::getline; a header opens its key, a pact line's numbers go through strtol
// and the pact is appended to its race.
void LoadPlainStore(const std::string& path, PlainStore& store);

// Each line by std::getline, its two numbers by strtol, nothing kept: the least a reading of
// the file can cost.
long ReadLinesPlainly(const std::string& path);

// fprintf into one buffered stream beside the file, flushed, synced, closed and moved over the
// file, the folder synced: as the store saves.
void WritePlainly(const std::vector<PlainSection>& sections, const std::string& path);

}  // namespace bench
