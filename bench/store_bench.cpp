// The pact store against plain baselines: loading and saving store files of 10^4 to 10^6 pact
// lines, the growth of a pact lookup with the length of a race's history, the expiry scan of
// one game, and the memory a loaded store takes beside its file.
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "figure.h"
#include "store/pact_store.h"
#include "store_data.h"

namespace {

constexpr double kLoadTarget = 3;
constexpr double kSaveTarget = 2;
constexpr double kLookupGrowthTarget = 3;
constexpr double kExpiryScanTarget = 5;
constexpr double kMemoryTarget = 4;

// A store file of `pactLines` lines: ten pacts per race, a hundred races per key.
struct StoreFile {
  std::string path;
  std::size_t size;
  std::vector<bench::PlainSection> sections;
};

const StoreFile& StoreFileOf(int pactLines) {
  static std::map<int, std::unique_ptr<StoreFile>> files;
  std::unique_ptr<StoreFile>& file = files[pactLines];
  if (!file) {
    file = std::make_unique<StoreFile>();
    file->sections = bench::MakeSections({pactLines / 1000, 100, 10});
    file->path = bench::BenchFolder() + "/Trucelog" + std::to_string(pactLines) + ".ini";
    file->size = bench::WriteStoreFile(file->path, file->sections);
  }
  return *file;
}

// The plain reading: each line by std::getline, the two numbers of a pact line by strtol.
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

// Times `samples` loads of the store file argv[0] against as many plain readings, alternately;
// prints the ratio of the medians, then the two medians in seconds.
int LoadAgainstPlainReading(int argc, char** argv) {
  if (argc != 2) return 2;
  // Every sample loads into memory the previous one freed, kept mapped: the cost of the first
  // touch of fresh pages is the memory figure's business, not this one's.
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  const std::string path = argv[0];
  const int samples = std::atoi(argv[1]);
  std::vector<double> subject, baseline;
  auto store = std::make_unique<PactStore>();
  auto load = [&] { store->Load(path.c_str()); };
  auto read = [&] { benchmark::DoNotOptimize(ReadLinesPlainly(path)); };
  for (int i = 0; i < samples; ++i) {
    store = std::make_unique<PactStore>();
    if (i % 2) {
      subject.push_back(bench::SecondsOf(load));
      baseline.push_back(bench::SecondsOf(read));
    } else {
      baseline.push_back(bench::SecondsOf(read));
      subject.push_back(bench::SecondsOf(load));
    }
  }
  const double subjectTime = bench::Median(subject);
  const double baselineTime = bench::Median(baseline);
  std::printf("%f %f %f\n", subjectTime / baselineTime, subjectTime, baselineTime);
  return 0;
}
const bool kLoadProbe = bench::RegisterProbe("load", LoadAgainstPlainReading);

// Loading runs in a process of its own, as the plug-in loads once, at start-up, into a heap
// that no earlier figure has left its freed blocks in.
void Load(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const StoreFile& file = StoreFileOf(lines);
  const int samples = (std::max)(8, 6000000 / lines);
  for (auto _ : state) {
    const std::string answer = bench::RunProbe("load", {file.path, std::to_string(samples)});
    double ratio = 0, subject = 0, baseline = 0;
    if (std::sscanf(answer.c_str(), "%lf %lf %lf", &ratio, &subject, &baseline) != 3) {
      state.SkipWithError("the load probe failed");
      return;
    }
    state.SetIterationTime(subject);
    state.counters["baseline_us"] = baseline * 1e6;
    state.counters[bench::kRatio] = ratio;
    state.counters[bench::kTarget] = kLoadTarget;
  }
}
BENCHMARK(Load)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(1)->UseManualTime()->Unit(
    benchmark::kMillisecond);

// The plain writing: fprintf into one buffered stream beside the file, flushed, synced, closed
// and moved over the file, as the store saves.
void WritePlainly(const std::vector<bench::PlainSection>& sections, const std::string& path) {
  const std::string newPath = path + ".new";
  std::FILE* file = std::fopen(newPath.c_str(), "wb");
  if (!file) std::abort();
  for (const bench::PlainSection& section : sections) {
    std::fprintf(file, "@%s\r\n", section.key.c_str());
    for (const bench::PlainPact& pact : section.pacts) {
      std::fprintf(file, "%s,%d,%d,%s\r\n", pact.race.c_str(), static_cast<int>(pact.from),
                   static_cast<int>(pact.to), pact.conditions.c_str());
    }
    std::fputs("\r\n", file);
  }
  std::fflush(file);
  fsync(fileno(file));
  std::fclose(file);
  std::rename(newPath.c_str(), path.c_str());
  const int folder = open(bench::BenchFolder().c_str(), O_RDONLY | O_DIRECTORY);
  fsync(folder);
  close(folder);
}

void Save(benchmark::State& state) {
  const StoreFile& file = StoreFileOf(static_cast<int>(state.range(0)));
  PactStore store;
  store.Load(file.path.c_str());
  const std::string saved = file.path + ".saved";
  const std::string plain = file.path + ".plain";
  bench::Compare(
      state, kSaveTarget, [] {}, [&] { WritePlainly(file.sections, plain); },
      [&] { store.Save(saved.c_str()); });
}
BENCHMARK(Save)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Arg(1000000)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

// GetPactEnd at random turns of ten races, with 10 and with 10^4 pacts per race.
void LookupGrowth(benchmark::State& state) {
  constexpr int kRaces = 10;
  constexpr int kCalls = 4096;
  struct Call {
    CString race;
    DWORD turn;
  };
  auto fill = [](PactStore& store, int pacts, std::vector<Call>& calls) {
    for (const bench::PlainSection& section : bench::MakeSections({1, kRaces, pacts})) {
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
  const CString key = "Game0000/Xar";
  auto ask = [&](const PactStore& store, const std::vector<Call>& calls) {
    DWORD sum = 0;
    for (const Call& call : calls) sum += store.GetPactEnd(key, call.race, call.turn);
    benchmark::DoNotOptimize(sum);
  };
  bench::Compare(
      state, kLookupGrowthTarget, [] {}, [&] { ask(shortHistories, shortCalls); },
      [&] { ask(longHistories, longCalls); });
}
BENCHMARK(LookupGrowth)->UseManualTime()->Unit(benchmark::kMicrosecond);

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
      state, kExpiryScanTarget, [] {}, baseline,
      [&] { store.GetExpiryWarnings("Alpha/Xar", kTurn, 999, lines, TRUE); });
}
BENCHMARK(ExpiryScan)->UseManualTime()->Unit(benchmark::kMillisecond);

long ResidentBytes() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  long size = 0, resident = 0;
  if (!statm || std::fscanf(statm, "%ld %ld", &size, &resident) != 2) resident = 0;
  if (statm) std::fclose(statm);
  return resident * sysconf(_SC_PAGESIZE);
}

