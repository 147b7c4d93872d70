// The pact store against plain baselines over the grid of shapes: loading (in a warm loop and
// as start-up does it, in a fresh process), the memory a loaded store takes, saving; then the
// growth of a pact lookup with the length of a race's history and the expiry scan of one game.
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "figure.h"
#include "plain_store.h"
#include "store/pact_store.h"
#include "store_data.h"

namespace {

constexpr double kLoadTarget = 1.5;
constexpr double kSaveTarget = 2;
constexpr double kSaveReadingFirstTarget = 2;
constexpr double kMemoryTarget = 1;
constexpr double kLookupGrowthTarget = 3;
constexpr double kExpiryScanTarget = 5;

bench::StoreShape ShapeOf(const benchmark::State& state) {
  return {static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
          static_cast<int>(state.range(2))};
}

using ShapeKey = std::tuple<int, int, int>;
ShapeKey KeyOf(const bench::StoreShape& shape) {
  return {shape.pactsPerRace, shape.racesPerKey, shape.lines};
}

// What the loading figures measure of one shape: seconds (and, in a fresh process, resident
// bytes added) of the store's Load, of the plain store's and of the plain reading.
struct LoadFigures {
  double store = 0, plain = 0, lines = 0;
  double storeBytes = 0, plainBytes = 0;
};

// The heap sorts what was freed when it is next asked for memory it does not have at hand: that
// work belongs to whatever freed it, so it is done here, untimed.
void SettleHeap() {
  constexpr std::size_t kLarge = 1 << 20;
  void* block = std::malloc(kLarge);
  benchmark::DoNotOptimize(block);
  std::free(block);
}

// Loads the store file argv[0] into the store, into the plain store and through the plain
// reading, in turns, each into memory the previous one freed, until there are enough samples
// (argv[1]: the minimum time); prints the three medians in seconds.
int LoadWarm(int argc, char** argv) {
  if (argc != 2) return 2;
  // Freed memory stays mapped: the cost of the first touch of fresh pages belongs to the fresh
  // process's figure, not to this one.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  const std::string path = argv[0];
  bench::SetMinTime(std::strtod(argv[1], nullptr));
  std::vector<double> store, plain, lines;
  double spent = 0;
  for (std::size_t round = 0; !bench::EnoughSamples(store.size(), spent); ++round) {
    for (std::size_t turn = 0; turn < 3; ++turn) {
      double seconds = 0;
      switch ((round + turn) % 3) {
        case 0: {
          auto loaded = std::make_unique<PactStore>();
          CString why;
          seconds = bench::ThreadSeconds();
          loaded->Load(path.c_str(), why);
          store.push_back(seconds = bench::ThreadSeconds() - seconds);
          break;
        }
        case 1: {
          auto loaded = std::make_unique<bench::PlainStore>();
          seconds = bench::ThreadSeconds();
          bench::LoadPlainStore(path, *loaded);
          plain.push_back(seconds = bench::ThreadSeconds() - seconds);
          break;
        }
        default: {
          seconds = bench::ThreadSeconds();
          benchmark::DoNotOptimize(bench::ReadLinesPlainly(path));
          lines.push_back(seconds = bench::ThreadSeconds() - seconds);
        }
      }
      SettleHeap();
      spent += seconds;
    }
  }
  std::printf("%.9f %.9f %.9f\n", bench::Median(store), bench::Median(plain), bench::Median(lines));
  return 0;
}
const bool kLoadWarmProbe = bench::RegisterProbe("load-warm", LoadWarm);

long ResidentBytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  long size = 0, resident = 0;
  if (!statm || std::fscanf(statm, "%ld %ld", &size, &resident) != 2) resident = 0;
  if (statm) std::fclose(statm);
  return resident * sysconf(_SC_PAGESIZE);
}

