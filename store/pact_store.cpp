#include "store/pact_store.h"

#include "store/owned_map.h"

RacePacts::~RacePacts() { DeleteOwned(*this); }

PactHistory* RacePacts::Find(const char* race) const { return FindOwned<PactHistory>(*this, race); }

void RacePacts::AddPact(CString race, DWORD from, DWORD to, CString conditions) {
  FindOrCreateOwned<PactHistory>(*this, race).AddInterval(from, to, conditions);
}

DWORD RacePacts::GetPactEnd(CString race, DWORD turn) const {
  const PactHistory* history = Find(race);
  return history ? history->GetPactEnd(turn) : 0;
}

CString RacePacts::GetConditionsAt(CString race, DWORD turn) const {
  const PactHistory* history = Find(race);
  return history ? history->GetConditionsAt(turn) : CString();
}

DWORD RacePacts::GetLastTurn(CString race) const {
  const PactHistory* history = Find(race);
  return history ? history->GetLastTurn() : 0;
}

void RacePacts::RemoveExpired(DWORD turn) {
  ForEachOwned<PactHistory>(
      *this, [&](const CString&, PactHistory& history) { history.RemoveEndedBefore(turn); });
}

void RacePacts::BreakPact(CString race, DWORD turn) {
  if (PactHistory* history = Find(race)) history->CutAfter(turn);
}

void RacePacts::WriteLines(CStringList& lines) const {
  ForEachOwned<PactHistory>(*this, [&](const CString& race, const PactHistory& history) {
    history.WriteLines(race, lines);
  });
}

PactStore::~PactStore() { DeleteOwned(*this); }

RacePacts* PactStore::Find(const char* key) const { return FindOwned<RacePacts>(*this, key); }

void PactStore::AddPact(CString key, CString race, DWORD from, DWORD to, CString conditions) {
  FindOrCreateOwned<RacePacts>(*this, key).AddPact(race, from, to, conditions);
}

DWORD PactStore::GetPactEnd(CString key, CString race, DWORD turn) const {
  const RacePacts* races = Find(key);
  return races ? races->GetPactEnd(race, turn) : 0;
}

CString PactStore::GetConditionsAt(CString key, CString race, DWORD turn) const {
  const RacePacts* races = Find(key);
  return races ? races->GetConditionsAt(race, turn) : CString();
}

DWORD PactStore::GetLastTurn(CString key, CString race) const {
  const RacePacts* races = Find(key);
  return races ? races->GetLastTurn(race) : 0;
}

void PactStore::RemoveExpired(CString key, DWORD turn) {
  if (RacePacts* races = Find(key)) races->RemoveExpired(turn);
}

void PactStore::BreakPact(CString key, CString race, DWORD turn) {
  if (RacePacts* races = Find(key)) races->BreakPact(race, turn);
}

const PactHistory* PactStore::FindHistory(const char* key, const char* race) const {
  const RacePacts* races = Find(key);
  return races ? races->FindHistory(race) : nullptr;
}

void PactStore::RenameKey(CString oldKey, CString newKey) {
  RacePacts* moved = Find(oldKey);
  if (!moved) return;
  RemoveKey(oldKey);
  delete Find(newKey);
  SetAt(newKey, moved);
}
