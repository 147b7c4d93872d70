#include "afx_user.h"

#include <string>

#include "afx_module.h"
#include "afx_window_impl.h"

namespace {

CSimulatedUser* installedUser = nullptr;

int NegativeAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDCANCEL;
  }
}

bool IsButton(CWnd* control) { return control->GetClassName().CompareNoCase(WC_BUTTON) == 0; }

bool IsClass(CWnd* control, const char* className) {
  return control->GetClassName().CompareNoCase(className) == 0;
}

// As the dialog manager does for a field reached with Tab.
void SelectAll(CWnd* control) {
  if (IsClass(control, WC_COMBOBOX)) {
    control->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, static_cast<WORD>(-1)));
  } else if (IsClass(control, WC_EDIT)) {
    control->SendMessage(EM_SETSEL, 0, -1);
  }
}

}  // namespace

CSimulatedUser* AfxSetSimulatedUser(CSimulatedUser* user) {
  CSimulatedUser* previous = installedUser;
  installedUser = user;
  return previous;
}

CSimulatedUser* AfxGetSimulatedUser() { return installedUser; }

int AfxMessageBox(const char* text, UINT type, UINT) {
  if (!installedUser) return NegativeAnswer(type);
  return installedUser->OnMessageBox(text, AfxGetAppName(), type);
}

CWnd* CUserInput::Control(int id) const {
  CWnd* control = window_.GetDlgItem(id);
  return control && control->IsWindowVisible() && control->IsWindowEnabled() ? control : nullptr;
}

CString CUserInput::Text(int id) const {
  CString text;
  window_.GetDlgItemText(id, text);
  return text;
}

BOOL CUserInput::IsChecked(int id) const { return window_.IsDlgButtonChecked(id) == BST_CHECKED; }

void CUserInput::Items(int id, CStringArray& items) const {
  items.RemoveAll();
  CWnd* control = window_.GetDlgItem(id);
  if (!control) return;
  const bool combo = IsClass(control, WC_COMBOBOX);
  const LRESULT count = control->SendMessage(combo ? CB_GETCOUNT : LB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    const auto index = static_cast<WPARAM>(i);
    const LRESULT length = control->SendMessage(combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    control->SendMessage(combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                         reinterpret_cast<LPARAM>(text.data()));
    items.Add(text.c_str());
  }
}

BOOL CUserInput::IsTicked(int id, const char* itemText) const {
  auto* list = dynamic_cast<CCheckListBox*>(window_.GetDlgItem(id));
  if (!list) return FALSE;
  const int index = list->FindStringExact(-1, itemText);
  return index >= 0 && list->GetCheck(index) == BST_CHECKED;
}

int CUserInput::FocusId() const {
  CWnd* focus = CWnd::GetFocus();
  return focus && focus->GetParent() == &window_ ? focus->GetDlgCtrlID() : 0;
}

BOOL CUserInput::Focus(int id) {
  CWnd* control = Control(id);
  if (!control) return FALSE;
  control->SetFocus();
  return TRUE;
}

BOOL CUserInput::Type(int id, const char* text) {
  CWnd* control = Control(id);
  if (!control) return FALSE;
  control->SetFocus();
  SelectAll(control);
  // Typing over the selection replaces it; with nothing to type, Backspace clears it.
  TypeChars(text && *text ? text : "\b");
  return TRUE;
}

void CUserInput::TypeChars(const char* text) {
  for (const char* p = text; p && *p; ++p) {
    if (CWnd* focus = CWnd::GetFocus()) {
      focus->SendMessage(WM_CHAR, static_cast<unsigned char>(*p), 1);
    }
  }
}

void CUserInput::Key(UINT virtualKey, BOOL shift) {
  CWnd* focus = CWnd::GetFocus();
  switch (virtualKey) {
    case VK_TAB:
      if (CWnd* next = window_.GetNextDlgTabItem(focus, shift)) {
        next->SetFocus();
        SelectAll(next);
      }
      return;
    case VK_ESCAPE:
      window_.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
      return;
    case VK_RETURN: {
      // A focused push button is the one Enter presses; otherwise the default button.
      int id = IDOK;
      if (focus && IsButton(focus) && (focus->GetStyle() & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
        id = focus->GetDlgCtrlID();
      } else {
        for (CWnd* child = window_.GetWindow(GW_CHILD); child;
             child = child->GetWindow(GW_HWNDNEXT)) {
          if (IsButton(child) && (child->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            id = child->GetDlgCtrlID();
            break;
          }
        }
      }
      CWnd* button = window_.GetDlgItem(id);
      if (button && !button->IsWindowEnabled()) return;
      window_.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                          reinterpret_cast<LPARAM>(button ? button->m_hWnd : nullptr));
      return;
    }
    case VK_SPACE:
      if (focus && IsButton(focus)) {
        focus->SendMessage(BM_CLICK);
        return;
      }
      break;
    default:
      break;
  }
  if (focus) focus->SendMessage(WM_KEYDOWN, virtualKey, 1);
}

BOOL CUserInput::Click(int id) {
  CWnd* control = Control(id);
  if (!control || !IsButton(control) || (control->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX) {
    return FALSE;
  }
  control->SetFocus();
  // The focus change may have run handlers that closed the window or disabled the button.
  if (!IsWindow(control->m_hWnd) || !control->IsWindowEnabled()) return FALSE;
  control->SendMessage(BM_CLICK);
  return TRUE;
}

BOOL CUserInput::Pick(int id, const char* itemText) {
  CWnd* control = Control(id);
  if (!control) return FALSE;
  const bool combo = IsClass(control, WC_COMBOBOX);
  if (!combo && !IsClass(control, WC_LISTBOX)) return FALSE;
  const LRESULT index =
      control->SendMessage(combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(itemText));
  if (index < 0) return FALSE;
  control->SetFocus();
  control->SendMessage(combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index));
  afx_detail::NotifyParent(control->m_hWnd, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
  return TRUE;
}

BOOL CUserInput::Tick(int id, const char* itemText, BOOL ticked) {
  auto* list = dynamic_cast<CCheckListBox*>(Control(id));
  if (!list) return FALSE;
  const int index = list->FindStringExact(-1, itemText);
  if (index < 0) return FALSE;
  list->SetFocus();
  if ((list->GetCheck(index) == BST_CHECKED) != (ticked != FALSE)) {
    const int y = index * AFX_CHECKLIST_ITEM_HEIGHT + AFX_CHECKLIST_ITEM_HEIGHT / 2;
    list->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(2, static_cast<WORD>(y)));
  }
  return (list->GetCheck(index) == BST_CHECKED) == (ticked != FALSE);
}
