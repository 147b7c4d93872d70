// The data the benchmarks run on: pact store files of a chosen shape (pacts per race, races per
// store key, pact lines in all), and the same pacts as plain standard containers for the
// baselines. A race's pacts last ten turns and lie two turns apart, so no two of them adjoin;
// their conditions are short.
#pragma once

#include <cstddef>
#include <cstdio>
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

// Every race holds `pactsPerRace` pacts and every key `racesPerKey` races, but the last, which
// may hold fewer; `lines` / `pactsPerRace` races in all.
struct StoreShape {
  int pactsPerRace;
  int racesPerKey;
  int lines;
};

// The shapes the grid figures are measured at: how many pacts a race holds, how many races a
// game holds, how long the file is.
inline constexpr int kGridPacts[] = {1, 3, 10};
inline constexpr int kGridRaces[] = {20, 100, 1000};
inline constexpr int kGridLines[] = {10000, 100000, 1000000};

// A turn inside pact `pact` of every race.
unsigned TurnInPact(int pact);
std::string RaceName(int race);
// The key of the first section: game "Game00000", own race "Xar".
std::string FirstGameName();

std::vector<PlainSection> MakeSections(const StoreShape& shape);

// Writes the sections to `file` as the store file's lines, CR LF ended.
void WriteSections(std::FILE* file, const std::vector<PlainSection>& sections);
// Writes the sections as the store file; answers the file's size.
std::size_t WriteStoreFile(const std::string& path, const std::vector<PlainSection>& sections);

// The store file of `shape` in the benchmark folder, written on first use.
struct ShapeFile {
  std::string path;
  std::size_t size;
};
const ShapeFile& ShapeFileOf(const StoreShape& shape);

// A folder for the suite's files, created on first use and removed when the program ends.
const std::string& BenchFolder();

}  // namespace bench
