// The small process-wide records the entry points share: which game the player is looking at,
// which planet was last reported, and how the next warning window is to be filled.
#pragma once

#include "common/framework.h"

// The game, own race and turn of the request an entry point last accepted.
struct GameContext {
  CString gameName;
  CString raceName;
  CString storeKey;  // game name, "/", own race name
  int turn = 0;
};

// The store key current when a planet was last reported, and that planet's owner.
struct PlanetRecord {
  CString storeKey;
  CString owner;
};

// Set by whoever opens a warning window, just before opening it.
struct WarningFlags {
  bool listAll = false;
  bool showConditions = false;
};

// Store keys already handled; grows ten at a time.
class KeyList : public CStringArray {
 public:
  KeyList() { SetSize(0, 10); }
};

// A store key: the game name, "/", the player's own race in that game.
CString StoreKeyOf(const CString& gameName, const CString& raceName);

// Takes "GameName", then "RaceName", into the context, each as soon as it is found, and forms
// the store key from them; FALSE, with the store key left as it was, when either is missing.
BOOL LookupGameAndRace(const CMapStringToString& request, GameContext& context);
// Takes "Turn" into the context; FALSE when it is missing.
BOOL LookupTurn(const CMapStringToString& request, GameContext& context);
