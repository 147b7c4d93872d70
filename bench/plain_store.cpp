#include "plain_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace bench {

void LoadPlainStore(const std::string& path, PlainStore& store) {
  std::ifstream in(path);
  std::string line;
  PlainRaces* races = nullptr;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line[0] == '@') {
      races = &store[line.substr(1)];
      continue;
    }
    const std::size_t comma = line.find(',');
    if (!races || comma == std::string::npos) continue;
    char* end = nullptr;
    const long from = std::strtol(line.c_str() + comma + 1, &end, 10);
    const long to = std::strtol(end + 1, &end, 10);
    if (*end == ',') ++end;
    (*races)[line.substr(0, comma)].push_back(
        {static_cast<unsigned>(from), static_cast<unsigned>(to), end});
  }
}

long ReadLinesPlainly(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  long sum = 0;
  while (std::getline(in, line)) {
    const std::size_t comma = line.find(',');
    if (line.empty() || line[0] == '@' || comma == std::string::npos) continue;
    char* end = nullptr;
    sum += std::strtol(line.c_str() + comma + 1, &end, 10);
    sum += std::strtol(end + 1, nullptr, 10);
  }
  return sum;
}

void WritePlainly(const std::vector<PlainSection>& sections, const std::string& path) {
  const std::string newPath = path + ".new";
  std::FILE* file = std::fopen(newPath.c_str(), "wb");
  if (!file) std::abort();
  WriteSections(file, sections);
  std::fflush(file);
  fsync(fileno(file));
  std::fclose(file);
  std::rename(newPath.c_str(), path.c_str());
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int directory = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  fsync(directory);
  close(directory);
}

}  // namespace bench
