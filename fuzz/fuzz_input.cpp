#include "fuzz_input.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <vector>

namespace fuzz {

namespace {

const char* const kNames[] = {"Alpha",
                              "Beta",
                              "Xar",
                              "Vor",
                              "Lum",
                              "Kel",
                              "Sar",
                              "",
                              " Vor",
                              "Vor ",
                              "%s%n%d",
                              "a/b",
                              "Vor,10",
                              "@Vor",
                              "Vo\rr",
                              "Vo\nr",
                              "\x01\x7f\x95\xA7",
                              "/",
                              ",",
                              "@"};

const char* const kNumbers[] = {"12",
                                "0",
                                "1",
                                "5",
                                "20",
                                "-1",
                                "-2147483648",
                                "2147483647",
                                "2147483648",
                                "4294967295",
                                "99999999999999999999",
                                "",
                                " 7",
                                "+3",
                                "\t-8",
                                "12abc",
                                "abc",
                                "0x10",
                                "007",
                                "999"};

const char* const kCounts[] = {"", "-1", " 3", "2x", "+4", "abc", "01", "1 "};

}  // namespace

int Input::Pick(int count) {
  return count <= 1 ? 0 : provider_.ConsumeIntegralInRange(0, count - 1);
}

std::string Input::Name() {
  if (Coin()) return kNames[Pick(static_cast<int>(std::size(kNames)))];
  return Bytes(24);
}

std::string Input::Number() {
  if (Coin()) return kNumbers[Pick(static_cast<int>(std::size(kNumbers)))];
  return std::to_string(provider_.ConsumeIntegral<int>());
}

// Mostly short lists, now and then one up to the bound: long ones make slow runs.
std::string Input::Count() {
  const int kind = Pick(16);
  if (kind == 0) return std::to_string(provider_.ConsumeIntegralInRange(0, kHostCountBound));
  if (kind < 4) return kCounts[Pick(static_cast<int>(std::size(kCounts)))];
  return std::to_string(Pick(9));
}

std::string Input::Text() {
  switch (Pick(6)) {
    case 0:
      return Name();
    case 1:
      return Number();
    case 2:
      return std::string(static_cast<std::size_t>(Pick(2000)), "x%,/@\r"[Pick(6)]);
    default:
      return Bytes(64);
  }
}

std::string ScratchFolder() {
  // Removes the folders made here when the fuzzer ends its run.
  struct Folders {
    ~Folders() {
      std::error_code ignored;
      for (const std::string& folder : made) std::filesystem::remove_all(folder, ignored);
    }
    std::vector<std::string> made;
  };
  static Folders folders;
  const std::filesystem::path memory = "/dev/shm";
  const std::filesystem::path parent =
      access(memory.c_str(), W_OK) == 0 ? memory : std::filesystem::temp_directory_path();
  std::string folder = (parent / "trucelog-fuzz-XXXXXX").string();
  if (!mkdtemp(folder.data())) std::abort();
  folders.made.push_back(folder);
  return folder;
}

}  // namespace fuzz
