#include "plugin/spin_control.h"

void SetSpinRange(CWnd& dialog, int id, int lower, int upper) {
  dialog.SendDlgItemMessage(id, UDM_SETRANGE, 0,
                            MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void SetSpinPos(CWnd& dialog, int id, int position) {
  dialog.SendDlgItemMessage(id, UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(position), 0));
}

SpinPosition GetSpinPos(CWnd& dialog, int id) {
  const auto answer = static_cast<DWORD_PTR>(dialog.SendDlgItemMessage(id, UDM_GETPOS));
  return {static_cast<short>(LOWORD(answer)), HIWORD(answer) == 0};
}
