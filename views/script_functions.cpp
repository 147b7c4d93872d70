#include "views/script_functions.h"

#include "common/decimal.h"
#include "plugin/globals.h"

namespace {

constexpr const char* kReturn = "Return";

}  // namespace

void PluginApp::OnCallFunction(CMapStringToString& request, CStringArray&) {
  CallScriptFunction(Store, request);
}

void CallScriptFunction(const PactStore& store, CMapStringToString& request) {
  const CString game = request["GameName"];
  const CString ownKey = StoreKeyOf(game, request["RaceName"]);
  const DWORD turn = static_cast<DWORD>(ReadDecimal(request["Turn"]));
  const CString function = request["FuncName"];

  if (function == "GetPact") {
    if (request["Parameters.Count"] != "1") return;
    request[kReturn] =
        DecimalText(static_cast<int>(store.GetPactEnd(ownKey, request["Parameter.1"], turn)));
    return;
  }
  if (function != "GetPactEx" || request["Parameters.Count"] != "2") return;
  // The first race's memo is asked first; the second's only when the first knows no pact.
  const CString first = request["Parameter.1"];
  const CString second = request["Parameter.2"];
  DWORD end = store.GetPactEnd(StoreKeyOf(game, first), second, turn);
  if (end == 0) end = store.GetPactEnd(StoreKeyOf(game, second), first, turn);
  request[kReturn] = DecimalText(static_cast<int>(end));
}
