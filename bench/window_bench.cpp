// The expiry warning window against the scan it shows: opening a window of 10^4 lines in the
// host's main window and painting it once, against the expiry scan alone on the same store.
#include <string>

#include "figure.h"
#include "host_windows.h"
#include "plugin/globals.h"
#include "store_data.h"

namespace {

constexpr double kWarningWindowTarget = 3;
constexpr int kRaces = 10000;
constexpr int kTurn = 5;

// The plug-in started once in the host's main window, with one game of 10^4 pacts in force.
HostMainWindow& StartedPlugin() {
  static HostMainWindow* windows = [] {
    auto* main = new HostMainWindow;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CMapStringToString startup;
    theApp.OnInitialize(startup);
    for (int race = 0; race < kRaces; ++race) {
      Store.AddPact("Alpha/Xar", bench::RaceName(race).c_str(), 1,
                    static_cast<DWORD>(10 + race % 900), "");
    }
    CurrentContext.gameName = "Alpha";
    CurrentContext.raceName = "Xar";
    CurrentContext.storeKey = "Alpha/Xar";
    CurrentContext.turn = kTurn;
    return main;
  }();
  return *windows;
}

void WarningWindow(benchmark::State& state) {
  HostMainWindow& windows = StartedPlugin();
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  CStringArray lines;
  std::size_t painted = 0;
  bench::Compare(
      state, kWarningWindowTarget, bench::kMilliseconds, [&] { windows.CloseAll(); },
      [&] { Store.GetExpiryWarnings("Alpha/Xar", kTurn, 999, lines, FALSE); },
      [&] {
        theApp.OpenWarningWindow(true, false);
        painted = windows.Paint(windows.Active()).items.size();
      });
  windows.CloseAll();
  if (painted != 2 * kRaces) state.SkipWithError("the window did not paint every line");
}
BENCHMARK(WarningWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
