#include "support/temp_dir.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

TempDir::TempDir() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = base / ("trucelog-" + std::to_string(random() % 1000000000));
    // Only the creator of a folder gets true, so two processes never share one.
    if (std::filesystem::create_directory(candidate)) {
      path_ = std::filesystem::canonical(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Windows keeps a process's working folder from being removed.
  const std::filesystem::path current = std::filesystem::current_path(ignored);
  if (!ignored && std::mismatch(path_.begin(), path_.end(), current.begin(), current.end()).first ==
                      path_.end()) {
    std::filesystem::current_path(path_.parent_path(), ignored);
  }
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string TempDir::Read(const std::string& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempDir::Exists(const std::string& relative) const {
  return std::filesystem::exists(path_ / relative);
}
