#include "treaty/condition_dictionary.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/decimal.h"
#include "store/storable_text.h"

namespace {

constexpr const char* kCountKey = "Trucelog\\Conditions";
constexpr const char* kEntryKeyFormat = "Trucelog\\Conditions\\%d";
constexpr const char* kTextSuffix = "\\string";
// The host's answer and the setting it refused.
constexpr const char* kRefusalFormat = "the client answered \"%s\" for %s";

CString EntryKey(int index) {
  CString key;
  key.Format(kEntryKeyFormat, index);
  return key;
}

}  // namespace

void ConditionDictionary::AddCondition(CString abbreviation, CString text) {
  SetAt(abbreviation, text);
}

void ConditionDictionary::ToArrays(CStringArray& abbreviations, CStringArray& texts) const {
  abbreviations.RemoveAll();
  texts.RemoveAll();
  CString abbreviation, text;
  for (POSITION position = GetStartPosition(); position;) {
    GetNextAssoc(position, abbreviation, text);
    abbreviations.Add(abbreviation);
    texts.Add(text);
  }
}

namespace {

// An item listed for an abbreviation the dictionary lacks ties to no entry.
constexpr DWORD_PTR kNoEntry = 0;

// The item showing `text`: an entry's main text ignoring case, or a lacking abbreviation as it
// is; -1 when none does.
int FindItem(const CCheckListBox& list, const CString& text, BOOL ofEntry) {
  CString shown;
  for (int i = 0; i < list.GetCount(); ++i) {
    if ((list.GetItemData(i) != kNoEntry) != (ofEntry != FALSE)) continue;
    list.GetText(i, shown);
    if (ofEntry ? shown.CompareNoCase(text) == 0 : shown == text) return i;
  }
  return -1;
}

}  // namespace

void ConditionDictionary::FillCheckList(CCheckListBox& list, const CString& inForce) const {
  list.ResetContent();
  CString abbreviation, text;
  for (POSITION position = GetStartPosition(); position;) {
    const POSITION entry = position;
    GetNextAssoc(position, abbreviation, text);
    // Ticked, it would be dropped from the pact: the store file could not carry it back.
    if (!IsStorableAbbreviation(abbreviation)) continue;
    list.SetItemData(list.AddString(text), reinterpret_cast<DWORD_PTR>(entry));
  }
  // Conditions of a pact signed where the dictionary held them (another machine's settings).
  for (int at = 0; at < inForce.GetLength();) {
    int slash = inForce.Find('/', at);
    if (slash < 0) slash = inForce.GetLength();
    abbreviation = inForce.Mid(at, slash - at);
    at = slash + 1;
    if (Lookup(abbreviation, text) || !IsStorableAbbreviation(abbreviation)) continue;
    if (FindItem(list, abbreviation, FALSE) >= 0) continue;
    list.SetItemData(list.AddString(abbreviation), kNoEntry);
  }
}

void ConditionDictionary::SetChecks(CString conditions, CCheckListBox& list) const {
  for (int i = 0; i < list.GetCount(); ++i) list.SetCheck(i, BST_UNCHECKED);
  CString text;
  for (int at = 0; at < conditions.GetLength();) {
    const int begin = at;
    const BOOL known = TakeNextEntry(conditions, at, text);
    const CString abbreviation = conditions.Mid(begin, at - 1 - begin);
    // An unknown abbreviation has no text, and so no entry's item, not even one whose text is
    // empty; only an item listed under its own name.
    const int index = known ? FindItem(list, text, TRUE) : FindItem(list, abbreviation, FALSE);
    if (index >= 0) list.SetCheck(index, BST_CHECKED);
  }
}

CString ConditionDictionary::BuildConditions(CCheckListBox& list) const {
  CString conditions;
  for (int i = 0; i < list.GetCount(); ++i) {
    if (list.GetCheck(i) != BST_CHECKED) continue;
    CString abbreviation, text;
    if (list.GetItemData(i) == kNoEntry) {
      list.GetText(i, abbreviation);
    } else {
      POSITION entry = reinterpret_cast<POSITION>(list.GetItemData(i));
      GetNextAssoc(entry, abbreviation, text);
    }
    // The host's settings store may hold what a pact's line cannot carry back.
    if (!IsStorableAbbreviation(abbreviation)) continue;
    conditions += conditions.IsEmpty() ? abbreviation : "/" + abbreviation;
  }
  return conditions;
}

CString ConditionDictionary::TakeNext(const CString& conditions, int& at) const {
  CString text;
  TakeNextEntry(conditions, at, text);
  return text;
}

BOOL ConditionDictionary::TakeNextEntry(const CString& conditions, int& at, CString& text) const {
  text.Empty();
  if (at >= conditions.GetLength()) return FALSE;
  int slash = conditions.Find('/', at);
  if (slash < 0) slash = conditions.GetLength();
  const CString head = conditions.Mid(at, slash - at);
  at = slash + 1;
  return Lookup(head, text);
}

BOOL ConditionDictionary::SaveConditions(SettingsStore& settings, CString& why) {
  auto refused = [&](const CString& name, const CString& answer) {
    why.Format(kRefusalFormat, answer.GetString(), name.GetString());
    return FALSE;
  };
  CString answer, count;
  if (!settings.ReadSetting(kCountKey, count, &answer)) return refused(kCountKey, answer);
  const int stored = (std::max)(0, ReadDecimal(count));
  std::unordered_map<std::string, int> numbers;
  CStringArray storedTexts;
  for (int i = 0; i < stored; ++i) {
    const CString key = EntryKey(i);
    CString abbreviation, text;
    if (!settings.ReadSetting(key, abbreviation, &answer)) return refused(key, answer);
    if (!settings.ReadSetting(key + kTextSuffix, text, &answer)) {
      return refused(key + kTextSuffix, answer);
    }
    storedTexts.Add(text);
    numbers.emplace(abbreviation.GetString(), i);
    CString own;
    if (!abbreviation.IsEmpty() && !text.IsEmpty() && !Lookup(abbreviation, own)) {
      AddCondition(abbreviation, text);
    }
  }
  int next = stored;
  CString abbreviation, text;
  for (POSITION position = GetStartPosition(); position;) {
    GetNextAssoc(position, abbreviation, text);
    const auto found = numbers.find(abbreviation.GetString());
    if (found != numbers.end()) {
      const CString key = EntryKey(found->second) + kTextSuffix;
      if (storedTexts[found->second] != text && !settings.WriteSetting(key, text, &answer)) {
        return refused(key, answer);
      }
      continue;
    }
    const CString key = EntryKey(next);
    if (!settings.WriteSetting(key, abbreviation, &answer)) return refused(key, answer);
    if (!settings.WriteSetting(key + kTextSuffix, text, &answer)) {
      return refused(key + kTextSuffix, answer);
    }
    ++next;
  }
  if (next != stored && !settings.WriteSetting(kCountKey, DecimalText(next), &answer)) {
    return refused(kCountKey, answer);
  }
  return TRUE;
}

void ConditionDictionary::LoadConditions(SettingsStore& settings) {
  CString count;
  settings.ReadSetting(kCountKey, count);
  if (count.IsEmpty()) return;
  const int entries = ReadDecimal(count);
  CString abbreviation, text;
  for (int i = 0; i < entries; ++i) {
    const CString key = EntryKey(i);
    settings.ReadSetting(key, abbreviation);
    settings.ReadSetting(key + kTextSuffix, text);
    if (!abbreviation.IsEmpty() && !text.IsEmpty()) AddCondition(abbreviation, text);
  }
}
