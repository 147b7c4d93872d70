// The treaty commands of the host's views: "Sign treaty" and "Break treaty" on the races the
// view names, and "Pact warnings". A command that gets through ends by refreshing the race
// table and saving the store file and the condition dictionary.
#include <algorithm>
#include <utility>
#include <vector>

#include "common/decimal.h"
#include "plugin/globals.h"
#include "plugin/host_names.h"
#include "store/storable_text.h"
#include "treaty/sign_treaty_dialog.h"

namespace {

constexpr const char* kSignTreaty = "Sign treaty";
constexpr const char* kBreakTreaty = "Break treaty";
constexpr const char* kPactWarnings = "Pact warnings";
constexpr const char* kBreakQuestion = "Are you sure you want to break treaty with %d race(s)?";

// The races a command acts on: the host's selection reply ("1" to "Count") and its count.
struct Targets {
  HostRequest selection;
  int count = 0;
  CString first;
};

CString ValueOf(const HostRequest& request, const char* key) {
  CString value;
  request.Lookup(key, value);
  return value;
}

void CallHostIn(PluginApp& app, const GameContext& context, const char* function,
                const CStringArray& parameters, HostRequest& answer) {
  app.CallHost(context.gameName, context.raceName, static_cast<DWORD>(context.turn), function,
               parameters, answer);
}

void Select(PluginApp& app, const GameContext& context, const char* view, const char* column,
            HostRequest& reply) {
  CStringArray parameters;
  parameters.Add(view);
  parameters.Add(column);
  CallHostIn(app, context, "Selection", parameters, reply);
}

// The races of the view the command came from; FALSE when it names none the command may use.
BOOL FindTargets(PluginApp& app, const GameContext& context, const CString& view,
                 Targets& targets) {
  if (view == kRaceTableView) {
    Select(app, context, kRaceTableView, "Name", targets.selection);
    CString count;
    if (!targets.selection.Lookup("Count", count)) return FALSE;
    targets.count = ReadDecimal(count);
    targets.first = ValueOf(targets.selection, "1");
    return TRUE;
  }
  if (view == kPlanetView) {
    // A planet nobody owns names no race.
    if (PlanetContext.storeKey != context.storeKey || PlanetContext.owner.IsEmpty()) return FALSE;
    targets.first = PlanetContext.owner;
    targets.selection.SetAt("1", targets.first);
    targets.count = 1;
    return TRUE;
  }
  if (view == kRelationsView) {
    Select(app, context, kRelationsView, "From", targets.selection);
    if (ValueOf(targets.selection, "Count") != "1") return FALSE;
    targets.count = 1;
    targets.first = ValueOf(targets.selection, "1");
    // A relation the own race starts is about the race at its other end.
    if (targets.first == context.raceName) {
      Select(app, context, kRelationsView, "To", targets.selection);
      targets.first = ValueOf(targets.selection, "1");
    }
    return TRUE;
  }
  return FALSE;
}

// The selected races the reply holds, in selection order. A count beyond the entries present
// costs no more than the entries: the reply is walked, not the count.
void SelectedRaces(const Targets& targets, CStringArray& races) {
  std::vector<std::pair<int, CString>> rows;
  CString key, race;
  for (POSITION position = targets.selection.GetStartPosition(); position;) {
    targets.selection.GetNextAssoc(position, key, race);
    const int row = ReadDecimal(key);
    if (row >= 1 && row <= targets.count && key == DecimalText(row)) rows.emplace_back(row, race);
  }
  std::sort(rows.begin(), rows.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  races.RemoveAll();
  for (const auto& [row, name] : rows) races.Add(name);
}

// FALSE when nothing was signed.
BOOL SignTreaty(PluginApp& app, const GameContext& context, CString race) {
  // A game whose section the store file could not carry back gets no pact at all.
  if (!IsStorableKey(context.storeKey)) return FALSE;
  const auto turn = static_cast<DWORD>(context.turn);
  CString conditions = Store.GetConditionsAt(context.storeKey, race, turn);
  int from = 0;
  int to = 0;
  if (!app.ShowSignTreatyDialog(context.gameName, context.turn, race, from, to, conditions)) {
    return FALSE;
  }
  // The dialog accepts nothing else; should anything else come back, no pact is better than
  // one the player did not state.
  if (from < 0 || from > to || race.IsEmpty() || race == context.raceName ||
      !IsStorableRaceName(race)) {
    return FALSE;
  }
  Store.AddPact(context.storeKey, race, static_cast<DWORD>(from), static_cast<DWORD>(to),
                conditions);
  if (Settings.DeclarePeaceOnSign) {
    CStringArray parameters;
    parameters.Add("DeclarePeace");
    parameters.Add(race);
    HostRequest answer;
    CallHostIn(app, context, "Add", parameters, answer);
  }
  return TRUE;
}

// FALSE when there is nothing to break or the player did not confirm.
BOOL BreakTreaties(PluginApp& app, const GameContext& context, const Targets& targets) {
  CStringArray races;
  SelectedRaces(targets, races);
  // A row without a name, or the own race's, names no one to break with or declare war on.
  for (INT_PTR i = races.GetSize() - 1; i >= 0; --i) {
    if (races[i].IsEmpty() || races[i] == context.raceName) races.RemoveAt(i);
  }
  if (races.IsEmpty()) return FALSE;
  CString question;
  question.Format(kBreakQuestion, static_cast<int>(races.GetSize()));
  if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return FALSE;
  for (INT_PTR i = 0; i < races.GetSize(); ++i) {
    Store.BreakPact(context.storeKey, races[i], static_cast<DWORD>(context.turn));
  }
  if (Settings.DeclareWarOnBreak) {
    races.InsertAt(0, "DeclareWar");
    HostRequest answer;
    CallHostIn(app, context, "Add", races, answer);
  }
  return TRUE;
}

}  // namespace

void PluginApp::OnUserCommand(CMapStringToString& request) {
  if (!LookupGameAndRace(request, CurrentContext)) return;
  CString turn, command, view;
  if (!request.Lookup("Turn", turn) || !request.Lookup("Command", command) ||
      !request.Lookup("SID", view)) {
    return;
  }
  CurrentContext.turn = ReadDecimal(turn);
  // Other entry points may run while the dialog or the question is open and move the current
  // game on; the command stays in the game, race and turn it was chosen in.
  const GameContext context = CurrentContext;

  if (command == kPactWarnings) {
    // An explicit request honours both the Explicit and the Always choices.
    OpenWarningWindow(Settings.ShowAll > 0, Settings.ShowInfo > 0);
    return;
  }
  Targets targets;
  if (!FindTargets(*this, context, view, targets)) return;
  if (command == kSignTreaty && !SignTreaty(*this, context, targets.first)) return;
  if (command == kBreakTreaty && !BreakTreaties(*this, context, targets)) return;

  RefreshRaceTable(context);
  SaveMemo();
}

BOOL PluginApp::ShowSignTreatyDialog(CString gameName, int turn, CString& race, int& fromTurn,
                                     int& toTurn, CString& conditions) {
  HostRequest races;
  CStringArray parameters;
  parameters.Add("Races");
  CallHost(gameName, CurrentContext.raceName, static_cast<DWORD>(turn), "List", parameters, races);

  SignTreatyDialog dialog(races, turn, conditions);
  dialog.Race = race;
  dialog.OwnRace = CurrentContext.raceName;
  if (dialog.DoModal() != IDOK) return FALSE;
  race = dialog.Race;
  fromTurn = ReadDecimal(dialog.FromText);
  toTurn = ReadDecimal(dialog.TillText);
  conditions = dialog.SelectedConditions;
  return TRUE;
}
