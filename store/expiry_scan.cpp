// The expiry scan: the pacts in force whose unbroken run ends within a threshold of turns,
// worded as warning lines, soonest first, optionally with a line per condition under each.
#include <algorithm>

#include "store/owned_map.h"
#include "store/pact_store.h"

namespace {

constexpr const char* kWarningFormat = "Pact with %s will expire at the turn %d (after %d turns)";
// 0x95 and 0xA7 are a bullet and a section sign in the host's code page.
constexpr const char* kNoConditionsLine = "  \x95 No special conditions";
constexpr const char* kConditionPrefix = "  \xA7 ";

}  // namespace

void RacePacts::ScanExpiry(DWORD turn, int threshold, CStringArray& lines,
                           CStringArray* conditions) const {
  CDWordArray turnsLeft;  // parallel to the lines, ascending
  ForEachOwned<PactHistory>(*this, [&](const CString& race, const PactHistory& history) {
    const DWORD end = history.GetPactEnd(turn);
    if (static_cast<int>(end) <= 0) return;
    const DWORD left = end - turn;
    if (static_cast<int>(left) > threshold) return;
    // After every equal count, so that ties keep the visiting order.
    const DWORD* first = turnsLeft.GetData();
    const INT_PTR at = std::upper_bound(first, first + turnsLeft.GetSize(), left) - first;
    CString line;
    line.Format(kWarningFormat, race.GetString(), static_cast<int>(end), static_cast<int>(left));
    lines.InsertAt(at, line);
    turnsLeft.InsertAt(at, left);
    if (conditions) conditions->InsertAt(at, history.GetConditionsAt(turn));
  });
}

void PactStore::GetExpiryWarnings(CString key, DWORD turn, int threshold, CStringArray& lines,
                                  BOOL withConditions) const {
  lines.RemoveAll();
  const RacePacts* races = Find(key);
  if (!races) return;
  if (!withConditions) {
    races->ScanExpiry(turn, threshold, lines, nullptr);
    return;
  }
  CStringArray conditions;
  races->ScanExpiry(turn, threshold, lines, &conditions);
  INT_PTR at = 0;  // the warning line whose conditions come next
  for (INT_PTR k = 0; k < conditions.GetSize(); ++k, ++at) {
    CString rest = conditions[k];
    if (rest.IsEmpty()) lines.InsertAt(++at, kNoConditionsLine);
    while (!rest.IsEmpty()) lines.InsertAt(++at, kConditionPrefix + Dictionary.TakeNext(rest));
  }
}
