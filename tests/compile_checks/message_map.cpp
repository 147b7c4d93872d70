// Message-map entries name their handlers `&Class::Handler`, as the real framework documents;
// a bare member name, or a handler of another signature than the entry's, does not compile.
#include <afxwin.h>

class Page : public CDialog {
 public:
  Page() : CDialog(100) {}

 protected:
  void OnKillFocusField() {}
  BOOL OnAdd() { return TRUE; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Page, CDialog)
ON_EN_KILLFOCUS(1, &Page::OnKillFocusField)
#ifdef REJECT_BARE_HANDLER  // named &Class::Handler
ON_EN_KILLFOCUS(2, OnKillFocusField)
#endif
#ifdef REJECT_HANDLER_OF_OTHER_SIGNATURE  // BOOL \(Page::\*\)\(\)
ON_BN_CLICKED(3, &Page::OnAdd)
#endif
END_MESSAGE_MAP()
