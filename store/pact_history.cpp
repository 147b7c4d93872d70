#include "store/pact_history.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace {

// Bisections over a strictly ascending turn column of `count` turns.
INT_PTR FirstAtLeast(const DWORD* turns, UINT count, DWORD turn) {
  return std::lower_bound(turns, turns + count, turn) - turns;
}

INT_PTR FirstAbove(const DWORD* turns, UINT count, DWORD turn) {
  return std::upper_bound(turns, turns + count, turn) - turns;
}

}  // namespace

void PactHistory::AddInterval(DWORD from, DWORD to, CString conditions) {
  if (from > to) return;
  AddInterval(from, to, SharedText(conditions));
}

void PactHistory::AddInterval(DWORD from, DWORD to, SharedText conditions) {
  if (from > to) return;
  // Room first: running out of memory must not leave the overlapped pacts cut and the new one
  // missing.
  Pacts.ReserveOneMore();
  const UINT count = Pacts.GetSize();
  DWORD* fromTurns = Pacts.FromTurns();
  DWORD* toTurns = Pacts.ToTurns();
  if (count == 0 || from > toTurns[count - 1]) {
    Pacts.Insert(count, from, to, std::move(conditions));
    return;
  }
  // i1 is the first pact ending at or after `from`; i1..i2 are the pacts overlapping the new one.
  const INT_PTR i1 = FirstAtLeast(toTurns, count, from);
  const INT_PTR i2 = (std::max)(i1, FirstAbove(fromTurns, count, to) - 1);
  if (i2 == i1 && to < fromTurns[i1]) {
    Pacts.Insert(static_cast<UINT>(i1), from, to, std::move(conditions));
    return;
  }
  Pacts.Remove(static_cast<UINT>(i1 + 1), static_cast<UINT>(i2 - i1));
  if (conditions == Pacts.Conditions()[i1]) {
    fromTurns[i1] = (std::min)(from, fromTurns[i1]);
    toTurns[i1] = to;
  } else if (from > fromTurns[i1]) {
    toTurns[i1] = from - 1;
    Pacts.Insert(static_cast<UINT>(i1 + 1), from, to, std::move(conditions));
  } else {
    fromTurns[i1] = from;
    toTurns[i1] = to;
    Pacts.Conditions()[i1] = std::move(conditions);
  }
}

DWORD PactHistory::GetPactEnd(DWORD turn) const {
  INT_PTR index = FindContaining(turn);
  if (index < 0) return 0;
  const DWORD* fromTurns = Pacts.FromTurns();
  const DWORD* toTurns = Pacts.ToTurns();
  // Conditions play no part: a run of adjoining pacts is one unbroken pact.
  while (index + 1 < GetSize() && toTurns[index] + 1 == fromTurns[index + 1]) ++index;
  return toTurns[index];
}

CString PactHistory::GetConditionsAt(DWORD turn) const {
  const INT_PTR index = FindContaining(turn);
  return index < 0 ? CString() : Pacts.Conditions()[index].GetText();
}

DWORD PactHistory::GetLastTurn() const {
  const UINT count = Pacts.GetSize();
  return count == 0 ? 0 : Pacts.ToTurns()[count - 1];
}

void PactHistory::TakeOlder(const PactHistory& older) {
  // The pieces of the older pacts that fall between this history's pacts, found before any is
  // added; each then goes in without touching the others.
  std::vector<PactInterval> pieces;
  const DWORD* fromTurns = Pacts.FromTurns();
  const DWORD* toTurns = Pacts.ToTurns();
  const UINT count = Pacts.GetSize();
  for (INT_PTR i = 0; i < older.GetSize(); ++i) {
    const PactInterval pact = older.GetInterval(i);
    DWORD from = pact.from;
    bool covered = false;
    const auto rows = static_cast<INT_PTR>(count);
    for (INT_PTR j = FirstAtLeast(toTurns, count, from); j < rows && fromTurns[j] <= pact.to; ++j) {
      if (fromTurns[j] > from) pieces.push_back({from, fromTurns[j] - 1, pact.conditions});
      if (toTurns[j] >= pact.to) {
        covered = true;
        break;
      }
      from = toTurns[j] + 1;
    }
    if (!covered) pieces.push_back({from, pact.to, pact.conditions});
  }
  for (const PactInterval& piece : pieces) AddInterval(piece.from, piece.to, piece.conditions);
}

void PactHistory::RemoveEndedBefore(DWORD turn) {
  Pacts.Remove(0, static_cast<UINT>(FirstAtLeast(Pacts.ToTurns(), Pacts.GetSize(), turn)));
}

void PactHistory::CutAfter(DWORD turn) {
  const UINT count = Pacts.GetSize();
  if (count == 0) return;
  DWORD* toTurns = Pacts.ToTurns();
  const auto m = static_cast<UINT>(
      (std::min)(FirstAbove(toTurns, count, turn), static_cast<INT_PTR>(count) - 1));
  if (toTurns[m] > turn) toTurns[m] = turn;
  const UINT kept = Pacts.FromTurns()[m] > turn ? m : m + 1;
  Pacts.Remove(kept, count - kept);
}

void PactHistory::WriteLines(CString name, CStringList& lines) const {
  std::string line;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    line.clear();
    AppendLine(name, i, line);
    lines.AddTail(line.c_str());
  }
}

void PactHistory::AppendLines(const CString& name, std::string& text) const {
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    AppendLine(name, i, text);
    text.append("\r\n", 2);
  }
}

// "%s,%d,%d,%s" with the name, the turns and the conditions, written piece by piece into room
// made once: a store saves one line per pact.
void PactHistory::AppendLine(const CString& name, INT_PTR index, std::string& text) const {
  constexpr int kLongestTurn = 11;  // "-2147483648"
  const CString& conditions = Pacts.Conditions()[index].GetText();
  const auto nameLength = static_cast<std::size_t>(name.GetLength());
  const auto conditionsLength = static_cast<std::size_t>(conditions.GetLength());
  const std::size_t start = text.size();
  text.resize(start + nameLength + 3 + 2 * kLongestTurn + conditionsLength);
  char* at = text.data() + start;
  std::memcpy(at, name.GetString(), nameLength);
  at += nameLength;
  for (const DWORD turn : {Pacts.FromTurns()[index], Pacts.ToTurns()[index]}) {
    *at++ = ',';
    at = std::to_chars(at, at + kLongestTurn, static_cast<int>(turn)).ptr;
  }
  *at++ = ',';
  std::memcpy(at, conditions.GetString(), conditionsLength);
  at += conditionsLength;
  text.resize(static_cast<std::size_t>(at - text.data()));
}

PactInterval PactHistory::GetInterval(INT_PTR index) const {
  if (index < 0 || index >= GetSize()) return {0, 0, CString()};
  return {Pacts.FromTurns()[index], Pacts.ToTurns()[index], Pacts.Conditions()[index].GetText()};
}

void PactHistory::Reserve(INT_PTR pacts) { Pacts.Reserve(static_cast<UINT>(pacts)); }

INT_PTR PactHistory::FindContaining(DWORD turn) const {
  const INT_PTR index = FirstAbove(Pacts.FromTurns(), Pacts.GetSize(), turn) - 1;
  return (index >= 0 && turn <= Pacts.ToTurns()[index]) ? index : -1;
}
