// The document of one expiry warning window: the warning lines of one game and own race at
// the turn the window opened, computed once in the constructor from the current game, the
// warning options and the threshold. It is never stored, so closing its window asks nothing.
#pragma once

#include "common/framework.h"

class CWarnDoc : public CDocument {
  DECLARE_DYNCREATE(CWarnDoc)

 public:
  CWarnDoc();
  ~CWarnDoc() override;
  void Serialize(CArchive& ar) override;
  BOOL OnNewDocument() override;

  CString m_key;  // the store key the lines are about
  CString m_caption;
  CStringArray m_warnings;

  DECLARE_MESSAGE_MAP()
};
