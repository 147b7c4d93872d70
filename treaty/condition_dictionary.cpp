#include "treaty/condition_dictionary.h"

#include "plugin/decimal.h"
#include "store/storable_text.h"

namespace {

constexpr const char* kCountKey = "Trucelog\\Conditions";
constexpr const char* kEntryKeyFormat = "Trucelog\\Conditions\\%d";
constexpr const char* kTextSuffix = "\\string";

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
  CString rest = inForce;
  while (!rest.IsEmpty()) {
    const int slash = rest.Find('/');
    abbreviation = slash < 0 ? rest : rest.Left(slash);
    rest = slash < 0 ? CString() : rest.Mid(slash + 1);
    if (Lookup(abbreviation, text) || !IsStorableAbbreviation(abbreviation)) continue;
    if (FindItem(list, abbreviation, FALSE) >= 0) continue;
    list.SetItemData(list.AddString(abbreviation), kNoEntry);
  }
}

void ConditionDictionary::SetChecks(CString conditions, CCheckListBox& list) const {
  for (int i = 0; i < list.GetCount(); ++i) list.SetCheck(i, BST_UNCHECKED);
  CString text;
  while (!conditions.IsEmpty()) {
    const int slash = conditions.Find('/');
    const CString abbreviation = slash < 0 ? conditions : conditions.Left(slash);
    // An unknown abbreviation has no text, and so no entry's item, not even one whose text is
    // empty; only an item listed under its own name.
    const int index = TakeNextEntry(conditions, text) ? FindItem(list, text, TRUE)
                                                      : FindItem(list, abbreviation, FALSE);
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

CString ConditionDictionary::TakeNext(CString& conditions) const {
  CString text;
  TakeNextEntry(conditions, text);
  return text;
}

BOOL ConditionDictionary::TakeNextEntry(CString& conditions, CString& text) const {
  text.Empty();
  if (conditions.IsEmpty()) return FALSE;
  const int slash = conditions.Find('/');
  const CString head = slash < 0 ? conditions : conditions.Left(slash);
  conditions = slash < 0 ? CString() : conditions.Mid(slash + 1);
  return Lookup(head, text);
}

void ConditionDictionary::SaveConditions(HostPluginBase& host) {
  if (!storedEntriesRead_) {
    // Writing now would replace entries this session has never seen.
    ConditionDictionary stored;
    stored.LoadConditions(host);
    storedEntriesRead_ = stored.storedEntriesRead_;
    if (!storedEntriesRead_) return;
    CString abbreviation, text, own;
    for (POSITION position = stored.GetStartPosition(); position;) {
      stored.GetNextAssoc(position, abbreviation, text);
      if (!Lookup(abbreviation, own)) AddCondition(abbreviation, text);
    }
  }
  CStringArray abbreviations, texts;
  ToArrays(abbreviations, texts);
  host.WriteRegistry(kCountKey, DecimalText(static_cast<int>(abbreviations.GetSize())));
  for (int i = 0; i < abbreviations.GetSize(); ++i) {
    const CString key = EntryKey(i);
    host.WriteRegistry(key, abbreviations[i]);
    host.WriteRegistry(key + kTextSuffix, texts[i]);
  }
}

void ConditionDictionary::LoadConditions(HostPluginBase& host) {
  CString count;
  storedEntriesRead_ = host.ReadRegistry(kCountKey, count);
  if (count.IsEmpty()) return;
  const int entries = ReadDecimal(count);
  for (int i = 0; i < entries; ++i) {
    const CString key = EntryKey(i);
    CString abbreviation, text;
    storedEntriesRead_ &= host.ReadRegistry(key, abbreviation);
    storedEntriesRead_ &= host.ReadRegistry(key + kTextSuffix, text);
    if (!abbreviation.IsEmpty() && !text.IsEmpty()) AddCondition(abbreviation, text);
  }
}
