// The plug-in's page in the host's configuration dialog: a child dialog that edits the
// settings in place through its data exchange. The host holds it through the data of the tree
// item the plug-in adds, shows it, runs its saving exchange and releases it with its dialog.
#pragma once

#include "common/framework.h"

class ConfigPage : public CDialog {
 public:
  ConfigPage();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnKillFocusDefLen();
  void OnKillFocusExpThr();

  DECLARE_MESSAGE_MAP()
};
