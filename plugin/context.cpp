#include "plugin/context.h"

#include <cstring>

#include "common/decimal.h"

namespace {

BOOL StartsWith(const char* text, const CString& start) {
  return std::memcmp(text, start.GetString(), static_cast<std::size_t>(start.GetLength())) == 0;
}

// Whether `key` is already StoreKeyOf(gameName, raceName).
BOOL IsStoreKeyOf(const CString& key, const CString& gameName, const CString& raceName) {
  const int game = gameName.GetLength();
  return key.GetLength() == game + 1 + raceName.GetLength() && StartsWith(key, gameName) &&
         key.GetString()[game] == '/' && StartsWith(key.GetString() + game + 1, raceName);
}

}  // namespace

CString StoreKeyOf(const CString& gameName, const CString& raceName) {
  return gameName + "/" + raceName;
}

BOOL LookupGameAndRace(const CMapStringToString& request, GameContext& context) {
  if (!request.Lookup("GameName", context.gameName)) return FALSE;
  if (!request.Lookup("RaceName", context.raceName)) return FALSE;
  // The rows of a table come with one game and race: the key is formed only when it changes.
  if (!IsStoreKeyOf(context.storeKey, context.gameName, context.raceName)) {
    context.storeKey = StoreKeyOf(context.gameName, context.raceName);
  }
  return TRUE;
}

BOOL LookupTurn(const CMapStringToString& request, GameContext& context) {
  CString turn;
  if (!request.Lookup("Turn", turn)) return FALSE;
  context.turn = ReadDecimal(turn);
  return TRUE;
}
