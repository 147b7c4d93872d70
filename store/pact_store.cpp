#include "store/pact_store.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

#include "store/owned_map.h"

struct HistoryPool::Block {
  // A block of about four kilobytes: a few hundred histories, or a small store's all.
  static constexpr std::size_t kPlaces = 127;
  Block* next;
  Place places[kPlaces];
};

HistoryPool::~HistoryPool() {
  while (Block* block = blocks_) {
    blocks_ = block->next;
    ::operator delete(block);
  }
}

PactHistory* HistoryPool::New() {
  void* place;
  if (free_) {
    place = free_;
    free_ = free_->nextFree;
  } else {
    if (!blocks_ || used_ == Block::kPlaces) {
      void* memory = ::operator new(sizeof(Block), std::nothrow);
      if (!memory) AfxThrowMemoryException();
      auto* block = static_cast<Block*>(memory);
      block->next = blocks_;
      blocks_ = block;
      used_ = 0;
    }
    place = blocks_->places[used_++].bytes;
  }
  return new (place) PactHistory;
}

void HistoryPool::Delete(PactHistory* history) {
  history->~PactHistory();
  auto* place = reinterpret_cast<Place*>(history);
  place->nextFree = free_;
  free_ = place;
}

void HistoryPool::Swap(HistoryPool& other) noexcept {
  std::swap(free_, other.free_);
  std::swap(blocks_, other.blocks_);
  std::swap(used_, other.used_);
}

RacePacts::~RacePacts() {
  ForEachOwned<PactHistory>(*this, [&](const CString&, PactHistory& history) {
    if (pool_) {
      pool_->Delete(&history);
    } else {
      delete &history;
    }
  });
  RemoveAll();
}

PactHistory* RacePacts::Find(const char* race) const { return FindOwned<PactHistory>(*this, race); }

PactHistory& RacePacts::FindOrCreate(const char* race) {
  CObject*& value = (*this)[race];
  if (!value) value = pool_ ? pool_->New() : new PactHistory;
  return *static_cast<PactHistory*>(value);
}

void RacePacts::AddPact(CString race, DWORD from, DWORD to, CString conditions) {
  FindOrCreate(race).AddInterval(from, to, conditions);
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

RacePacts& PactStore::FindOrCreate(const char* key) {
  CObject*& value = (*this)[key];
  if (!value) value = new RacePacts(&pool_);
  return *static_cast<RacePacts*>(value);
}

void PactStore::Record(const Change& change) {
  // Room first, so that a change made is always a change remembered; it grows by doubling, as
  // push_back would, rather than by one place per change.
  if (changes_.size() == changes_.capacity()) {
    changes_.reserve((std::max)(std::size_t{8}, 2 * changes_.size()));
  }
  Apply(change);
  changes_.push_back(change);
}

void PactStore::Apply(const Change& change) {
  switch (change.kind) {
    case Change::sign:
      FindOrCreate(change.key).AddPact(change.race, change.from, change.to, change.conditions);
      break;
    case Change::breakPact:
      if (RacePacts* races = Find(change.key)) races->BreakPact(change.race, change.from);
      break;
    case Change::dropExpired:
      if (RacePacts* races = Find(change.key)) races->RemoveExpired(change.from);
      break;
    case Change::renameKey: {
      RacePacts* moved = Find(change.key);
      if (!moved || change.key == change.race) break;
      RacePacts* held = Find(change.race);
      if (held) {
        ForEachOwned<PactHistory>(*moved, [&](const CString& race, PactHistory& older) {
          held->FindOrCreate(race).TakeOlder(older);
        });
        delete moved;
      } else {
        SetAt(change.race, moved);
      }
      RemoveKey(change.key);
      break;
    }
  }
}

void PactStore::AddPact(CString key, CString race, DWORD from, DWORD to, CString conditions) {
  Record({Change::sign, key, race, from, to, conditions});
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

// Changes are remembered even where this store holds nothing to change: the file, read again
// before a save, may hold what they are meant for.
void PactStore::RemoveExpired(CString key, DWORD turn) {
  Record({Change::dropExpired, key, CString(), turn, 0, CString()});
}

void PactStore::BreakPact(CString key, CString race, DWORD turn) {
  Record({Change::breakPact, key, race, turn, 0, CString()});
}

const PactHistory* PactStore::FindHistory(const char* key, const char* race) const {
  const RacePacts* races = Find(key);
  return races ? races->FindHistory(race) : nullptr;
}

void PactStore::RenameKey(CString oldKey, CString newKey) {
  Record({Change::renameKey, oldKey, newKey, 0, 0, CString()});
}
