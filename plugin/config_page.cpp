// The configuration page and the two entry points that serve it: CreateConfig hangs the page
// into the host's tree, OnOK saves what it holds when the host's dialog is confirmed.
#include "plugin/config_page.h"

#include "common/decimal.h"
#include "plugin/globals.h"
#include "plugin/host_names.h"
#include "plugin/spin_control.h"
#include "res/resource.h"

namespace {

constexpr int kLongestTurnCount = 99;
constexpr int kDefLenDefault = 10;
constexpr int kExpThrDefault = 5;

// A turn count that is not a number from 0 to 99 gives way to the default.
void CorrectTurnCount(CWnd& page, int spinId, int fallback) {
  if (!GetSpinPos(page, spinId).valid) SetSpinPos(page, spinId, fallback);
}

// A stored choice that none of its radio buttons or list items shows leaves them all clear;
// saving keeps it rather than the -1 that nothing selected reads as.
template <class Exchange>
void ExchangeChoice(CDataExchange* pDX, int& setting, Exchange exchange) {
  int choice = setting;
  exchange(choice);
  if (!pDX->m_bSaveAndValidate || choice >= 0) setting = choice;
}

}  // namespace

BEGIN_MESSAGE_MAP(ConfigPage, CDialog)
ON_EN_KILLFOCUS(IDC_DEFLEN, &ConfigPage::OnKillFocusDefLen)
ON_EN_KILLFOCUS(IDC_EXPTHR, &ConfigPage::OnKillFocusExpThr)
END_MESSAGE_MAP()

ConfigPage::ConfigPage() : CDialog(IDD_CONFIG) {}

void ConfigPage::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_DEFLEN, Settings.DefLenText);
  DDX_Text(pDX, IDC_EXPTHR, Settings.ExpThrText);
  DDX_Check(pDX, IDC_WARN_REPORT, Settings.WarnOnReport);
  DDX_Check(pDX, IDC_WARN_GAME, Settings.WarnOnGame);
  DDX_Check(pDX, IDC_DECLARE_PEACE, Settings.DeclarePeaceOnSign);
  DDX_Check(pDX, IDC_DECLARE_WAR, Settings.DeclareWarOnBreak);
  ExchangeChoice(pDX, Settings.ColNum,
                 [&](int& choice) { DDX_Radio(pDX, IDC_COL_STATUS, choice); });
  ExchangeChoice(pDX, Settings.InfNum,
                 [&](int& choice) { DDX_Radio(pDX, IDC_INFO_CUSTOM1, choice); });
  ExchangeChoice(pDX, Settings.ShowInfo,
                 [&](int& choice) { DDX_CBIndex(pDX, IDC_SHOW_INFO, choice); });
  ExchangeChoice(pDX, Settings.ShowAll,
                 [&](int& choice) { DDX_CBIndex(pDX, IDC_SHOW_ALL, choice); });
  ExchangeChoice(pDX, Settings.ExpiredMode,
                 [&](int& choice) { DDX_CBIndex(pDX, IDC_EXPIRED, choice); });
}

BOOL ConfigPage::OnInitDialog() {
  CDialog::OnInitDialog();
  SetSpinRange(*this, IDC_DEFLEN_SPIN, 0, kLongestTurnCount);
  SetSpinRange(*this, IDC_EXPTHR_SPIN, 0, kLongestTurnCount);
  return TRUE;
}

void ConfigPage::OnKillFocusDefLen() { CorrectTurnCount(*this, IDC_DEFLEN_SPIN, kDefLenDefault); }

void ConfigPage::OnKillFocusExpThr() { CorrectTurnCount(*this, IDC_EXPTHR_SPIN, kExpThrDefault); }

void PluginApp::CreateConfig(CMapStringToString& request) {
  CString text;
  // Both are addresses, as wide as the host's pointers.
  if (!request.Lookup("TreeCtrl", text)) return;
  auto* tree = reinterpret_cast<CTreeCtrl*>(ReadAddress(text));
  if (!tree) return;
  if (!request.Lookup("Item", text)) return;
  auto parentItem = reinterpret_cast<HTREEITEM>(ReadAddress(text));
  if (!parentItem) return;

  // The framework's `new` reports a lack of memory by exception, which must not reach the host:
  // the item then goes in without its page.
  ConfigPage* page = nullptr;
  try {
    page = new ConfigPage;
  } catch (CMemoryException* error) {
    error->Delete();
  }
  if (page) page->Create(IDD_CONFIG, tree->GetParent());
  tree->InsertItem(TVIF_TEXT | TVIF_PARAM, kPluginName, 0, 0, 0, 0, reinterpret_cast<LPARAM>(page),
                   parentItem, TVI_LAST);
}

void PluginApp::OnOK(CMapStringToString& request) {
  Settings.SaveSettings(*this);
  if (!LookupGameAndRace(request, CurrentContext) || !LookupTurn(request, CurrentContext)) return;
  RefreshRaceTable(CurrentContext);
}
