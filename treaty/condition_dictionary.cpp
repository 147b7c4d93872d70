#include "treaty/condition_dictionary.h"

#include "plugin/decimal.h"

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

CString ConditionDictionary::TakeNext(CString& conditions) const {
  CString text;
  if (conditions.IsEmpty()) return text;
  const int slash = conditions.Find('/');
  const CString head = slash < 0 ? conditions : conditions.Left(slash);
  conditions = slash < 0 ? CString() : conditions.Mid(slash + 1);
  Lookup(head, text);
  return text;
}

void ConditionDictionary::SaveConditions(HostPluginBase& host) const {
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
  const CString count = host.ReadRegistry(kCountKey);
  if (count.IsEmpty()) return;
  const int entries = ReadDecimal(count);
  for (int i = 0; i < entries; ++i) {
    const CString key = EntryKey(i);
    const CString abbreviation = host.ReadRegistry(key);
    const CString text = host.ReadRegistry(key + kTextSuffix);
    if (!abbreviation.IsEmpty() && !text.IsEmpty()) AddCondition(abbreviation, text);
  }
}
