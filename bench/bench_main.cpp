// The suite's main: runs the benchmarks as Google Benchmark does, then lists every figure's
// ratio against its target, the grid figures as one table each. With --check it exits with 1
// when a ratio misses its target; with --markdown the tables come out as the performance page
// shows them; the "--probe" arguments run a measurement that needs a process of its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "figure.h"
#include "store_data.h"

namespace {

std::map<std::string, bench::Probe>& Probes() {
  static std::map<std::string, bench::Probe> probes;
  return probes;
}

double minTime = 1;

struct Result {
  std::string figure;                   // the benchmark's name up to its first "/"
  int pacts = 0, races = 0, lines = 0;  // the shape; 0 for a figure outside the grid
  double ratio, target, subject, baseline;
  std::string unit;

  bool Checked() const { return target != bench::kReference; }
  bool Met() const { return !Checked() || ratio <= target; }
};

// Reads "Load/pacts:1/races:20/lines:10000/iterations:1/manual_time" into its parts.
Result ResultOf(const std::string& name) {
  Result result{};
  std::size_t at = name.find('/');
  result.figure = name.substr(0, at);
  while (at != std::string::npos) {
    const std::size_t next = name.find('/', at + 1);
    const std::string part = name.substr(at + 1, next - at - 1);
    const std::size_t colon = part.find(':');
    const int value = colon == std::string::npos ? 0 : std::atoi(part.c_str() + colon + 1);
    const std::string argument = part.substr(0, colon);
    if (argument == "pacts") result.pacts = value;
    if (argument == "races") result.races = value;
    if (argument == "lines") result.lines = value;
    at = next;
  }
  return result;
}

class FigureReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto counter = [&](const char* name) {
        const auto found = run.counters.find(name);
        return found == run.counters.end() ? -1.0 : found->second.value;
      };
      if (run.run_type != Run::RT_Iteration || counter(bench::kRatio) < 0 ||
          counter(bench::kTarget) < 0) {
        continue;
      }
      Result result = ResultOf(run.benchmark_name());
      result.ratio = counter(bench::kRatio);
      result.target = counter(bench::kTarget);
      result.subject = counter(bench::kSubject);
      result.baseline = counter(bench::kBaseline);
      result.unit = run.report_label;
      results.push_back(result);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::vector<Result> results;
};

std::string LinesHeading(int lines) {
  int power = 0;
  while (lines >= 10 && lines % 10 == 0) {
    lines /= 10;
    ++power;
  }
  return lines == 1 ? "10^" + std::to_string(power) + " lines" : std::to_string(lines) + " lines";
}

std::string TargetText(const Result& result) {
  if (!result.Checked()) return "reference";
  char text[32];
  std::snprintf(text, sizeof text, "target %.2f", result.target);
  return text;
}

// The first result of each grid figure, in the order the figures were measured.
std::vector<const Result*> GridFigures(const std::vector<Result>& results) {
  std::vector<const Result*> figures;
  for (const Result& result : results) {
    if (result.lines == 0) continue;
    const auto seen = [&](const Result* first) { return first->figure == result.figure; };
    if (std::none_of(figures.begin(), figures.end(), seen)) figures.push_back(&result);
  }
  return figures;
}

// The figure's result at one shape of the grid, or null when it was not measured there.
const Result* CellOf(const std::vector<Result>& results, const std::string& figure, int pacts,
                     int races, int lines) {
  for (const Result& result : results) {
    if (result.figure == figure && result.pacts == pacts && result.races == races &&
        result.lines == lines) {
      return &result;
    }
  }
  return nullptr;
}

// The figures outside the grid, one a line; then each grid figure as a table of its shapes.
void PrintSummary(const std::vector<Result>& results) {
  std::printf("\n%-28s %10s %10s %8s %8s\n", "figure", "subject", "baseline", "ratio", "target");
  for (const Result& result : results) {
    if (result.lines != 0) continue;
    std::printf("%-28s %10.3g %10.3g %8.2f %8.2f  %s %s\n", result.figure.c_str(), result.subject,
                result.baseline, result.ratio, result.target, result.unit.c_str(),
                result.Met() ? "met" : "MISSED");
  }
  for (const Result* first : GridFigures(results)) {
    const std::string& figure = first->figure;
    std::printf("\n%s (%s), ratio per cell\n%5s %6s", figure.c_str(), TargetText(*first).c_str(),
                "pacts", "races");
    for (const int lines : bench::kGridLines) std::printf(" %12s", LinesHeading(lines).c_str());
    std::printf("\n");
    for (const int pacts : bench::kGridPacts) {
      for (const int races : bench::kGridRaces) {
        std::printf("%5d %6d", pacts, races);
        for (const int lines : bench::kGridLines) {
          if (const Result* cell = CellOf(results, figure, pacts, races, lines)) {
            std::printf(" %10.2f%s", cell->ratio, cell->Met() ? "  " : " !");
          } else {
            std::printf(" %12s", "-");
          }
        }
        std::printf("\n");
      }
    }
  }
}

