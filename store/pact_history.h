// The pacts one own race has had, has and will have with one other race: sorted runs of turns,
// each with its conditions string. Owned by the race map of its store key; knows nothing of
// games, files or the host. Turns are unsigned and compared unsigned; lookups that find no pact
// answer turn 0 and the empty string.
#pragma once

#include "plugin/framework.h"

// One pact: from and to are both inclusive.
struct PactInterval {
  DWORD from;
  DWORD to;
  CString conditions;
};

class PactHistory : public CObject {
 public:
  // Signs a pact from `from` to `to` inclusive. Overlapped pacts give up their turns from `from`
  // on; the first of them is stretched instead when its conditions are the same. Ignored when
  // from > to.
  void AddInterval(DWORD from, DWORD to, CString conditions);

  // Last turn of the run of adjoining pacts that holds `turn`; 0 when no pact holds it.
  DWORD GetPactEnd(DWORD turn) const;
  // Conditions of the one pact that holds `turn`, not of the rest of its run.
  CString GetConditionsAt(DWORD turn) const;
  // Last turn of the latest pact; 0 when there is none.
  DWORD GetLastTurn() const;

  // Drops every pact that ended before `turn`; a pact holding `turn` stays whole.
  void RemoveEndedBefore(DWORD turn);
  // Breaks the pact at `turn`: pacts that begin later are dropped, one holding it ends at it.
  void CutAfter(DWORD turn);

  // Appends one store-file line per pact, "name,from,to,conditions", turns as signed numbers.
  void WriteLines(CString name, CStringList& lines) const;

  INT_PTR GetSize() const { return Conditions.GetSize(); }
  PactInterval GetInterval(INT_PTR index) const;

  // For reading the store file, whose lines come in runs per race: room for about `pacts` more
  // pacts is made at once, and SettleRun gives back the room the run left unused.
  void ExpectRun(INT_PTR pacts);
  void SettleRun();

 private:
  // Index of the pact that holds `turn`, or -1.
  INT_PTR FindContaining(DWORD turn) const;
  void InsertRow(INT_PTR index, DWORD from, DWORD to, const CString& conditions);
  void RemoveRows(INT_PTR index, INT_PTR count);

  // Parallel arrays, one row per pact, sorted and disjoint: ToTurns[i] < FromTurns[i + 1].
  // Adjoining rows stay separate: the file keeps one line per signing.
  CStringArray Conditions;
  CDWordArray ToTurns;
  CDWordArray FromTurns;
};
