#include "config_dialog.h"

#include <string>
#include <vector>

namespace {

constexpr UINT kTreeId = 1000;

// Every page the plug-ins hung into the tree, depth first.
void CollectPages(CTreeCtrl& tree, HTREEITEM item, std::vector<CDialog*>& pages) {
  for (HTREEITEM child = tree.GetChildItem(item); child; child = tree.GetNextSiblingItem(child)) {
    if (auto* page = reinterpret_cast<CDialog*>(tree.GetItemData(child))) pages.push_back(page);
    CollectPages(tree, child, pages);
  }
}

}  // namespace

HostConfigDialog::HostConfigDialog(const PluginModule& module) : module_(module) {
  dialog_.Attach(AfxCreateWindow("#32770", "Settings", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0,
                                 RECT{0, 0, 320, 200}, nullptr, 0));
  tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, RECT{0, 0, 100, 180}, &dialog_, kTreeId);
  tree_.InsertItem("General");
  pluginsItem_ = tree_.InsertItem("Plug-ins");
  AfxCreateWindow(WC_BUTTON, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                  RECT{160, 176, 230, 196}, dialog_.m_hWnd, IDOK);
  AfxCreateWindow(WC_BUTTON, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                  RECT{240, 176, 310, 196}, dialog_.m_hWnd, IDCANCEL);
}

HostConfigDialog::~HostConfigDialog() { Close(); }

CDialog* HostConfigDialog::Open(const Entries& extra) {
  Entries request = {{"TreeCtrl", std::to_string(reinterpret_cast<std::uintptr_t>(&tree_))},
                     {"Item", std::to_string(reinterpret_cast<std::uintptr_t>(pluginsItem_))}};
  for (const auto& [key, value] : extra) request[key] = value;
  CMapStringToString map;
  Fill(map, request);
  module_.CreateConfig(map);
  const HTREEITEM added = tree_.GetChildItem(pluginsItem_);
  page_ = added ? reinterpret_cast<CDialog*>(tree_.GetItemData(added)) : nullptr;
  if (page_ && IsWindow(page_->m_hWnd)) page_->ShowWindow(SW_SHOW);
  return page_;
}

void HostConfigDialog::Confirm(const Entries& request) {
  std::vector<CDialog*> pages;
  CollectPages(tree_, TVI_ROOT, pages);
  for (CDialog* page : pages) {
    if (IsWindow(page->m_hWnd)) page->UpdateData(TRUE);
  }
  CMapStringToString map;
  Fill(map, request);
  module_.OnOK(map);
}

void HostConfigDialog::FocusOk() {
  if (CWnd* ok = dialog_.GetDlgItem(IDOK)) ok->SetFocus();
}

void HostConfigDialog::Close() {
  if (!dialog_.m_hWnd) return;
  std::vector<CDialog*> pages;
  CollectPages(tree_, TVI_ROOT, pages);
  dialog_.DestroyWindow();
  for (CDialog* page : pages) delete page;
  page_ = nullptr;
}
