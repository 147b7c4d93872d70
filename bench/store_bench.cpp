// How the pact store scales: loading and saving a large store file, the per-row lookup the
// race table makes, and the expiry scan of one game.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "store/pact_store.h"

namespace {

constexpr int kGames = 20;
constexpr int kRaces = 200;
constexpr int kPactsPerRace = 20;

std::string RaceName(int race) { return "Race" + std::to_string(race); }

// Every race holds adjoining ten-turn pacts with conditions every other pact.
void Fill(PactStore& store) {
  for (int game = 0; game < kGames; ++game) {
    const std::string key = "Game" + std::to_string(game) + "/Xar";
    for (int race = 0; race < kRaces; ++race) {
      for (int pact = 0; pact < kPactsPerRace; ++pact) {
        const DWORD from = static_cast<DWORD>(pact * 10 + 1);
        store.AddPact(key.c_str(), RaceName(race).c_str(), from, from + 9, pact % 2 ? "NA/TR" : "");
      }
    }
  }
}

std::string StoreFile() {
  static const std::string path = [] {
    std::string folder =
        (std::filesystem::temp_directory_path() / "trucelog-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) std::abort();
    PactStore store;
    Fill(store);
    const std::string file = folder + "/Trucelog.ini";
    store.Save(file.c_str());
    return file;
  }();
  return path;
}

void LoadStoreFile(benchmark::State& state) {
  const std::string file = StoreFile();
  for (auto _ : state) {
    PactStore store;
    store.Load(file.c_str());
    benchmark::DoNotOptimize(store.GetCount());
  }
  state.SetItemsProcessed(state.iterations() * kGames * kRaces * kPactsPerRace);
}
BENCHMARK(LoadStoreFile)->Unit(benchmark::kMillisecond);

void SaveStoreFile(benchmark::State& state) {
  PactStore store;
  store.Load(StoreFile().c_str());
  const std::string file = StoreFile() + ".saved";
  for (auto _ : state) store.Save(file.c_str());
  state.SetItemsProcessed(state.iterations() * kGames * kRaces * kPactsPerRace);
}
BENCHMARK(SaveStoreFile)->Unit(benchmark::kMillisecond);

void PactEndPerTableRow(benchmark::State& state) {
  PactStore store;
  Fill(store);
  int race = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.GetPactEnd("Game7/Xar", RaceName(race).c_str(), 105));
    race = (race + 1) % kRaces;
  }
}
BENCHMARK(PactEndPerTableRow);

void ExpiryScanOfOneGame(benchmark::State& state) {
  PactStore store;
  Fill(store);
  CStringArray lines;
  for (auto _ : state) {
    store.GetExpiryWarnings("Game7/Xar", 105, 999, lines, TRUE);
    benchmark::DoNotOptimize(lines.GetSize());
  }
}
BENCHMARK(ExpiryScanOfOneGame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
