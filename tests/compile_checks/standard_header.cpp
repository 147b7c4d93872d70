// The standard components' header has the standard controls but not the common ones: the
// up-down and the tree controls need afxcmn.h, as with the real framework.
#include <afxwin.h>

int CheckedCount(CCheckListBox& list) { return list.GetCheck(0) == BST_CHECKED; }

void FillTree(CWnd& page) {
  page.SetWindowText("Settings");
#ifdef REJECT_TREE_CONTROL  // CTreeCtrl
  CTreeCtrl tree;
  tree.InsertItem("Trucelog");
#endif
}