std::string Amount(double value) {
  char text[32];
  std::snprintf(text, sizeof text, value >= 100 ? "%.0f" : value >= 10 ? "%.1f" : "%.2f", value);
  return text;
}

// The tables of docs/performance.md: each cell the ratio, then the plug-in's and the
// baseline's figures.
void PrintMarkdown(const std::vector<Result>& results) {
  std::printf("\n| figure | plug-in | baseline | ratio | target |\n|---|---|---|---|---|\n");
  for (const Result& result : results) {
    if (result.lines != 0) continue;
    std::printf("| %s | %s %s | %s %s | %.2f | %s |\n", result.figure.c_str(),
                Amount(result.subject).c_str(), result.unit.c_str(),
                Amount(result.baseline).c_str(), result.unit.c_str(), result.ratio,
                result.Checked() ? Amount(result.target).c_str() : "-");
  }
  for (const Result* first : GridFigures(results)) {
    const std::string& figure = first->figure;
    std::printf("\n%s (%s; plug-in / baseline in %s)\n\n| pacts | races |", figure.c_str(),
                TargetText(*first).c_str(), first->unit.c_str());
    for (const int lines : bench::kGridLines) std::printf(" %s |", LinesHeading(lines).c_str());
    std::printf("\n|---|---|");
    for (std::size_t i = 0; i < std::size(bench::kGridLines); ++i) std::printf("---|");
    std::printf("\n");
    for (const int pacts : bench::kGridPacts) {
      for (const int races : bench::kGridRaces) {
        std::printf("| %d | %d |", pacts, races);
        for (const int lines : bench::kGridLines) {
          if (const Result* cell = CellOf(results, figure, pacts, races, lines)) {
            std::printf(" **%.2f** %s / %s |", cell->ratio, Amount(cell->subject).c_str(),
                        Amount(cell->baseline).c_str());
          } else {
            std::printf(" - |");
          }
        }
        std::printf("\n");
      }
    }
  }
}

}  // namespace

double bench::MinTime() { return minTime; }
void bench::SetMinTime(double seconds) { minTime = seconds; }

void bench::OverTheGrid(benchmark::internal::Benchmark* benchmark) {
  const std::vector<int64_t> pacts(std::begin(kGridPacts), std::end(kGridPacts));
  const std::vector<int64_t> races(std::begin(kGridRaces), std::end(kGridRaces));
  const std::vector<int64_t> lines(std::begin(kGridLines), std::end(kGridLines));
  benchmark->ArgsProduct({pacts, races, lines})->ArgNames({"pacts", "races", "lines"});
  benchmark->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

bool bench::RegisterProbe(const char* name, Probe probe) {
  Probes()[name] = probe;
  return true;
}

std::string bench::RunProbe(const std::string& name, const std::vector<std::string>& arguments) {
  std::error_code error;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
  if (error) return {};
  std::string command = "'" + self + "' --probe '" + name + "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  std::string output;
  if (std::FILE* probe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, probe)) output += buffer;
    if (pclose(probe) != 0) output.clear();
  }
  return output;
}

int main(int argc, char** argv) {
  if (argc > 2 && std::strcmp(argv[1], "--probe") == 0) {
    const auto probe = Probes().find(argv[2]);
    return probe == Probes().end() ? 2 : probe->second(argc - 3, argv + 3);
  }
  bool check = false;
  bool markdown = false;
  bool minTimeGiven = false;
  std::vector<char*> arguments;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check") == 0) {
      check = true;
    } else if (std::strcmp(argv[i], "--markdown") == 0) {
      markdown = true;
    } else {
      if (std::strncmp(argv[i], "--benchmark_min_time=", 21) == 0) {
        minTimeGiven = true;
        bench::SetMinTime(std::strtod(argv[i] + 21, nullptr));
      }
      arguments.push_back(argv[i]);
    }
  }
  // A second of samples per figure, unless told otherwise.
  static char defaultMinTime[] = "--benchmark_min_time=1";
  if (!minTimeGiven) arguments.push_back(defaultMinTime);
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 2;

  FigureReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  PrintSummary(reporter.results);
  if (markdown) PrintMarkdown(reporter.results);
  int checked = 0, missed = 0;
  for (const Result& result : reporter.results) {
    checked += result.Checked() ? 1 : 0;
    missed += result.Met() ? 0 : 1;
  }
  std::printf("\n%d of %d checked figures met their targets\n", checked - missed, checked);
  std::fflush(stdout);
  return check && missed > 0 ? 1 : 0;
}