// Loads the store file argv[0]; prints the resident memory that added.
int LoadedStoreMemory(int argc, char** argv) {
  if (argc != 1) return 2;
  const long before = ResidentBytes();
  auto* store = new PactStore;
  store->Load(argv[0]);
  std::printf("%ld\n", ResidentBytes() - before);
  return store->IsEmpty() ? 1 : 0;
}
const bool kMemoryProbe = bench::RegisterProbe("memory", LoadedStoreMemory);

// The resident memory a fresh process adds by loading 10^6 pact lines, against the file's
// size. Measured in a process of its own, so that nothing the suite freed before is reused.
void Memory(benchmark::State& state) {
  const StoreFile& file = StoreFileOf(1000000);
  for (auto _ : state) {
    const std::string answer = bench::RunProbe("memory", {file.path});
    if (answer.empty()) {
      state.SkipWithError("the memory probe failed");
      return;
    }
    const double added = std::strtod(answer.c_str(), nullptr);
    state.SetIterationTime(1);
    state.counters["added_MB"] = added / 1e6;
    state.counters["file_MB"] = static_cast<double>(file.size) / 1e6;
    state.counters[bench::kRatio] = added / static_cast<double>(file.size);
    state.counters[bench::kTarget] = kMemoryTarget;
  }
}
BENCHMARK(Memory)->Iterations(1)->UseManualTime();

}  // namespace
