// The race table's pact cells: each row of the host's race table passes through here before
// it is shown; the row's race gets its pact state in the status cell and the conditions of
// that pact appended to the info cell.
#include "plugin/decimal.h"
#include "plugin/globals.h"
#include "plugin/host_names.h"

namespace {

// Cells outside the row are left alone: stored column settings may name any index.
BOOL HasCell(const CStringArray& row, int index) { return index >= 0 && index < row.GetSize(); }

void SetCell(CStringArray& row, int index, const CString& text) {
  if (HasCell(row, index)) row[index] = text;
}

void AppendConditions(CStringArray& row, int index, const CString& conditions) {
  if (conditions.IsEmpty() || !HasCell(row, index)) return;
  CString& cell = row[index];
  cell = cell.IsEmpty() ? conditions : cell + "/" + conditions;
}

}  // namespace

void PluginApp::OnTableProcessor(CMapStringToString& request, CStringArray& row) {
  CString id;
  if (!request.Lookup("ID", id) || id != kRaceTableHook) return;
  if (!LookupGameAndRace(request, CurrentContext) || !LookupTurn(request, CurrentContext)) return;
  if (row.IsEmpty()) return;

  const CString& key = CurrentContext.storeKey;
  const CString race = row[0];
  const auto turn = static_cast<DWORD>(CurrentContext.turn);
  if (const DWORD end = Store.GetPactEnd(key, race, turn)) {
    CString status;
    status.Format("Pact(%d)", static_cast<int>(end));
    SetCell(row, Settings.StatusColumn, status);
    AppendConditions(row, Settings.InfoColumn, Store.GetConditionsAt(key, race, turn));
    return;
  }
  if (!Settings.ShowExpiredTurn) return;
  const DWORD last = Store.GetLastTurn(key, race);
  if (last == 0) return;
  CString status;
  status.Format("Offpact(%d)", static_cast<int>(last));
  SetCell(row, Settings.StatusColumn, status);
  if (Settings.ShowExpiredConditions) {
    AppendConditions(row, Settings.InfoColumn, Store.GetConditionsAt(key, race, last));
  }
}
