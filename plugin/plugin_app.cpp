#include "plugin/plugin_app.h"

#include "plugin/globals.h"
#include "plugin/host_names.h"

namespace {

constexpr const char* kAuthor = "Trucelog team";
constexpr const char* kVersion = "v.2.2.3";
constexpr const char* kDate = "09/09/2001";
// "Treaty register" in the host's Cyrillic code page.
constexpr const char* kDescription =
    "\xD0\xE5\xE3\xE8\xF1\xF2\xF0\xE0\xF2\xEE\xF0 \xE4\xEE\xE3\xEE\xE2\xEE\xF0\xEE\xE2";

}  // namespace

BEGIN_MESSAGE_MAP(PluginApp, HostPluginBase)
END_MESSAGE_MAP()

PluginApp::PluginApp() : HostPluginBase(kPluginName) {}

void PluginApp::OnAbout(CMapStringToString& answer) {
  answer.SetAt("Name", kPluginName);
  answer.SetAt("Author", kAuthor);
  answer.SetAt("Version", kVersion);
  answer.SetAt("Date", kDate);
  answer.SetAt("Description", kDescription);
}

void PluginApp::RefreshRaceTable(const GameContext& context) {
  CStringArray parameters;
  parameters.Add(kRaceTableView);
  HostRequest answer;
  CallHost(context.gameName, context.raceName, static_cast<DWORD>(context.turn), "Refresh",
           parameters, answer);
}
