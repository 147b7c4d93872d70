// The check list answers its check marks and its check style only when not const, as the real
// framework declares them.
#include <afxwin.h>

int CheckedCount(CCheckListBox& list) {
  int checked = 0;
  for (int i = 0; i < list.GetCount(); ++i) checked += list.GetCheck(i) == BST_CHECKED;
  return list.GetCheckStyle() == BS_AUTOCHECKBOX ? checked : 0;
}

int CheckedCountOfConst(const CCheckListBox& list) {
  int checked = 0;
#ifdef REJECT_CONST_GET_CHECK  // (discards qualifiers|not marked const)
  checked = list.GetCheck(0);
#endif
#ifdef REJECT_CONST_GET_CHECK_STYLE  // (discards qualifiers|not marked const)
  checked = static_cast<int>(list.GetCheckStyle());
#endif
  return checked + list.GetCount();
}
