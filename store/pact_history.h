// The pacts one own race has had, has and will have with one other race: sorted runs of turns,
// each with its conditions string. Owned by the race map of its store key; knows nothing of
// games, files or the host. Turns are unsigned and compared unsigned; lookups that find no pact
// answer turn 0 and the empty string.
#pragma once

#include <string>

#include "common/framework.h"
#include "store/pact_columns.h"
#include "store/shared_text.h"

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
  // The same with conditions already shared, as reading the store file has them.
  void AddInterval(DWORD from, DWORD to, SharedText conditions);

  // Last turn of the run of adjoining pacts that holds `turn`; 0 when no pact holds it.
  DWORD GetPactEnd(DWORD turn) const;
  // Conditions of the one pact that holds `turn`, not of the rest of its run.
  CString GetConditionsAt(DWORD turn) const;
  // Last turn of the latest pact; 0 when there is none.
  DWORD GetLastTurn() const;

  // Adds the pacts of `older` for the turns this history holds no pact on; on turns both hold,
  // this history's pacts stay as they are.
  void TakeOlder(const PactHistory& older);

  // Drops every pact that ended before `turn`; a pact holding `turn` stays whole.
  void RemoveEndedBefore(DWORD turn);
  // Breaks the pact at `turn`: pacts that begin later are dropped, one holding it ends at it.
  void CutAfter(DWORD turn);

  // Appends one store-file line per pact, "name,from,to,conditions", turns as signed numbers.
  void WriteLines(CString name, CStringList& lines) const;
  // The same lines, each ended by CR LF as the file has them, appended to `text`.
  void AppendLines(const CString& name, std::string& text) const;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(Pacts.GetSize()); }
  PactInterval GetInterval(INT_PTR index) const;

  // Makes room for `pacts` pacts in all, so that signing up to that many takes no more memory;
  // reading the store file knows each race's count before it signs them.
  void Reserve(INT_PTR pacts);

 private:
  // Appends the store-file line of pact `index`, without its line end.
  void AppendLine(const CString& name, INT_PTR index, std::string& text) const;
  // Index of the pact that holds `turn`, or -1.
  INT_PTR FindContaining(DWORD turn) const;

  // One row per pact, sorted and disjoint: ToTurns[i] < FromTurns[i + 1]. Adjoining rows stay
  // separate: the file keeps one line per signing.
  PactColumns Pacts;
};
