// The suite's main: runs the benchmarks as Google Benchmark does, then lists every figure's
// ratio against its target. With --check it exits with 1 when a ratio misses its target; the
// "--probe" arguments run a measurement that needs a process of its own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "figure.h"

namespace {

std::map<std::string, bench::Probe>& Probes() {
  static std::map<std::string, bench::Probe> probes;
  return probes;
}

struct Result {
  std::string name;
  double ratio;
  double target;
};

class FigureReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const auto ratio = run.counters.find(bench::kRatio);
      const auto target = run.counters.find(bench::kTarget);
      if (run.run_type != Run::RT_Iteration || ratio == run.counters.end() ||
          target == run.counters.end()) {
        continue;
      }
      results.push_back({run.benchmark_name(), ratio->second.value, target->second.value});
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::vector<Result> results;
};

}  // namespace

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
  bool minTimeGiven = false;
  std::vector<char*> arguments;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check") == 0) {
      check = true;
    } else {
      minTimeGiven = minTimeGiven || std::strncmp(argv[i], "--benchmark_min_time", 20) == 0;
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

  int missed = 0;
  std::printf("\n%-52s %8s %8s\n", "figure", "ratio", "target");
  for (const Result& result : reporter.results) {
    const bool met = result.ratio <= result.target;
    if (!met) ++missed;
    std::printf("%-52s %8.2f %8.2f  %s\n", result.name.c_str(), result.ratio, result.target,
                met ? "met" : "MISSED");
  }
  std::fflush(stdout);
  return check && missed > 0 ? 1 : 0;
}
