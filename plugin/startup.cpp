// Start-up and shut-down: the host calls OnInitialize once after loading the module and reads
// the plug-in's registrations back from the same map; OnClose comes last before unloading.
#include <vector>

#include "plugin/globals.h"

namespace {

constexpr const char* kStoreFile = "\\PLUGINS\\Trucelog.ini";
constexpr DWORD kDirectoryBuffer = 256;

struct Registration {
  const char* key;
  const char* value;
};

// Menus, the race-table hook and the script functions, in the order the host receives them.
constexpr Registration kRegistrations[] = {
    {"MenuItem", "Pact warnings"}, {"MenuItem:51467", "Trucelog"}, {"1:51467", "Sign treaty"},
    {"2:51467", "Break treaty"},   {"MenuItem:1", "Trucelog"},     {"1:1", "Sign treaty"},
    {"2:1", "Break treaty"},       {"MenuItem:51691", "Trucelog"}, {"1:51691", "Sign treaty"},
    {"2:51691", "Break treaty"},   {"PrepareTable:51467", "13"},   {"Function:GetPact", "1"},
    {"Function:GetPactEx", "2"},
};

CString CurrentDirectory() {
  std::vector<char> buffer(kDirectoryBuffer);
  DWORD length = GetCurrentDirectoryA(kDirectoryBuffer, buffer.data());
  if (length > kDirectoryBuffer) {
    buffer.assign(length, '\0');
    length = GetCurrentDirectoryA(length, buffer.data());
  }
  // A failed or raced second request leaves the directory empty rather than unterminated.
  return length < buffer.size() ? CString(buffer.data(), static_cast<int>(length)) : CString();
}

}  // namespace

void PluginApp::OnInitialize(CMapStringToString& parameters) {
  // The window type comes first, before any host call is possible.
  RegisterWarningWindow();
  ReadStartupParameters(parameters);
  StorePath = CurrentDirectory() + kStoreFile;
  Settings.LoadSettings(*this);
  LoadMemo();
  for (const Registration& registration : kRegistrations) {
    parameters.SetAt(registration.key, registration.value);
  }
}

void PluginApp::OnClose() {
  Settings.SaveWindowRect(*this);
  // The memo is not saved at shut-down, unless a save failed and its changes still wait.
  SaveMemoIfUnsaved();
}
