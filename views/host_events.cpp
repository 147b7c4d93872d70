// The host's events: the games list, a loaded report, the game the player activates and the
// planet shown. They keep the current game in step, move old memos to full store keys, drop
// expired pacts when asked to, and open or show the warning windows.
#include <algorithm>

#include "common/decimal.h"
#include "plugin/globals.h"
#include "store/storable_text.h"
#include "views/warning_window.h"

namespace {

// The automatic warnings open a window only when the scan finds something, and honour only
// the Always choices.
void WarnOfExpiringPacts(PluginApp& app) {
  CStringArray lines;
  Store.GetExpiryWarnings(CurrentContext.storeKey, static_cast<DWORD>(CurrentContext.turn),
                          Settings.ExpThr, lines, FALSE);
  if (lines.IsEmpty()) return;
  app.OpenWarningWindow(Settings.ShowAll > 1, Settings.ShowInfo > 1);
}

BOOL IsSeen(const CString& key) {
  for (INT_PTR i = 0; i < SeenKeys.GetSize(); ++i) {
    if (SeenKeys[i] == key) return TRUE;
  }
  return FALSE;
}

// The current turn of a game: its "List" "Turns" answer numbers the turns from 1.
int CurrentTurnOf(PluginApp& app) {
  CStringArray parameters;
  parameters.Add("Turns");
  HostRequest answer;
  app.CallHost(CurrentContext.gameName, CurrentContext.raceName, 0, "List", parameters, answer);
  int turn = 0;
  CString key, value;
  for (POSITION position = answer.GetStartPosition(); position;) {
    answer.GetNextAssoc(position, key, value);
    turn = (std::max)(turn, WrappingSum(ReadDecimal(key), -1));
  }
  return turn;
}

// Whether `name` is the store key of a game the list names: a game whose name holds "/" must not
// take over that game's memo as if it were its own old one.
BOOL IsListedKey(const CMapStringToString& request, int games, const CString& name) {
  if (name.Find('/') < 0) return FALSE;
  CString game, race;
  for (int i = 1; i <= games; ++i) {
    CString gameKey, raceKey;
    gameKey.Format("Game.%d", i);
    raceKey.Format("Race.%d", i);
    if (!request.Lookup(gameKey, game) || !request.Lookup(raceKey, race)) return FALSE;
    if (StoreKeyOf(game, race) == name) return TRUE;
  }
  return FALSE;
}

}  // namespace

void PluginApp::OnGamesListModified(CMapStringToString& request) {
  AFX_MAINTAIN_STATE2 hostState(AfxGetAppModuleState());
  CString count;
  if (!request.Lookup("Count", count)) return;
  const int games = ReadDecimal(count);
  for (int i = 1; i <= games; ++i) {
    CString gameKey, raceKey;
    gameKey.Format("Game.%d", i);
    raceKey.Format("Race.%d", i);
    if (!request.Lookup(gameKey, CurrentContext.gameName)) return;
    if (!request.Lookup(raceKey, CurrentContext.raceName)) return;
    CurrentContext.storeKey = StoreKeyOf(CurrentContext.gameName, CurrentContext.raceName);
    if (IsSeen(CurrentContext.storeKey)) continue;
    SeenKeys.Add(CurrentContext.storeKey);
    // Older store files kept a game's memo under the bare game name. It stays there when the
    // file could not carry the full key back, rather than be lost at the next save.
    if (IsStorableKey(CurrentContext.storeKey) &&
        !IsListedKey(request, games, CurrentContext.gameName)) {
      Store.RenameKey(CurrentContext.gameName, CurrentContext.storeKey);
    }
    CurrentContext.turn = CurrentTurnOf(*this);
    if (Settings.DeleteExpired) {
      Store.RemoveExpired(CurrentContext.storeKey, static_cast<DWORD>(CurrentContext.turn));
    }
    if (Settings.WarnOnGame) WarnOfExpiringPacts(*this);
  }
}

void PluginApp::OnReportLoaded(CMapStringToString& request) {
  AFX_MAINTAIN_STATE2 hostState(AfxGetAppModuleState());
  if (!LookupGameAndRace(request, CurrentContext) || !LookupTurn(request, CurrentContext)) return;
  if (Settings.DeleteExpired) {
    Store.RemoveExpired(CurrentContext.storeKey, static_cast<DWORD>(CurrentContext.turn));
  }
  if (Settings.WarnOnReport) WarnOfExpiringPacts(*this);
}

void PluginApp::OnActivate(CMapStringToString& request) {
  if (!LookupGameAndRace(request, CurrentContext)) return;
  for (POSITION templates = GetFirstDocTemplatePosition(); templates;) {
    CDocTemplate* docTemplate = GetNextDocTemplate(templates);
    for (POSITION documents = docTemplate->GetFirstDocPosition(); documents;) {
      docTemplate->GetNextDoc(documents)->UpdateAllViews(nullptr, kShowOrHideHint);
    }
  }
}

void PluginApp::OnPlanetChanged(CMapStringToString& request) {
  if (!request.Lookup("GameName", CurrentContext.gameName)) return;
  CurrentContext.storeKey = StoreKeyOf(CurrentContext.gameName, CurrentContext.raceName);
  PlanetContext.storeKey = CurrentContext.storeKey;
  request.Lookup("Owner", PlanetContext.owner);
}
