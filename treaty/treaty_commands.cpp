// The treaty commands of the host's views: "Sign treaty" and "Break treaty" on the races the
// view names, and "Pact warnings". A command that gets through ends by refreshing the race
// table and saving the store file and the condition dictionary.
#include "plugin/decimal.h"
#include "plugin/globals.h"
#include "plugin/host_names.h"
#include "treaty/sign_treaty_dialog.h"
#include "views/warning_window.h"

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

void Select(PluginApp& app, const char* view, const char* column, HostRequest& reply) {
  CStringArray parameters;
  parameters.Add(view);
  parameters.Add(column);
  app.CallHost(CurrentContext.gameName, CurrentContext.raceName,
               static_cast<DWORD>(CurrentContext.turn), "Selection", parameters, reply);
}

// The races of the view the command came from; FALSE when it names none the command may use.
BOOL FindTargets(PluginApp& app, const CString& view, Targets& targets) {
  if (view == kRaceTableView) {
    Select(app, kRaceTableView, "Name", targets.selection);
    CString count;
    if (!targets.selection.Lookup("Count", count)) return FALSE;
    targets.count = ReadDecimal(count);
    targets.first = ValueOf(targets.selection, "1");
    return TRUE;
  }
  if (view == kPlanetView) {
    if (PlanetContext.storeKey != CurrentContext.storeKey) return FALSE;
    targets.first = PlanetContext.owner;
    targets.selection.SetAt("1", targets.first);
    targets.count = 1;
    return TRUE;
  }
  if (view == kRelationsView) {
    Select(app, kRelationsView, "From", targets.selection);
    if (ValueOf(targets.selection, "Count") != "1") return FALSE;
    targets.count = 1;
    targets.first = ValueOf(targets.selection, "1");
    // A relation the own race starts is about the race at its other end.
    if (targets.first == CurrentContext.raceName) {
      Select(app, kRelationsView, "To", targets.selection);
      targets.first = ValueOf(targets.selection, "1");
    }
    return TRUE;
  }
  return FALSE;
}

// What the store file cannot carry back: a comma splits the line, a line break ends it, and a
// leading "@" turns it into a section header that takes the game's later pacts with it.
BOOL IsStorableRaceName(const CString& race) {
  if (race.Find(',') >= 0 || race.Find('\r') >= 0 || race.Find('\n') >= 0) return FALSE;
  CString start = race;
  return start.TrimLeft().Left(1) != "@";
}

// FALSE when nothing was signed.
BOOL SignTreaty(PluginApp& app, CString race) {
  const DWORD turn = static_cast<DWORD>(CurrentContext.turn);
  CString conditions = Store.GetConditionsAt(CurrentContext.storeKey, race, turn);
  int from = 0;
  int to = 0;
  if (!app.ShowSignTreatyDialog(CurrentContext.gameName, CurrentContext.turn, race, from, to,
                                conditions)) {
    return FALSE;
  }
  if (!IsStorableRaceName(race)) return FALSE;
  // The dialog may have run while the host switched games: the context is taken as it is now.
  Store.AddPact(CurrentContext.storeKey, race, static_cast<DWORD>(from), static_cast<DWORD>(to),
                conditions);
  if (Settings.DeclarePeaceOnSign) {
    CStringArray parameters;
    parameters.Add("DeclarePeace");
    parameters.Add(race);
    HostRequest answer;
    app.CallHost(CurrentContext.gameName, CurrentContext.raceName,
                 static_cast<DWORD>(CurrentContext.turn), "Add", parameters, answer);
  }
  return TRUE;
}

// FALSE when the player did not confirm.
BOOL BreakTreaties(PluginApp& app, Targets& targets) {
  CString question;
  question.Format(kBreakQuestion, targets.count);
  if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return FALSE;
  CStringArray races;
  CString race = targets.first;
  for (int i = 1; i <= targets.count; ++i) {
    targets.selection.Lookup(DecimalText(i), race);
    Store.BreakPact(CurrentContext.storeKey, race, static_cast<DWORD>(CurrentContext.turn));
    races.Add(race);
  }
  if (Settings.DeclareWarOnBreak) {
    races.InsertAt(0, "DeclareWar");
    HostRequest answer;
    app.CallHost(CurrentContext.gameName, CurrentContext.raceName,
                 static_cast<DWORD>(CurrentContext.turn), "Add", races, answer);
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

  if (command == kPactWarnings) {
    // An explicit request honours both the Explicit and the Always choices.
    OpenWarningWindow(Settings.ShowAll > 0, Settings.ShowInfo > 0);
    return;
  }
  Targets targets;
  if (!FindTargets(*this, view, targets)) return;
  if (command == kSignTreaty && !SignTreaty(*this, targets.first)) return;
  if (command == kBreakTreaty && !BreakTreaties(*this, targets)) return;

  RefreshRaceTable();
  Store.Save(StorePath);
  Store.Dictionary.SaveConditions(*this);
}

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