// Loads the store file argv[0] once, as start-up does, by argv[1]: "store", "plain" or
// "lines"; prints the seconds it took and the resident memory it added. What was loaded stays
// until the process ends.
int LoadOnce(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string path = argv[0];
  const std::string kind = argv[1];
  const long before = ResidentBytes();
  double seconds = bench::ThreadSeconds();
  if (kind == "store") {
    auto* store = new PactStore;
    CString why;
    store->Load(path.c_str(), why);
    benchmark::DoNotOptimize(store);
  } else if (kind == "plain") {
    auto* store = new bench::PlainStore;
    bench::LoadPlainStore(path, *store);
    benchmark::DoNotOptimize(store);
  } else {
    benchmark::DoNotOptimize(bench::ReadLinesPlainly(path));
  }
  seconds = bench::ThreadSeconds() - seconds;
  std::printf("%.9f %ld\n", seconds, ResidentBytes() - before);
  return 0;
}
const bool kLoadOnceProbe = bench::RegisterProbe("load-once", LoadOnce);

const LoadFigures* WarmLoadOf(const bench::StoreShape& shape) {
  static std::map<ShapeKey, LoadFigures> figures;
  if (const auto found = figures.find(KeyOf(shape)); found != figures.end()) return &found->second;
  const std::string answer = bench::RunProbe(
      "load-warm", {bench::ShapeFileOf(shape).path, std::to_string(bench::MinTime())});
  LoadFigures loaded;
  if (std::sscanf(answer.c_str(), "%lf %lf %lf", &loaded.store, &loaded.plain, &loaded.lines) !=
      3) {
    return nullptr;
  }
  return &(figures[KeyOf(shape)] = loaded);
}

// Fresh processes in turns, one load each, until there are enough samples.
const LoadFigures* FreshLoadOf(const bench::StoreShape& shape) {
  static std::map<ShapeKey, LoadFigures> figures;
  if (const auto found = figures.find(KeyOf(shape)); found != figures.end()) return &found->second;
  const std::string& path = bench::ShapeFileOf(shape).path;
  const char* const kinds[] = {"store", "plain", "lines"};
  std::vector<double> seconds[3], bytes[3];
  double spent = 0;
  for (std::size_t round = 0; !bench::EnoughSamples(seconds[0].size(), spent); ++round) {
    for (std::size_t turn = 0; turn < 3; ++turn) {
      const std::size_t kind = (round + turn) % 3;
      const std::string answer = bench::RunProbe("load-once", {path, kinds[kind]});
      double time = 0, added = 0;
      if (std::sscanf(answer.c_str(), "%lf %lf", &time, &added) != 2) return nullptr;
      seconds[kind].push_back(time);
      bytes[kind].push_back(added);
      spent += time;
    }
  }
  LoadFigures fresh;
  fresh.store = bench::Median(seconds[0]);
  fresh.plain = bench::Median(seconds[1]);
  fresh.lines = bench::Median(seconds[2]);
  fresh.storeBytes = bench::Median(bytes[0]);
  fresh.plainBytes = bench::Median(bytes[1]);
  return &(figures[KeyOf(shape)] = fresh);
}

// One figure of a shape's loading, from what `measure` found.
template <class Measure, class Figure>
void LoadFigure(benchmark::State& state, Measure measure, Figure figure) {
  const LoadFigures* figures = measure(ShapeOf(state));
  if (!figures) {
    state.SkipWithError("the load probe failed");
    return;
  }
  for (auto _ : state) {
    state.SetIterationTime(figures->store);
    figure(*figures);
  }
}

// Load in a warm loop against a plain store that keeps the same data.
void Load(benchmark::State& state) {
  LoadFigure(state, WarmLoadOf, [&](const LoadFigures& figures) {
    bench::Report(state, kLoadTarget, bench::kMilliseconds, figures.store, figures.plain);
  });
}
BENCHMARK(Load)->Apply(bench::OverTheGrid);

// Load in a fresh process, once, as start-up does it, against the plain store's likewise.
void LoadFresh(benchmark::State& state) {
  LoadFigure(state, FreshLoadOf, [&](const LoadFigures& figures) {
    bench::Report(state, kLoadTarget, bench::kMilliseconds, figures.store, figures.plain);
  });
}
BENCHMARK(LoadFresh)->Apply(bench::OverTheGrid);

