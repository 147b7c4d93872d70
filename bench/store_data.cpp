#include "store_data.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <tuple>

namespace bench {

namespace {

constexpr unsigned kPactLength = 10;
constexpr unsigned kPactSpacing = 12;
const char* const kConditions[] = {"", "NA", "NA/TR", "OB"};

struct Folder {
  Folder() {
    path = (std::filesystem::temp_directory_path() / "trucelog-bench-XXXXXX").string();
    if (!mkdtemp(path.data())) throw std::runtime_error("cannot create the benchmark folder");
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

std::string GameName(int key) {
  char name[16];
  std::snprintf(name, sizeof name, "Game%05d", key);
  return name;
}

}  // namespace

unsigned TurnInPact(int pact) { return 1 + kPactSpacing * static_cast<unsigned>(pact) + 4; }

std::string RaceName(int race) {
  char name[16];
  std::snprintf(name, sizeof name, "Race%05d", race);
  return name;
}

std::string FirstGameName() { return GameName(0); }

std::vector<PlainSection> MakeSections(const StoreShape& shape) {
  std::vector<PlainSection> sections;
  const int races = (std::max)(1, shape.lines / shape.pactsPerRace);
  for (int first = 0; first < races; first += shape.racesPerKey) {
    PlainSection& section =
        sections.emplace_back(PlainSection{GameName(first / shape.racesPerKey) + "/Xar", {}});
    for (int race = 0; race < shape.racesPerKey && first + race < races; ++race) {
      const std::string raceName = RaceName(race);
      for (int pact = 0; pact < shape.pactsPerRace; ++pact) {
        const unsigned from = 1 + kPactSpacing * static_cast<unsigned>(pact);
        section.pacts.push_back(
            {raceName, from, from + kPactLength - 1, kConditions[(race + pact) % 4]});
      }
    }
  }
  return sections;
}

void WriteSections(std::FILE* file, const std::vector<PlainSection>& sections) {
  for (const PlainSection& section : sections) {
    std::fprintf(file, "@%s\r\n", section.key.c_str());
    for (const PlainPact& pact : section.pacts) {
      std::fprintf(file, "%s,%d,%d,%s\r\n", pact.race.c_str(), static_cast<int>(pact.from),
                   static_cast<int>(pact.to), pact.conditions.c_str());
    }
    std::fputs("\r\n", file);
  }
}

std::size_t WriteStoreFile(const std::string& path, const std::vector<PlainSection>& sections) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write " + path);
  WriteSections(file, sections);
  const long size = std::ftell(file);
  std::fclose(file);
  return static_cast<std::size_t>(size);
}

const ShapeFile& ShapeFileOf(const StoreShape& shape) {
  static std::map<std::tuple<int, int, int>, ShapeFile> files;
  const auto key = std::make_tuple(shape.pactsPerRace, shape.racesPerKey, shape.lines);
  const auto found = files.find(key);
  if (found != files.end()) return found->second;
  ShapeFile file;
  file.path = BenchFolder() + "/Trucelog-" + std::to_string(shape.pactsPerRace) + "-" +
              std::to_string(shape.racesPerKey) + "-" + std::to_string(shape.lines) + ".ini";
  file.size = WriteStoreFile(file.path, MakeSections(shape));
  return files.emplace(key, file).first->second;
}

const std::string& BenchFolder() {
  static const Folder folder;
  return folder.path;
}

}  // namespace bench
