// The treaty commands of the host's views, and the sign-treaty dialog as they run it.
#include "plugin/decimal.h"
#include "plugin/globals.h"
#include "treaty/sign_treaty_dialog.h"

BOOL PluginApp::ShowSignTreatyDialog(CString gameName, int turn, CString& race, int& fromTurn,
                                     int& toTurn, CString& conditions) {
  HostRequest races;
  CStringArray parameters;
  parameters.Add("Races");
  CallHost(gameName, CurrentContext.raceName, static_cast<DWORD>(turn), "List", parameters, races);

  SignTreatyDialog dialog(races, turn, conditions);
  dialog.Race = race;
  if (dialog.DoModal() != IDOK) return FALSE;
  race = dialog.Race;
  fromTurn = ReadDecimal(dialog.FromText);
  toTurn = ReadDecimal(dialog.TillText);
  conditions = dialog.SelectedConditions;
  return TRUE;
}
