#include "plugin/host_plugin_base.h"

#include "common/decimal.h"

namespace {

constexpr const char* kGameName = "GameName";
constexpr const char* kRaceName = "RaceName";
constexpr const char* kTurn = "Turn";
constexpr const char* kFunction = "Function";
constexpr const char* kParameterCount = "Parameters.Count";
constexpr const char* kParameterFormat = "Parameter.%lu";
constexpr const char* kName = "Name";
constexpr const char* kLastError = "LastError";
constexpr const char* kBusy = "Busy";
constexpr const char* kAccessDenied = "Access Denied";
constexpr const char* kReadRegistry = "ReadRegistry";
constexpr const char* kWriteRegistry = "WriteRegistry";

CString UnsignedText(unsigned long value) {
  CString text;
  text.Format("%lu", value);
  return text;
}

// Sends `request` as `fill` builds it, again and again while the host answers with one of the
// retry errors. Reading "LastError" inserts it, as the host's answer is read in place.
template <class Fill>
void Exchange(HostCallback callback, HostRequest& request, bool retryAccessDenied, Fill fill) {
  for (;;) {
    request.RemoveAll();
    fill(request);
    callback(&request);
    const CString& error = request[kLastError];
    if (error != kBusy && !(retryAccessDenied && error == kAccessDenied)) return;
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(HostPluginBase, CWinApp)
END_MESSAGE_MAP()

HostPluginBase::HostPluginBase(const char* appName)
    : CWinApp(appName), EventMask(0), MainFrame(0), DataManager(0), MainFramePtr(0) {}

void HostPluginBase::ReadStartupParameters(const CMapStringToString& parameters) {
  CString value;
  if (parameters.Lookup("MainFrame", value)) MainFrame = static_cast<DWORD>(ReadDecimal(value));
  if (parameters.Lookup("DataManager", value)) {
    DataManager = ReadAddress(value);
  }
  if (parameters.Lookup("EventMask", value)) EventMask = static_cast<DWORD>(ReadDecimal(value));
  if (parameters.Lookup("MainFramePtr", value)) {
    MainFramePtr = static_cast<DWORD>(ReadDecimal(value));
  }
}

void HostPluginBase::CallHost(CString game, CString race, DWORD turn, CString function,
                              const CStringArray& parameters, HostRequest& answer) {
  if (!DataManager) return;
  Exchange(Callback(), answer, true, [&](HostRequest& request) {
    request.SetAt(kGameName, game);
    request.SetAt(kRaceName, race);
    request.SetAt(kTurn, UnsignedText(turn));
    request.SetAt(kFunction, function);
    request.SetAt(kParameterCount, UnsignedText(static_cast<unsigned long>(parameters.GetSize())));
    for (INT_PTR i = 0; i < parameters.GetSize(); ++i) {
      CString key;
      key.Format(kParameterFormat, static_cast<unsigned long>(i + 1));
      request.SetAt(key, parameters[i]);
    }
  });
}

CString HostPluginBase::ReadRegistry(const char* name) {
  CString result;
  ReadRegistry(name, result);
  return result;
}

BOOL HostPluginBase::ReadRegistry(const char* name, CString& value, CString* error) {
  value.Empty();
  if (!DataManager) return TRUE;
  HostRequest request;
  Exchange(Callback(), request, false, [&](HostRequest& fresh) {
    fresh.SetAt(kFunction, kReadRegistry);
    fresh.SetAt(kName, name);
  });
  if (request.Lookup(name, value)) return TRUE;
  const CString& lastError = request[kLastError];
  if (error) *error = lastError;
  return lastError.IsEmpty();
}

BOOL HostPluginBase::WriteRegistry(const char* name, const char* value, CString* error) {
  if (!DataManager) return TRUE;
  HostRequest request;
  Exchange(Callback(), request, false, [&](HostRequest& fresh) {
    fresh.SetAt(kFunction, kWriteRegistry);
    fresh.SetAt(kName, name);
    fresh.SetAt(name, value);
  });
  const CString& lastError = request[kLastError];
  if (error) *error = lastError;
  return lastError.IsEmpty();
}
