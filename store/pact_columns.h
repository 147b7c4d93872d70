// The pacts of one history as three columns of equal length, first turns, last turns and
// conditions, all three in one block of memory, so that a bisection over either turn column
// reads consecutive turns; a history of one pact, the most common, keeps it in place. Owned by
// its PactHistory; knows nothing of what the turns mean, and never reads past its size.
#pragma once

#include <cstddef>

#include "common/framework.h"
#include "store/shared_text.h"

class PactColumns {
 public:
  PactColumns();
  ~PactColumns();
  PactColumns(const PactColumns&) = delete;
  PactColumns& operator=(const PactColumns&) = delete;

  UINT GetSize() const { return size_; }
  const DWORD* FromTurns() const { return Turns(); }
  const DWORD* ToTurns() const { return Turns() + capacity_; }
  DWORD* FromTurns() { return Turns(); }
  DWORD* ToTurns() { return Turns() + capacity_; }
  const SharedText* Conditions() const;
  SharedText* Conditions();

  // Makes room for `rows` rows in all; room is never given back.
  void Reserve(UINT rows);
  // Makes room for one more row than the columns hold, growing by half at least.
  void ReserveOneMore();
  // Inserts a row before `index` (at the end when index is the size).
  void Insert(UINT index, DWORD from, DWORD to, SharedText conditions);
  void Remove(UINT index, UINT count);

 private:
  static constexpr std::size_t kRowBytes = 2 * sizeof(DWORD) + sizeof(SharedText);
  // The conditions column begins after two turns per row, whatever the capacity.
  static_assert(alignof(SharedText) <= 2 * sizeof(DWORD));

  bool InPlace() const { return capacity_ == 1; }
  DWORD* Turns() const {
    return InPlace() ? reinterpret_cast<DWORD*>(const_cast<unsigned char*>(inPlace_)) : turns_;
  }

  UINT size_ = 0;
  // One row is kept in place, and room is never given back: a capacity above one means a block.
  UINT capacity_ = 1;
  // The block: `capacity_` first turns, as many last turns, as many conditions. Conditions past
  // the size hold no text. The one row kept in place shares the pointer's room.
  union {
    DWORD* turns_;
    alignas(SharedText) unsigned char inPlace_[kRowBytes];
  };
};
