// The expiry scan: the pacts in force whose unbroken run ends within a threshold of turns,
// worded as warning lines, soonest first, optionally with a line per condition under each.
#include <algorithm>
#include <vector>

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
  struct Warning {
    DWORD turnsLeft;
    DWORD end;
    CString race;
    const PactHistory* history;
  };
  std::vector<Warning> warnings;
  ForEachOwned<PactHistory>(*this, [&](const CString& race, const PactHistory& history) {
    const DWORD end = history.GetPactEnd(turn);
    if (static_cast<int>(end) <= 0) return;
    const DWORD left = end - turn;
    if (static_cast<int>(left) > threshold) return;
    warnings.push_back({left, end, race, &history});
  });
  // Soonest first; the stable order keeps races with equal turns left in visiting order, as
  // inserting each one after every equal count would.
  std::stable_sort(warnings.begin(), warnings.end(),
                   [](const Warning& a, const Warning& b) { return a.turnsLeft < b.turnsLeft; });
  const auto count = static_cast<INT_PTR>(warnings.size());
  if (count == 0) return;
  lines.InsertAt(0, "", count);
  if (conditions) conditions->InsertAt(0, "", count);
  for (INT_PTR i = 0; i < count; ++i) {
    const Warning& warning = warnings[static_cast<std::size_t>(i)];
    lines[i].Format(kWarningFormat, warning.race.GetString(), static_cast<int>(warning.end),
                    static_cast<int>(warning.turnsLeft));
    if (conditions) (*conditions)[i] = warning.history->GetConditionsAt(turn);
  }
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
  CStringArray warnings, conditions;
  races->ScanExpiry(turn, threshold, warnings, &conditions);
  // Each warning line, then a line for each of its conditions, or one saying there are none.
  for (INT_PTR k = 0; k < conditions.GetSize(); ++k) {
    lines.Add(warnings[k]);
    const CString& pact = conditions[k];
    if (pact.IsEmpty()) lines.Add(kNoConditionsLine);
    for (int at = 0; at < pact.GetLength();)
      lines.Add(kConditionPrefix + Dictionary.TakeNext(pact, at));
  }
}
