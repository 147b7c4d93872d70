// The race table's per-row call as the host makes it, through the loaded module's entry point,
// against the least a lookup of one race's pact end can cost: one hash-map find and one
// bisection over that race's pacts.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "figure.h"
#include "plugin_module.h"
#include "store_data.h"

namespace {

constexpr double kTableRowTarget = 4;
constexpr int kRaces = 10000;
constexpr int kPactsPerRace = 10;
constexpr int kRowCells = 21;
constexpr int kRowsPerSample = 1000;

// The module loaded once, as the host loads it, and started in a game folder whose store
// holds one game of 10^4 races with ten pacts each.
struct StartedModule {
  StartedModule() : sections(bench::MakeSections({1, kRaces, kPactsPerRace})) {
    const std::string game = bench::BenchFolder() + "/game";
    std::filesystem::create_directories(game + "/PLUGINS");
    bench::WriteStoreFile(game + "/PLUGINS/Trucelog.ini", sections);
    if (chdir(game.c_str()) != 0) return;
    module = std::make_unique<PluginModule>(TRUCELOG_MODULE);
    if (!module->IsLoaded()) return;
    module->OnLoad();
    CMapStringToString startup;
    module->OnInitialize(startup);
  }

  std::vector<bench::PlainSection> sections;
  std::unique_ptr<PluginModule> module;
};

void TableRow(benchmark::State& state) {
  static StartedModule started;
  if (!started.module || !started.module->IsLoaded()) {
    state.SkipWithError("the module did not start");
    return;
  }
  const PluginModule& module = *started.module;
  const std::vector<bench::PlainSection>& sections = started.sections;

  const unsigned turn = bench::TurnInPact(kPactsPerRace / 2);
  CMapStringToString request;
  request.SetAt("ID", "13");
  request.SetAt("GameName", sections[0].key.substr(0, sections[0].key.find('/')).c_str());
  request.SetAt("RaceName", "Xar");
  request.SetAt("Turn", std::to_string(turn).c_str());
  std::vector<CStringArray> rows(kRowsPerSample);
  int next = 0;
  auto prepare = [&] {
    for (CStringArray& row : rows) {
      row.SetSize(kRowCells);
      row[0] = bench::RaceName(next).c_str();
      row[8] = "";
      row[18] = "";
      next = (next + 1) % kRaces;
    }
  };

  std::unordered_map<std::string, std::vector<std::pair<unsigned, unsigned>>> plain;
  for (const bench::PlainPact& pact : sections[0].pacts) {
    plain[pact.race].emplace_back(pact.from, pact.to);
  }
  auto baseline = [&] {
    unsigned sum = 0;
    for (CStringArray& row : rows) {
      const auto found = plain.find(row[0].GetString());
      const auto& pacts = found->second;
      const auto after = std::upper_bound(pacts.begin(), pacts.end(), std::make_pair(turn, ~0u));
      if (after != pacts.begin() && turn <= std::prev(after)->second)
        sum += std::prev(after)->second;
    }
    benchmark::DoNotOptimize(sum);
  };
  auto subject = [&] {
    for (CStringArray& row : rows) module.OnTableProcessor(request, row);
  };
  bench::Compare(state, kTableRowTarget, prepare, baseline, subject);
  prepare();
  subject();
  if (rows[0][8].IsEmpty()) state.SkipWithError("the row got no pact");
}
BENCHMARK(TableRow)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
