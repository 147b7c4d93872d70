// Start-up from whatever the host's settings store holds: each setting set or not, to a usual
// or an odd value, flags of any length and bytes, a dictionary of any count and entries. Then
// what reads the settings runs once: a race-table row, a report with its warnings, the
// configuration's OK and shut-down.
#include <cstdint>

#include "fuzz_host.h"
#include "host_windows.h"
#include "plugin_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HostMainWindow* windows = new HostMainWindow;
  fuzz::Input input(data, size);
  fuzz::Host host(input);
  fuzz::StartOnce();
  fuzz::FillSettings(input, host.settings);
  fuzz::WriteStoreFile(input);
  fuzz::Restart();

  fuzz::AsEntryPoint([&] {
    Store.AddPact("Alpha/Xar", "Vor", 10, 15, "NA/TR");
    Store.AddPact("Alpha/Xar", "Vor", 16, 20, "");
    Store.AddPact("Alpha/Xar", "Kel", 1, 5, "TR");

    CMapStringToString request;
    request.SetAt("GameName", "Alpha");
    request.SetAt("RaceName", "Xar");
    request.SetAt("Turn", input.Number().c_str());
    request.SetAt("ID", "13");
    CStringArray row;
    row.SetSize(input.Pick(32));
    if (row.GetSize() > 0) row[0] = input.Coin() ? "Vor" : "Kel";
    theApp.OnTableProcessor(request, row);
    theApp.OnReportLoaded(request);
    theApp.OnOK(request);
    theApp.OnClose();
  });
  windows->CloseAll();
  windows->PumpMessages();
  return 0;
}
