#include "plugin/context.h"

CString StoreKeyOf(const CString& gameName, const CString& raceName) {
  return gameName + "/" + raceName;
}
