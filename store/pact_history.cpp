#include "store/pact_history.h"

#include <algorithm>

namespace {

// Bisections over a strictly ascending turn array.
INT_PTR FirstAtLeast(const CDWordArray& turns, DWORD turn) {
  const DWORD* begin = turns.GetData();
  return std::lower_bound(begin, begin + turns.GetSize(), turn) - begin;
}

INT_PTR FirstAbove(const CDWordArray& turns, DWORD turn) {
  const DWORD* begin = turns.GetData();
  return std::upper_bound(begin, begin + turns.GetSize(), turn) - begin;
}

}  // namespace

void PactHistory::AddInterval(DWORD from, DWORD to, CString conditions) {
  if (from > to) return;
  const INT_PTR count = GetSize();
  if (count == 0 || from > ToTurns[count - 1]) {
    InsertRow(count, from, to, conditions);
    return;
  }
  // i1 is the first pact ending at or after `from`; i1..i2 are the pacts overlapping the new one.
  const INT_PTR i1 = FirstAtLeast(ToTurns, from);
  const INT_PTR i2 = (std::max)(i1, FirstAbove(FromTurns, to) - 1);
  if (i2 == i1 && to < FromTurns[i1]) {
    InsertRow(i1, from, to, conditions);
    return;
  }
  RemoveRows(i1 + 1, i2 - i1);
  if (conditions == Conditions[i1]) {
    FromTurns[i1] = (std::min)(from, FromTurns[i1]);
    ToTurns[i1] = to;
  } else if (from > FromTurns[i1]) {
    ToTurns[i1] = from - 1;
    InsertRow(i1 + 1, from, to, conditions);
  } else {
    FromTurns[i1] = from;
    ToTurns[i1] = to;
    Conditions[i1] = conditions;
  }
}

DWORD PactHistory::GetPactEnd(DWORD turn) const {
  INT_PTR index = FindContaining(turn);
  if (index < 0) return 0;
  // Conditions play no part: a run of adjoining pacts is one unbroken pact.
  while (index + 1 < GetSize() && ToTurns[index] + 1 == FromTurns[index + 1]) ++index;
  return ToTurns[index];
}

CString PactHistory::GetConditionsAt(DWORD turn) const {
  const INT_PTR index = FindContaining(turn);
  return index < 0 ? CString() : Conditions[index];
}

DWORD PactHistory::GetLastTurn() const { return GetSize() == 0 ? 0 : ToTurns[GetSize() - 1]; }

void PactHistory::RemoveEndedBefore(DWORD turn) { RemoveRows(0, FirstAtLeast(ToTurns, turn)); }

void PactHistory::CutAfter(DWORD turn) {
  const INT_PTR count = GetSize();
  if (count == 0) return;
  const INT_PTR m = (std::min)(FirstAbove(ToTurns, turn), count - 1);
  if (ToTurns[m] > turn) ToTurns[m] = turn;
  const INT_PTR kept = FromTurns[m] > turn ? m : m + 1;
  RemoveRows(kept, count - kept);
}

void PactHistory::WriteLines(CString name, CStringList& lines) const {
  CString line;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    line.Format("%s,%d,%d,%s", name.GetString(), static_cast<int>(FromTurns[i]),
                static_cast<int>(ToTurns[i]), Conditions[i].GetString());
    lines.AddTail(line);
  }
}

PactInterval PactHistory::GetInterval(INT_PTR index) const {
  return {FromTurns.GetAt(index), ToTurns.GetAt(index), Conditions.GetAt(index)};
}

// Growing an array and giving the growth back keeps the room, as the framework's arrays do.
void PactHistory::ExpectRun(INT_PTR pacts) {
  const INT_PTR size = GetSize();
  for (auto* turns : {&ToTurns, &FromTurns}) {
    turns->SetSize(size + pacts);
    turns->SetSize(size);
  }
  Conditions.SetSize(size + pacts);
  Conditions.SetSize(size);
}

void PactHistory::SettleRun() {
  Conditions.FreeExtra();
  ToTurns.FreeExtra();
  FromTurns.FreeExtra();
}

INT_PTR PactHistory::FindContaining(DWORD turn) const {
  const INT_PTR index = FirstAbove(FromTurns, turn) - 1;
  return (index >= 0 && turn <= ToTurns[index]) ? index : -1;
}

void PactHistory::InsertRow(INT_PTR index, DWORD from, DWORD to, const CString& conditions) {
  Conditions.InsertAt(index, conditions);
  ToTurns.InsertAt(index, to);
  FromTurns.InsertAt(index, from);
}

void PactHistory::RemoveRows(INT_PTR index, INT_PTR count) {
  if (count <= 0) return;
  Conditions.RemoveAt(index, count);
  ToTurns.RemoveAt(index, count);
  FromTurns.RemoveAt(index, count);
}
