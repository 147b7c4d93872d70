// The one dictionary of pact conditions for the whole plug-in: abbreviation to main text. A
// pact keeps only its conditions string, abbreviations joined by "/"; the dictionary turns it
// back into texts. It lives in the pact store and persists in the host's settings store.
// Entries are added or replaced, never removed.
#pragma once

#include "common/framework.h"
#include "common/settings_store.h"

class ConditionDictionary : public CMapStringToString {
 public:
  void AddCondition(CString abbreviation, CString text);

  // Every entry, at equal positions of the two arrays, in the map's order.
  void ToArrays(CStringArray& abbreviations, CStringArray& texts) const;

  // Takes the abbreviation of `conditions` that begins at `at` (up to the next "/", or the
  // rest), moves `at` past it and its "/", and answers its main text; the empty text when it
  // is not in the dictionary. Walking a string so costs its length once, however long.
  CString TakeNext(const CString& conditions, int& at) const;

  // Check lists show one item per entry the store file can carry, its main text, sorted; each
  // item remembers its entry, so the dictionary must not change while a list shows it, unless
  // the list is refilled. The abbreviations of `inForce` the dictionary lacks are listed too,
  // under their own name, so that a pact's conditions are never dropped unseen.
  void FillCheckList(CCheckListBox& list, const CString& inForce = CString()) const;
  // Checks exactly the items the conditions string's abbreviations name.
  void SetChecks(CString conditions, CCheckListBox& list) const;
  // The abbreviations of the checked items, top to bottom (in the order of their texts),
  // joined by "/"; an abbreviation the store file could not carry back is left out. The list
  // is not const: the framework reads a check mark through a non-const member.
  CString BuildConditions(CCheckListBox& list) const;

  // Keeps the dictionary in the host's settings store without losing what another client put
  // there: the stored entries are read first, and those the session lacks join it; a session
  // entry keeps its own text. Stored entries keep their numbers, new ones are appended and the
  // count is written last, so that a refused write leaves every stored entry whole. FALSE at
  // the first refusal, `why` then naming the setting and the host's answer.
  BOOL SaveConditions(SettingsStore& settings, CString& why);
  // Adds the stored entries; an entry missing its abbreviation or its text is skipped.
  void LoadConditions(SettingsStore& settings);

 private:
  // TakeNext, also telling whether the abbreviation was in the dictionary.
  BOOL TakeNextEntry(const CString& conditions, int& at, CString& text) const;
};
