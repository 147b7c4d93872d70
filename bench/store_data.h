// The data the benchmarks run on: pact store files of a chosen size with many keys and races,
// and the same pacts as plain standard containers for the baselines. Every race holds pacts of
// ten turns two turns apart, so no two of its pacts adjoin, with short conditions.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct PlainPact {
  std::string race;
  unsigned from;
  unsigned to;
  std::string conditions;
};

struct PlainSection {
  std::string key;
  std::vector<PlainPact> pacts;
};

struct StoreShape {
  int keys;
  int racesPerKey;
  int pactsPerRace;
};

// A turn inside pact `pact` of every race.
unsigned TurnInPact(int pact);
std::string RaceName(int race);

std::vector<PlainSection> MakeSections(const StoreShape& shape);

// Writes the sections as the store file's lines, CR LF ended; answers the file's size.
std::size_t WriteStoreFile(const std::string& path, const std::vector<PlainSection>& sections);

// A folder for the suite's files, created on first use and removed when the program ends.
const std::string& BenchFolder();

}  // namespace bench
