// A source that includes the framework's core header alone has strings, objects, exceptions and
// files, as with the real framework, but no windows: those need afxwin.h.
#include <afx.h>

class Memo : public CObject {
 public:
  CString text;
};

BOOL ReadFirstLine(const char* path, Memo& memo) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return FALSE;
  try {
    file.ReadString(memo.text);
  } catch (CFileException* error) {
    error->Delete();
    return FALSE;
  }
#ifdef REJECT_WINDOW_CLASS  // CWnd
  CWnd* window = nullptr;
  return window != nullptr;
#endif
  return TRUE;
}