// The resident memory a fresh process adds by loading the file, against the plain store's.
void Memory(benchmark::State& state) {
  LoadFigure(state, FreshLoadOf, [&](const LoadFigures& figures) {
    bench::Report(state, kMemoryTarget, bench::kMegabytes, figures.storeBytes, figures.plainBytes);
  });
}
BENCHMARK(Memory)->Apply(bench::OverTheGrid);

// For reference: the same loads against reading the lines and keeping nothing, and the memory
// against the file's size.
void LoadVsReading(benchmark::State& state) {
  LoadFigure(state, WarmLoadOf, [&](const LoadFigures& figures) {
    bench::Report(state, bench::kReference, bench::kMilliseconds, figures.store, figures.lines);
  });
}
BENCHMARK(LoadVsReading)->Apply(bench::OverTheGrid);

void LoadFreshVsReading(benchmark::State& state) {
  LoadFigure(state, FreshLoadOf, [&](const LoadFigures& figures) {
    bench::Report(state, bench::kReference, bench::kMilliseconds, figures.store, figures.lines);
  });
}
BENCHMARK(LoadFreshVsReading)->Apply(bench::OverTheGrid);

void MemoryVsFile(benchmark::State& state) {
  const double fileBytes = static_cast<double>(bench::ShapeFileOf(ShapeOf(state)).size);
  LoadFigure(state, FreshLoadOf, [&](const LoadFigures& figures) {
    bench::Report(state, bench::kReference, bench::kMegabytes, figures.storeBytes, fileBytes);
  });
}
BENCHMARK(MemoryVsFile)->Apply(bench::OverTheGrid);

// Save of the loaded store against writing the same lines plainly. After the first save the
// file is as the store left it, so each save writes without reading.
void Save(benchmark::State& state) {
  const bench::StoreShape shape = ShapeOf(state);
  const std::string& path = bench::ShapeFileOf(shape).path;
  const std::vector<bench::PlainSection> sections = bench::MakeSections(shape);
  PactStore store;
  CString why;
  store.Load(path.c_str(), why);
  const std::string saved = path + ".saved";
  const std::string plain = path + ".plain";
  bench::Compare(
      state, kSaveTarget, bench::kMilliseconds, [] {},
      [&] { bench::WritePlainly(sections, plain); }, [&] { store.Save(saved.c_str(), why); });
}
BENCHMARK(Save)->Apply(bench::OverTheGrid);

// A save after another client wrote the file: the store reads it first, makes its changes again
// on it and writes the result; against reading the file into a plain store and writing the
// lines plainly.
void SaveReadingFirst(benchmark::State& state) {
  const bench::StoreShape shape = ShapeOf(state);
  const std::string& path = bench::ShapeFileOf(shape).path;
  const std::vector<bench::PlainSection> sections = bench::MakeSections(shape);
  PactStore store;
  CString why;
  store.Load(path.c_str(), why);
  const std::string saved = path + ".merged";
  const std::string plain = path + ".plain";
  store.Save(saved.c_str(), why);
  bench::Compare(
      state, kSaveReadingFirstTarget, bench::kMilliseconds,
      // Another client's save gives the file a time of its own.
      [&] {
        std::filesystem::last_write_time(saved, std::filesystem::file_time_type::clock::now());
      },
      [&] {
        bench::PlainStore read;
        bench::LoadPlainStore(saved, read);
        bench::WritePlainly(sections, plain);
      },
      [&] { store.Save(saved.c_str(), why); });
}
BENCHMARK(SaveReadingFirst)
    ->Args({1, 20, 10000})
    ->Args({3, 100, 100000})
    ->Args({10, 1000, 1000000})
    ->ArgNames({"pacts", "races", "lines"})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// GetPactEnd at random turns of ten races, with 10 and with 10^4 pacts per race.
