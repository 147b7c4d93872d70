#include "store/pact_history.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace {

// Bisections over rows sorted by both turns. Each answers an index in 0..count.
template <class Pact>
INT_PTR FirstEndingAtOrAfter(const Pact* rows, UINT count, DWORD turn) {
  return std::lower_bound(rows, rows + count, turn,
                          [](const Pact& row, DWORD t) { return row.to < t; }) -
         rows;
}

template <class Pact>
INT_PTR FirstEndingAfter(const Pact* rows, UINT count, DWORD turn) {
  return std::upper_bound(rows, rows + count, turn,
                          [](DWORD t, const Pact& row) { return t < row.to; }) -
         rows;
}

template <class Pact>
INT_PTR FirstBeginningAfter(const Pact* rows, UINT count, DWORD turn) {
  return std::upper_bound(rows, rows + count, turn,
                          [](DWORD t, const Pact& row) { return t < row.from; }) -
         rows;
}

}  // namespace

PactHistory::~PactHistory() {
  if (rows_ != &one_) delete[] rows_;
}

void PactHistory::AddInterval(DWORD from, DWORD to, CString conditions) {
  if (from > to) return;
  AddInterval(from, to, SharedText(conditions));
}

void PactHistory::AddInterval(DWORD from, DWORD to, SharedText text) {
  if (from > to) return;
  const auto count = static_cast<INT_PTR>(count_);
  if (count == 0 || from > rows_[count - 1].to) {
    InsertRow(count, from, to, std::move(text));
    return;
  }
  // i1 is the first pact ending at or after `from`; i1..i2 are the pacts overlapping the new one.
  const INT_PTR i1 = FirstEndingAtOrAfter(rows_, count_, from);
  const INT_PTR i2 = (std::max)(i1, FirstBeginningAfter(rows_, count_, to) - 1);
  if (i2 == i1 && to < rows_[i1].from) {
    InsertRow(i1, from, to, std::move(text));
    return;
  }
  RemoveRows(i1 + 1, i2 - i1);
  Pact& first = rows_[i1];
  if (text == first.conditions) {
    first.from = (std::min)(from, first.from);
    first.to = to;
  } else if (from > first.from) {
    first.to = from - 1;
    InsertRow(i1 + 1, from, to, std::move(text));
  } else {
    first.from = from;
    first.to = to;
    first.conditions = std::move(text);
  }
}

DWORD PactHistory::GetPactEnd(DWORD turn) const {
  INT_PTR index = FindContaining(turn);
  if (index < 0) return 0;
  // Conditions play no part: a run of adjoining pacts is one unbroken pact.
  while (index + 1 < GetSize() && rows_[index].to + 1 == rows_[index + 1].from) ++index;
  return rows_[index].to;
}

CString PactHistory::GetConditionsAt(DWORD turn) const {
  const INT_PTR index = FindContaining(turn);
  return index < 0 ? CString() : rows_[index].conditions.GetText();
}

DWORD PactHistory::GetLastTurn() const { return count_ == 0 ? 0 : rows_[count_ - 1].to; }

void PactHistory::RemoveEndedBefore(DWORD turn) {
  RemoveRows(0, FirstEndingAtOrAfter(rows_, count_, turn));
}

void PactHistory::CutAfter(DWORD turn) {
  const INT_PTR count = GetSize();
  if (count == 0) return;
  const INT_PTR m = (std::min)(FirstEndingAfter(rows_, count_, turn), count - 1);
  if (rows_[m].to > turn) rows_[m].to = turn;
  const INT_PTR kept = rows_[m].from > turn ? m : m + 1;
  RemoveRows(kept, count - kept);
}

void PactHistory::WriteLines(CString name, CStringList& lines) const {
  CString line;
  for (UINT i = 0; i < count_; ++i) {
    line.Empty();
    AppendLine(name, rows_[i], line);
    lines.AddTail(line);
  }
}

void PactHistory::AppendLines(const CString& name, CString& text) const {
  for (UINT i = 0; i < count_; ++i) {
    AppendLine(name, rows_[i], text);
    text += '\n';
  }
}

// "%s,%d,%d,%s" with the name, the turns and the conditions, written piece by piece: a store
// saves one line per pact.
void PactHistory::AppendLine(const CString& name, const Pact& pact, CString& text) {
  constexpr int kLongestTurn = 11;  // "-2147483648"
  char turns[3 + 2 * kLongestTurn + 1];
  char* at = turns;
  for (const DWORD turn : {pact.from, pact.to}) {
    *at++ = ',';
    at = std::to_chars(at, at + kLongestTurn, static_cast<int>(turn)).ptr;
  }
  at[0] = ',';
  at[1] = '\0';
  text += name;
  text += turns;
  text += pact.conditions.GetText();
}

PactInterval PactHistory::GetInterval(INT_PTR index) const {
  if (index < 0 || index >= GetSize()) return {0, 0, CString()};
  const Pact& row = rows_[index];
  return {row.from, row.to, row.conditions.GetText()};
}

void PactHistory::Reserve(INT_PTR pacts) {
  if (pacts <= static_cast<INT_PTR>(capacity_)) return;
  Pact* rows = new Pact[static_cast<std::size_t>(pacts)];
  std::move(rows_, rows_ + count_, rows);
  if (rows_ == &one_) {
    one_ = Pact();
  } else {
    delete[] rows_;
  }
  rows_ = rows;
  capacity_ = static_cast<UINT>(pacts);
}

INT_PTR PactHistory::FindContaining(DWORD turn) const {
  const INT_PTR index = FirstBeginningAfter(rows_, count_, turn) - 1;
  return (index >= 0 && turn <= rows_[index].to) ? index : -1;
}

// Rows past the last hold no text, so that every row moved in or out is a plain assignment.
void PactHistory::InsertRow(INT_PTR index, DWORD from, DWORD to, SharedText conditions) {
  if (count_ == capacity_) Reserve((std::max)(INT_PTR{2}, 2 * GetSize()));
  std::move_backward(rows_ + index, rows_ + count_, rows_ + count_ + 1);
  rows_[index] = Pact{from, to, std::move(conditions)};
  ++count_;
}

void PactHistory::RemoveRows(INT_PTR index, INT_PTR count) {
  if (count <= 0) return;
  std::move(rows_ + index + count, rows_ + count_, rows_ + index);
  for (INT_PTR i = GetSize() - count; i < GetSize(); ++i) rows_[i] = Pact();
  count_ -= static_cast<UINT>(count);
}
