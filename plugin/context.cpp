#include "plugin/context.h"

#include "plugin/decimal.h"

CString StoreKeyOf(const CString& gameName, const CString& raceName) {
  return gameName + "/" + raceName;
}

BOOL LookupGameAndRace(const CMapStringToString& request, GameContext& context) {
  if (!request.Lookup("GameName", context.gameName)) return FALSE;
  if (!request.Lookup("RaceName", context.raceName)) return FALSE;
  context.storeKey = StoreKeyOf(context.gameName, context.raceName);
  return TRUE;
}

BOOL LookupTurn(const CMapStringToString& request, GameContext& context) {
  CString turn;
  if (!request.Lookup("Turn", turn)) return FALSE;
  context.turn = ReadDecimal(turn);
  return TRUE;
}
