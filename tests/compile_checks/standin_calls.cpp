// What the stand-in adds for the host side and the tests (the simulated user, what a dialog,
// a tree or a paint holds, the message pump) does not reach a source that includes the real
// framework's headers, as the plug-in's do: each call below builds only with afx_standin.h.
#include <afxcmn.h>
#include <afxext.h>
#include <afxwin.h>

void Inspect(CDialog& dialog, CTreeCtrl& tree, CDC& dc, CWnd& window) {
  (void)dialog;
  (void)tree;
  (void)dc;
  (void)window;
#ifdef REJECT_TEMPLATE_ID  // has no member named .*GetTemplateID
  (void)dialog.GetTemplateID();
#endif
#ifdef REJECT_IS_ENDED  // has no member named .*IsEnded
  (void)dialog.IsEnded();
#endif
#ifdef REJECT_DIALOG_TEMPLATE_ID  // AfxGetDialogTemplateID.* was not declared
  (void)AfxGetDialogTemplateID(dialog);
#endif
#ifdef REJECT_DIALOG_ENDED  // AfxIsDialogEnded.* was not declared
  (void)AfxIsDialogEnded(dialog);
#endif
#ifdef REJECT_ITEM_MASK  // has no member named .*GetItemMask
  (void)tree.GetItemMask(TVI_ROOT);
#endif
#ifdef REJECT_TREE_ITEM_MASK  // AfxGetTreeItemMask.* was not declared
  (void)AfxGetTreeItemMask(tree, TVI_ROOT);
#endif
#ifdef REJECT_DISPLAY_LIST  // has no member named .*GetDisplayList
  (void)dc.GetDisplayList();
#endif
#ifdef REJECT_DISPLAY_LIST_TYPE  // CDisplayList.* was not declared
  CDisplayList drawn;
#endif
#ifdef REJECT_PAINT_WINDOW  // AfxPaintWindow.* was not declared
  (void)AfxPaintWindow(window.m_hWnd);
#endif
#ifdef REJECT_PUMP_MESSAGES  // AfxPumpMessages.* was not declared
  (void)AfxPumpMessages();
#endif
#ifdef REJECT_SIMULATED_USER  // AfxGetSimulatedUser.* was not declared
  (void)AfxGetSimulatedUser();
#endif
#ifdef REJECT_DIALOG_TEMPLATE  // AfxFindDialogTemplate.* was not declared
  (void)AfxFindDialogTemplate(100);
#endif
}
