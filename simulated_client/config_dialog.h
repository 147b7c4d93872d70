// The host's configuration dialog, as the client runs it: a tree of pages with an item
// "Plug-ins" under which each plug-in hangs its own page, and the OK and Cancel buttons. The
// host hands the plug-in the tree's address and that item's handle (CreateConfig), finds the
// page through the data of the item the plug-in adds and shows it, lets the person act on it,
// and on confirmation runs the page's saving exchange and calls OnOK. Closing destroys the page
// windows with the dialog and releases the page objects.
#pragma once

#include <memory>

#include "afx_standin.h"
#include "plugin_module.h"
#include "request_map.h"

class HostConfigDialog {
 public:
  explicit HostConfigDialog(const PluginModule& module);
  ~HostConfigDialog();
  HostConfigDialog(const HostConfigDialog&) = delete;
  HostConfigDialog& operator=(const HostConfigDialog&) = delete;

  // Sends CreateConfig with the tree and the "Plug-ins" item, and `extra` keys over them;
  // answers the page the plug-in added, shown, or null when it added none.
  CDialog* Open(const Entries& extra = {});
  CDialog* Page() const { return page_; }
  CTreeCtrl& Tree() { return tree_; }
  HTREEITEM PluginsItem() const { return pluginsItem_; }

  // OK: the page's saving exchange, then OnOK with `request` (the current game, race, turn).
  void Confirm(const Entries& request);
  // The first half of a click on OK: the focus moves to the button, so that the field it
  // leaves runs what leaving it does. (The Enter key confirms with the focus where it is.)
  void FocusOk();
  // Destroys the dialog and the pages in it, and releases the page objects.
  void Close();

 private:
  const PluginModule& module_;
  CWnd dialog_;
  CTreeCtrl tree_;
  HTREEITEM pluginsItem_ = nullptr;
  CDialog* page_ = nullptr;
};
