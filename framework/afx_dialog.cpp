#include "afx_dialog.h"

#include "afx_module.h"
#include "afx_standin_calls.h"
#include "afx_user.h"
#include "afx_window_impl.h"

using afx_detail::Wnd;

namespace {

// The dialog manager's part of a dialog window: closing it is cancelling it.
class DialogClass : public afx_detail::WindowClass {
 public:
  LRESULT Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CLOSE) return Wnd(hWnd)->Send(WM_COMMAND, IDCANCEL, 0);
    return WindowClass::Proc(hWnd, message, wParam, lParam);
  }
};

const bool registered = [] {
  afx_detail::RegisterWindowClass(afx_detail::kDialogClass, [] {
    return std::unique_ptr<afx_detail::WindowClass>(std::make_unique<DialogClass>());
  });
  return true;
}();

RECT TemplateRect(short x, short y, short cx, short cy) { return RECT{x, y, x + cx, y + cy}; }

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

struct afx_detail::DialogState {
  static UINT TemplateID(const CDialog& dialog) { return dialog.m_nIDTemplate; }
  static BOOL IsEnded(const CDialog& dialog) { return dialog.m_bEnded; }
};

UINT AfxGetDialogTemplateID(const CDialog& dialog) {
  return afx_detail::DialogState::TemplateID(dialog);
}

BOOL AfxIsDialogEnded(const CDialog& dialog) { return afx_detail::DialogState::IsEnded(dialog); }

CDialog::CDialog() : CDialog(0) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_nIDTemplate(nIDTemplate),
      m_pParentWnd(pParentWnd),
      m_nModalResult(-1),
      m_bEnded(FALSE) {}

CDialog::~CDialog() = default;

BOOL CDialog::CreateFromTemplate(CWnd* parent) {
  const CDialogTemplate* dialog = AfxFindDialogTemplate(m_nIDTemplate);
  if (!dialog) return FALSE;
  HWND hWnd =
      AfxCreateWindow(afx_detail::kDialogClass, dialog->caption, dialog->style, dialog->exStyle,
                      TemplateRect(dialog->x, dialog->y, dialog->cx, dialog->cy),
                      parent ? parent->m_hWnd : nullptr, 0);
  if (!hWnd || !Attach(hWnd)) return FALSE;
  m_nIDHelp = m_nIDTemplate;
  for (const CDialogItemTemplate& item : dialog->items) {
    AfxCreateWindow(item.windowClass, item.text, item.style, item.exStyle,
                    TemplateRect(item.x, item.y, item.cx, item.cy), hWnd, item.id);
  }
  CWnd* first = GetNextDlgTabItem(nullptr);
  if (SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first ? first->m_hWnd : nullptr)) &&
      first && IsWindow(first->m_hWnd)) {
    first->SetFocus();
    first->SendMessage(EM_SETSEL, 0, -1);
  }
  return IsWindow(m_hWnd);
}

INT_PTR CDialog::DoModal() {
  m_nModalResult = -1;
  m_bEnded = FALSE;
  HWND previousFocus = ::GetFocus();
  if (!CreateFromTemplate(m_pParentWnd)) return -1;
  // The modal loop shows the dialog, whatever its template says.
  if (IsWindow(m_hWnd)) ShowWindow(SW_SHOW);
  if (!m_bEnded) {
    if (CSimulatedUser* user = AfxGetSimulatedUser()) user->OnModalDialog(*this);
  }
  // A dialog the person left open is closed as Escape closes it.
  if (!m_bEnded && IsWindow(m_hWnd)) SendMessage(WM_COMMAND, IDCANCEL);
  if (!m_bEnded) EndDialog(IDCANCEL);
  DestroyWindow();
  if (IsWindow(previousFocus)) ::SetFocus(previousFocus);
  return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDTemplate = nIDTemplate;
  m_pParentWnd = pParentWnd;
  return CreateFromTemplate(pParentWnd);
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEnded = TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (!pWndCtrl || !IsWindow(pWndCtrl->m_hWnd)) return;
  pWndCtrl->SetFocus();
  if (Wnd(pWndCtrl->m_hWnd)->className.CompareNoCase(WC_EDIT) == 0) {
    pWndCtrl->SendMessage(EM_SETSEL, 0, -1);
  }
}

BOOL CDialog::OnInitDialog() {
  ExecuteDlgInit();
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::ExecuteDlgInit() {
  const CDialogTemplate* dialog = AfxFindDialogTemplate(m_nIDTemplate);
  if (!dialog) return FALSE;
  for (const CDialogInitEntry& entry : dialog->initData) {
    SendDlgItemMessage(static_cast<int>(entry.controlId), entry.message, 0,
                       reinterpret_cast<LPARAM>(entry.text.GetString()));
  }
  return TRUE;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (CUserException* stopped) {
    stopped->Delete();
    return FALSE;
  }
  return TRUE;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
  m_hWndLastControl = control ? control->m_hWnd : nullptr;
  m_bEditLastControl = FALSE;
  return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND control = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && IsWindow(m_hWndLastControl)) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  throw new CUserException;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  CWnd* control = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    control->GetWindowText(value);
  } else {
    control->SetWindowText(value);
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    SendMessageA(control, BM_SETCHECK, (value >= 0 && value <= 2) ? value : 0, 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND first = pDX->PrepareCtrl(nIDC);
  if (!first) return;
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND button : afx_detail::GroupOf(first)) {
    const DWORD type = Wnd(button)->style & BS_TYPEMASK;
    if (Wnd(button)->className.CompareNoCase(WC_BUTTON) != 0 ||
        (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON)) {
      continue;
    }
    if (pDX->m_bSaveAndValidate) {
      if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND control = pDX->PrepareCtrl(nIDC);
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
  } else {
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(index)), 0);
  }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  CWnd* control = CWnd::FromHandle(pDX->PrepareCtrl(nIDC));
  if (!control) return;
  if (pDX->m_bSaveAndValidate) {
    control->GetWindowText(value);
    return;
  }
  if (control->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
    control->SetWindowText(value);
  }
}
