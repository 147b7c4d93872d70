// A window's messages go through SendMessage; WindowProc is the framework's to call, protected
// as in the real framework, though a derived window may pass a message on to its base's.
#include <afxwin.h>

class Field : public CWnd {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

LRESULT Ask(CWnd& window) {
  LRESULT answer = window.SendMessage(WM_GETTEXTLENGTH);
#ifdef REJECT_PUBLIC_WINDOW_PROC  // protected
  answer = window.WindowProc(WM_GETTEXTLENGTH, 0, 0);
#endif
  return answer;
}
