// A figure of the benchmark suite: the plug-in's time (or memory) for some work divided by that
// of a plain baseline doing the same work on the same data. The two are measured alternately,
// time in processor time of the measuring thread, so that a noisy machine slows both alike.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

// Counter names the suite's reporter reads back.
inline constexpr const char* kRatio = "ratio";
inline constexpr const char* kTarget = "target";
inline constexpr const char* kSubject = "subject";
inline constexpr const char* kBaseline = "baseline";
// The target of a figure shown for reference only, checked against nothing.
inline constexpr double kReference = 0;

// How the two sides of a figure are shown: in `name`, each value in seconds (or bytes) times
// `scale`.
struct Unit {
  const char* name;
  double scale;
};
inline constexpr Unit kMilliseconds{"ms", 1e3};
inline constexpr Unit kMicroseconds{"us", 1e6};
inline constexpr Unit kMegabytes{"MB", 1e-6};

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

// The processor time `work` takes on this thread, page faults included: time the machine gives
// to other processes does not count, so a busy machine changes the figures little.
template <class Work>
double SecondsOf(Work& work) {
  const double start = ThreadSeconds();
  work();
  return ThreadSeconds() - start;
}

// The seconds of samples a figure takes at least: the suite's --benchmark_min_time.
double MinTime();
void SetMinTime(double seconds);

// Whether `samples` pairs of samples that took `seconds` in all make a fair median: five at
// least, and the minimum time.
inline bool EnoughSamples(std::size_t samples, double seconds) {
  constexpr std::size_t kFewest = 5;
  constexpr std::size_t kMost = 100000;
  return samples >= kMost || (samples >= kFewest && seconds >= MinTime());
}

struct Medians {
  double subject;
  double baseline;
};

// Times `subject` against `baseline` in turns, in alternating order, until there are enough
// samples; `prepare` runs untimed before each of them. Answers the medians in seconds.
template <class Prepare, class Baseline, class Subject>
Medians Alternate(Prepare prepare, Baseline baseline, Subject subject) {
  std::vector<double> baselineTimes, subjectTimes;
  double spent = 0;
  for (bool subjectFirst = false; !EnoughSamples(subjectTimes.size(), spent);
       subjectFirst = !subjectFirst) {
    for (int turn = 0; turn < 2; ++turn) {
      prepare();
      if ((turn == 0) == subjectFirst) {
        subjectTimes.push_back(SecondsOf(subject));
        spent += subjectTimes.back();
      } else {
        baselineTimes.push_back(SecondsOf(baseline));
        spent += baselineTimes.back();
      }
    }
  }
  return {Median(subjectTimes), Median(baselineTimes)};
}

// Sets the figure's counters: the two sides in `unit`, their ratio and the target.
inline void Report(benchmark::State& state, double target, Unit unit, double subject,
                   double baseline) {
  state.counters[kSubject] = subject * unit.scale;
  state.counters[kBaseline] = baseline * unit.scale;
  state.counters[kRatio] = baseline > 0 ? subject / baseline : 0;
  state.counters[kTarget] = target;
  state.SetLabel(unit.name);
}

// A whole figure as a benchmark of one iteration and manual time: `subject` against
// `baseline` by Alternate, reported in `unit`.
template <class Prepare, class Baseline, class Subject>
void Compare(benchmark::State& state, double target, Unit unit, Prepare prepare, Baseline baseline,
             Subject subject) {
  for (auto _ : state) {
    const Medians medians = Alternate(prepare, baseline, subject);
    state.SetIterationTime(medians.subject);
    Report(state, target, unit, medians.subject, medians.baseline);
  }
}

// The grid of shapes as benchmark arguments: pacts per race, races per key, lines.
void OverTheGrid(benchmark::internal::Benchmark* benchmark);

// A measurement that needs a process of its own: the suite runs itself again with
// "--probe NAME ARGUMENTS..." and the probe's exit code and output are its answer.
using Probe = int (*)(int argc, char** argv);
bool RegisterProbe(const char* name, Probe probe);
// Runs probe `name` in a fresh copy of this program; answers what it printed, or nothing when
// it failed.
std::string RunProbe(const std::string& name, const std::vector<std::string>& arguments);

}  // namespace bench
