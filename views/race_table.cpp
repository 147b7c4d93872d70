// The race table's pact cells: each row of the host's race table passes through here before
// it is shown; the row's race gets its pact state in the status cell and the conditions of
// that pact appended to the info cell.
#include "common/decimal.h"
#include "plugin/globals.h"
#include "plugin/host_names.h"

namespace {

constexpr DecimalFormat kPactStatus("Pact(%d)");
constexpr DecimalFormat kOffpactStatus("Offpact(%d)");

// Cells outside the row are left alone: stored column settings may name any index.
BOOL HasCell(const CStringArray& row, int index) { return index >= 0 && index < row.GetSize(); }

void SetCell(CStringArray& row, int index, const CString& text) {
  if (HasCell(row, index)) row[index] = text;
}

void AppendConditions(CStringArray& row, int index, const CString& conditions) {
  if (conditions.IsEmpty() || !HasCell(row, index)) return;
  CString& cell = row[index];
  if (cell.IsEmpty()) {
    cell = conditions;
  } else {
    cell += '/';
    cell += conditions;
  }
}

}  // namespace

void PluginApp::OnTableProcessor(CMapStringToString& request, CStringArray& row) {
  CString id;
  if (!request.Lookup("ID", id) || id != kRaceTableHook) return;
  if (!LookupGameAndRace(request, CurrentContext) || !LookupTurn(request, CurrentContext)) return;
  if (row.IsEmpty()) return;

  // The row's race is looked up once, before any cell is written: a status column set to 0
  // would overwrite the race's name.
  const PactHistory* history = Store.FindHistory(CurrentContext.storeKey, row[0]);
  if (!history) return;
  const auto turn = static_cast<DWORD>(CurrentContext.turn);
  CString status;
  if (const DWORD end = history->GetPactEnd(turn)) {
    const CString conditions = history->GetConditionsAt(turn);
    kPactStatus.Format(status, static_cast<int>(end));
    SetCell(row, Settings.StatusColumn, status);
    AppendConditions(row, Settings.InfoColumn, conditions);
    return;
  }
  if (!Settings.ShowExpiredTurn) return;
  const DWORD last = history->GetLastTurn();
  if (last == 0) return;
  const CString conditions =
      Settings.ShowExpiredConditions ? history->GetConditionsAt(last) : CString();
  kOffpactStatus.Format(status, static_cast<int>(last));
  SetCell(row, Settings.StatusColumn, status);
  AppendConditions(row, Settings.InfoColumn, conditions);
}
