// A figure of the benchmark suite: the plug-in's time for some work divided by the time of a
// plain baseline doing the same work on the same data. The two are timed alternately within
// each iteration, in processor time, so that a noisy machine slows both alike.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

// Counter names the suite's reporter reads back.
inline constexpr const char* kRatio = "ratio";
inline constexpr const char* kTarget = "target";

inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  return *middle;
}

inline double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The processor time `work` takes on this thread: time the machine gives to other processes
// does not count, so a busy machine changes the figures little.
template <class Work>
double SecondsOf(Work& work) {
  const double start = ThreadSeconds();
  work();
  return ThreadSeconds() - start;
}

// Times `subject` against `baseline`, each once per iteration, in alternating order; `prepare`
// runs untimed before each of them. The benchmark must use manual time; its reported time is
// the subject's, and its "ratio" counter the ratio of the two medians.
template <class Prepare, class Baseline, class Subject>
void Compare(benchmark::State& state, double target, Prepare prepare, Baseline baseline,
             Subject subject) {
  std::vector<double> baselineTimes, subjectTimes;
  bool subjectFirst = false;
  for (auto _ : state) {
    for (int turn = 0; turn < 2; ++turn) {
      prepare();
      if ((turn == 0) == subjectFirst) {
        subjectTimes.push_back(SecondsOf(subject));
      } else {
        baselineTimes.push_back(SecondsOf(baseline));
      }
    }
    state.SetIterationTime(subjectTimes.back());
    subjectFirst = !subjectFirst;
  }
  const double base = Median(baselineTimes);
  state.counters["baseline_us"] = base * 1e6;
  state.counters[kRatio] = base > 0 ? Median(subjectTimes) / base : 0;
  state.counters[kTarget] = target;
}

// A measurement that needs a process of its own: the suite runs itself again with
// "--probe NAME ARGUMENTS..." and the probe's exit code and output are its answer.
using Probe = int (*)(int argc, char** argv);
bool RegisterProbe(const char* name, Probe probe);
// Runs probe `name` in a fresh copy of this program; answers what it printed.
std::string RunProbe(const std::string& name, const std::vector<std::string>& arguments);

}  // namespace bench