void LookupGrowth(benchmark::State& state) {
  constexpr int kRaces = 10;
  constexpr int kCalls = 4096;
  struct Call {
    CString race;
    DWORD turn;
  };
  auto fill = [](PactStore& store, int pacts, std::vector<Call>& calls) {
    for (const bench::PlainSection& section :
         bench::MakeSections({pacts, kRaces, kRaces * pacts})) {
      for (const bench::PlainPact& pact : section.pacts) {
        store.AddPact(section.key.c_str(), pact.race.c_str(), pact.from, pact.to,
                      pact.conditions.c_str());
      }
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> race(0, kRaces - 1), pact(0, pacts - 1);
    for (int i = 0; i < kCalls; ++i) {
      calls.push_back({bench::RaceName(race(random)).c_str(), bench::TurnInPact(pact(random))});
    }
  };
  PactStore shortHistories, longHistories;
  std::vector<Call> shortCalls, longCalls;
  fill(shortHistories, 10, shortCalls);
  fill(longHistories, 10000, longCalls);
  const CString key = (bench::FirstGameName() + "/Xar").c_str();
  auto ask = [&](const PactStore& store, const std::vector<Call>& calls) {
    DWORD sum = 0;
    for (const Call& call : calls) sum += store.GetPactEnd(key, call.race, call.turn);
    benchmark::DoNotOptimize(sum);
  };
  bench::Compare(
      state, kLookupGrowthTarget, bench::kMicroseconds, [] {},
      [&] { ask(shortHistories, shortCalls); }, [&] { ask(longHistories, longCalls); });
}
BENCHMARK(LookupGrowth)->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The expiry scan of one game whose 10^4 races all hold a pact ending within 999 turns, with a
// line per condition, against formatting the same lines with snprintf and a stable sort.
void ExpiryScan(benchmark::State& state) {
  constexpr int kRaces = 10000;
  constexpr DWORD kTurn = 5;
  const char* const conditions[] = {"", "NA", "NA/TR", "OB"};
  const std::vector<std::vector<std::string>> texts = {
      {}, {"Non-aggression"}, {"Non-aggression", "Trade"}, {"Open borders"}};
  PactStore store;
  store.Dictionary.AddCondition("NA", "Non-aggression");
  store.Dictionary.AddCondition("TR", "Trade");
  store.Dictionary.AddCondition("OB", "Open borders");
  struct Plain {
    std::string race;
    int end;
    int kind;
  };
  std::vector<Plain> plain;
  for (int race = 0; race < kRaces; ++race) {
    const int end = 10 + race % 900;
    store.AddPact("Alpha/Xar", bench::RaceName(race).c_str(), 1, static_cast<DWORD>(end),
                  conditions[race % 4]);
    plain.push_back({bench::RaceName(race), end, race % 4});
  }

  CStringArray lines;
  auto baseline = [&] {
    struct Warning {
      int left;
      std::string line;
      int kind;
    };
    std::vector<Warning> warnings;
    char buffer[256];
    for (const Plain& pact : plain) {
      const int left = pact.end - static_cast<int>(kTurn);
      std::snprintf(buffer, sizeof buffer,
                    "Pact with %s will expire at the turn %d (after %d turns)", pact.race.c_str(),
                    pact.end, left);
      warnings.push_back({left, buffer, pact.kind});
    }
    std::stable_sort(warnings.begin(), warnings.end(),
                     [](const Warning& a, const Warning& b) { return a.left < b.left; });
    std::vector<std::string> out;
    for (const Warning& warning : warnings) {
      out.push_back(warning.line);
      if (texts[warning.kind].empty()) out.emplace_back("  \x95 No special conditions");
      for (const std::string& text : texts[warning.kind]) {
        std::snprintf(buffer, sizeof buffer, "  \xA7 %s", text.c_str());
        out.emplace_back(buffer);
      }
    }
    benchmark::DoNotOptimize(out.data());
  };
  bench::Compare(
      state, kExpiryScanTarget, bench::kMilliseconds, [] {}, baseline,
      [&] { store.GetExpiryWarnings("Alpha/Xar", kTurn, 999, lines, TRUE); });
}
BENCHMARK(ExpiryScan)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
