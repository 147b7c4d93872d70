// Dialogs built from the templates of the current module's resources: modal (DoModal, handed to
// the simulated user once initialised) and modeless child dialogs (Create), with the data
// exchange that binds members to controls (DoDataExchange and the DDX_ functions), and the
// message box.
#pragma once

#include "afx_controls.h"
#include "afx_file.h"
#include "afx_window.h"

namespace afx_detail {
struct DialogState;
}  // namespace afx_detail

class CDialog : public CWnd {
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Builds the dialog, initialises it, lets the person act on it and answers how it ended:
  // IDOK, IDCANCEL or what EndDialog was given; -1 when its template is not found.
  virtual INT_PTR DoModal();
  // Builds a modeless dialog from template `nIDTemplate` as a child of `pParentWnd`.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);
  // Moves the focus to a control as Tab would, selecting an edit field's text.
  void GotoDlgCtrl(CWnd* pWndCtrl);

  // Fills the lists from the template's initial data, then loads the members into the
  // controls; TRUE lets the dialog manager give the focus to the first tab stop.
  virtual BOOL OnInitDialog();

 protected:
  // Saves the controls into the members and ends the dialog with IDOK.
  virtual void OnOK();
  virtual void OnCancel();
  // Sends the template's initial data (list and combo-box items) to its controls.
  BOOL ExecuteDlgInit();
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

  UINT m_nIDHelp;

  DECLARE_MESSAGE_MAP()

 private:
  // What the simulated user reads of a dialog (afx_standin_calls.h).
  friend struct afx_detail::DialogState;

  BOOL CreateFromTemplate(CWnd* parent);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  int m_nModalResult;
  BOOL m_bEnded;
};

// What stops a data exchange that found a value it cannot accept; UpdateData catches it.
class CUserException : public CSimpleException {};

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  // The control `nIDC` of the dialog; null when the dialog has none. It becomes the control a
  // failing validation goes back to.
  HWND PrepareCtrl(int nIDC);
  // The same for an edit field, whose text a failing validation selects.
  HWND PrepareEditCtrl(int nIDC);
  // Gives the last prepared control the focus (selecting an edit field's text) and throws a
  // CUserException, which ends the exchange: UpdateData then answers FALSE.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
};

// Binds `control` to the dialog's control `nIDC` on the first exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
// The control's text.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A check box's state: 0, 1 or 2.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked radio button of the group that `nIDC` starts; -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The index of a combo box's selected item; -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// A combo box's text. Loading selects the first item that begins with `value`, ignoring case,
// and puts `value` into the edit field when none does.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);

// A modal message box titled with the current application's name. The simulated user
// (afx_user.h) answers it; without one it gets the negative answer its buttons offer (IDNO,
// IDCANCEL, or IDOK for a lone OK).
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
