// The race table's per-row call as the host makes it, through the loaded module's entry point,
// over the grid of shapes, against a plain row: one hash-map find of the race, one bisection
// over its pacts, the status cell formatted and written and the conditions appended.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "figure.h"
#include "plain_store.h"
#include "plugin_module.h"
#include "store_data.h"

namespace {

constexpr double kTableRowTarget = 2;
constexpr int kRowCells = 21;
constexpr int kStatusCell = 8;
constexpr int kInfoCell = 18;
constexpr int kRowsPerSample = 1000;

// In the game folder argv[0], whose store file has the shape argv[1..3] (pacts per race, races
// per key, lines): starts the module as the host does, then times rows of the first game's
// table through the entry point against plain rows, until there are enough samples (argv[4]:
// the minimum time). Prints the two medians per row in seconds.
int TableRows(int argc, char** argv) {
  if (argc != 5 || chdir(argv[0]) != 0) return 2;
  const bench::StoreShape shape{std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
  bench::SetMinTime(std::strtod(argv[4], nullptr));
  PluginModule module(TRUCELOG_MODULE);
  if (!module.IsLoaded()) return 3;
  module.OnLoad();
  CMapStringToString startup;
  module.OnInitialize(startup);

  const bench::PlainSection first = bench::MakeSections(shape).front();
  bench::PlainRaces plain;
  for (const bench::PlainPact& pact : first.pacts) {
    plain[pact.race].push_back({pact.from, pact.to, pact.conditions});
  }
  const int races = static_cast<int>(plain.size());

  const unsigned turn = bench::TurnInPact(shape.pactsPerRace / 2);
  CMapStringToString request;
  request.SetAt("ID", "13");
  request.SetAt("GameName", bench::FirstGameName().c_str());
  request.SetAt("RaceName", "Xar");
  request.SetAt("Turn", std::to_string(turn).c_str());
  std::vector<CStringArray> rows(kRowsPerSample);
  int next = 0;
  auto prepare = [&] {
    for (CStringArray& row : rows) {
      row.SetSize(kRowCells);
      row[0] = bench::RaceName(next).c_str();
      row[kStatusCell] = "";
      row[kInfoCell] = "";
      next = (next + 1) % races;
    }
  };
  auto baseline = [&] {
    char status[32];
    for (CStringArray& row : rows) {
      const auto found = plain.find(row[0].GetString());
      if (found == plain.end()) continue;
      const std::vector<bench::PlainTerm>& pacts = found->second;
      const auto after =
          std::upper_bound(pacts.begin(), pacts.end(), turn,
                           [](unsigned t, const bench::PlainTerm& pact) { return t < pact.from; });
      if (after == pacts.begin() || turn > std::prev(after)->to) continue;
      std::snprintf(status, sizeof status, "Pact(%d)", static_cast<int>(std::prev(after)->to));
      row[kStatusCell] = status;
      const std::string& conditions = std::prev(after)->conditions;
      if (conditions.empty()) continue;
      CString& info = row[kInfoCell];
      info = info.IsEmpty() ? CString(conditions.c_str()) : info + "/" + conditions.c_str();
    }
  };
  auto subject = [&] {
    for (CStringArray& row : rows) module.OnTableProcessor(request, row);
  };

  // Both fill the rows alike, or the figure compares different work.
  prepare();
  baseline();
  std::vector<CString> plainCells;
  for (const CStringArray& row : rows) {
    plainCells.push_back(row[kStatusCell]);
    plainCells.push_back(row[kInfoCell]);
  }
  next = 0;
  prepare();
  subject();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i][kStatusCell].IsEmpty() || rows[i][kStatusCell] != plainCells[2 * i] ||
        rows[i][kInfoCell] != plainCells[2 * i + 1]) {
      return 4;
    }
  }

  const bench::Medians medians = bench::Alternate(prepare, baseline, subject);
  std::printf("%.12f %.12f\n", medians.subject / kRowsPerSample, medians.baseline / kRowsPerSample);
  return 0;
}
const bool kTableRowsProbe = bench::RegisterProbe("table-rows", TableRows);

// Each shape in a process of its own, whose module starts on a store file of that shape.
void TableRow(benchmark::State& state) {
  const bench::StoreShape shape{static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                static_cast<int>(state.range(2))};
  const std::string game = bench::BenchFolder() + "/game-" + std::to_string(shape.pactsPerRace) +
                           "-" + std::to_string(shape.racesPerKey) + "-" +
                           std::to_string(shape.lines);
  std::filesystem::create_directories(game + "/PLUGINS");
  std::error_code ignored;
  std::filesystem::create_symlink(bench::ShapeFileOf(shape).path, game + "/PLUGINS/Trucelog.ini",
                                  ignored);
  const std::string answer = bench::RunProbe(
      "table-rows", {game, std::to_string(shape.pactsPerRace), std::to_string(shape.racesPerKey),
                     std::to_string(shape.lines), std::to_string(bench::MinTime())});
  double subject = 0, baseline = 0;
  if (std::sscanf(answer.c_str(), "%lf %lf", &subject, &baseline) != 2) {
    state.SkipWithError("the table-row probe failed");
    return;
  }
  for (auto _ : state) {
    state.SetIterationTime(subject * kRowsPerSample);
    bench::Report(state, kTableRowTarget, {"ns", 1e9}, subject, baseline);
  }
}
BENCHMARK(TableRow)->Apply(bench::OverTheGrid);

}  // namespace
