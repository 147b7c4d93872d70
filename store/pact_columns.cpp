#include "store/pact_columns.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

// The conditions column of a block of `capacity` rows that begins at `turns`.
SharedText* ConditionsOf(DWORD* turns, UINT capacity) {
  return std::launder(
      reinterpret_cast<SharedText*>(turns + 2 * static_cast<std::size_t>(capacity)));
}

}  // namespace

PactColumns::PactColumns() { std::uninitialized_default_construct_n(ConditionsOf(Turns(), 1), 1); }

PactColumns::~PactColumns() {
  std::destroy_n(Conditions(), capacity_);
  if (!InPlace()) ::operator delete(turns_);
}

const SharedText* PactColumns::Conditions() const { return ConditionsOf(Turns(), capacity_); }

SharedText* PactColumns::Conditions() { return ConditionsOf(Turns(), capacity_); }

void PactColumns::Reserve(UINT rows) {
  if (rows <= capacity_) return;
  const std::size_t bytes = kRowBytes * rows;
  auto* turns = static_cast<DWORD*>(::operator new(bytes));
  SharedText* conditions = ConditionsOf(turns, rows);
  std::uninitialized_default_construct_n(conditions, rows);
  std::memcpy(turns, FromTurns(), size_ * sizeof(DWORD));
  std::memcpy(turns + rows, ToTurns(), size_ * sizeof(DWORD));
  std::move(Conditions(), Conditions() + size_, conditions);
  std::destroy_n(Conditions(), capacity_);
  // Everything of the old rows is read before the pointer takes the place of an in-place row.
  if (!InPlace()) ::operator delete(turns_);
  turns_ = turns;
  capacity_ = rows;
}

void PactColumns::ReserveOneMore() {
  if (size_ == capacity_) Reserve((std::max)(2u, 2 * size_));
}

void PactColumns::Insert(UINT index, DWORD from, DWORD to, SharedText conditions) {
  ReserveOneMore();
  // Most pacts are signed after the last one: nothing moves.
  if (index < size_) {
    const std::size_t after = size_ - index;
    std::memmove(FromTurns() + index + 1, FromTurns() + index, after * sizeof(DWORD));
    std::memmove(ToTurns() + index + 1, ToTurns() + index, after * sizeof(DWORD));
    std::move_backward(Conditions() + index, Conditions() + size_, Conditions() + size_ + 1);
  }
  FromTurns()[index] = from;
  ToTurns()[index] = to;
  Conditions()[index] = std::move(conditions);
  ++size_;
}

void PactColumns::Remove(UINT index, UINT count) {
  if (count == 0) return;
  const std::size_t after = size_ - index - count;
  std::memmove(FromTurns() + index, FromTurns() + index + count, after * sizeof(DWORD));
  std::memmove(ToTurns() + index, ToTurns() + index + count, after * sizeof(DWORD));
  std::move(Conditions() + index + count, Conditions() + size_, Conditions() + index);
  std::fill(Conditions() + size_ - count, Conditions() + size_, SharedText());
  size_ -= count;
}
