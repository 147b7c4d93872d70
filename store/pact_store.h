// Every pact of every game: store key ("game/own race") to the races that race keeps pacts
// with, each race to its PactHistory. There is one store in the plug-in; it also carries the
// condition dictionary. Lookups of keys or races it does not hold answer 0 or the empty
// string; only AddPact creates entries and nothing removes them. Each map owns its values.
#pragma once

#include "plugin/framework.h"
#include "store/pact_history.h"
#include "treaty/condition_dictionary.h"

// The pacts of one store key: other race to its PactHistory.
class RacePacts : public CMapStringToOb {
 public:
  ~RacePacts() override;

  void AddPact(CString race, DWORD from, DWORD to, CString conditions);
  DWORD GetPactEnd(CString race, DWORD turn) const;
  CString GetConditionsAt(CString race, DWORD turn) const;
  DWORD GetLastTurn(CString race) const;
  void RemoveExpired(DWORD turn);
  void BreakPact(CString race, DWORD turn);
  // Appends the store-file lines of every race.
  void WriteLines(CStringList& lines) const;
  const PactHistory* FindHistory(const char* race) const { return Find(race); }

  // The warning lines of the pacts in force at `turn` that end within `threshold` turns,
  // soonest first, races with equal turns left in visiting order. `conditions`, when given,
  // receives each listed pact's conditions string at the warning's position.
  void ScanExpiry(DWORD turn, int threshold, CStringArray& lines, CStringArray* conditions) const;

 private:
  PactHistory* Find(const char* race) const;
};

class PactStore : public CMapStringToOb {
 public:
  ~PactStore() override;

  void AddPact(CString key, CString race, DWORD from, DWORD to, CString conditions);
  DWORD GetPactEnd(CString key, CString race, DWORD turn) const;
  CString GetConditionsAt(CString key, CString race, DWORD turn) const;
  DWORD GetLastTurn(CString key, CString race) const;
  void RemoveExpired(CString key, DWORD turn);
  void BreakPact(CString key, CString race, DWORD turn);
  // Moves the pacts of `oldKey` to `newKey`, discarding what `newKey` held.
  void RenameKey(CString oldKey, CString newKey);

  // The history of `race` under `key`, or null, for a caller that asks it several things at
  // once; valid until the store next changes.
  const PactHistory* FindHistory(const char* key, const char* race) const;

  // Fills `lines` (emptied first) with the expiry warnings of `key`, each followed, when asked,
  // by one line per condition of its pact, or by a line saying there are none.
  void GetExpiryWarnings(CString key, DWORD turn, int threshold, CStringArray& lines,
                         BOOL withConditions) const;

  // Adds the pacts of the store file at `path`; a missing or unreadable file adds nothing.
  void Load(const char* path);
  // Replaces the store file at `path` with the whole store, only once the new file is
  // complete; an empty store leaves the file alone.
  void Save(const char* path) const;

  ConditionDictionary Dictionary;

 private:
  RacePacts* Find(const char* key) const;
};
