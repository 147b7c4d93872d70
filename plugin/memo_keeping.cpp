// How the application object keeps the memo: the store file and the condition dictionary are
// saved after each treaty command and, when an earlier save failed, when the client closes.
// Whatever could not be kept is said once, in the player's words, until a save succeeds.
#include "plugin/globals.h"

namespace {

constexpr const char* kStoreUnread =
    "Trucelog could not read the pact store file\n%s\n%s\n\nIts pacts are not shown meanwhile. "
    "The file is left as it is; it will be read again before your pacts are next saved.";
constexpr const char* kStoreUnsaved =
    "Trucelog could not save your pacts to the pact store file\n%s\n%s\n\nThe pacts are kept, "
    "and saving will be tried again after your next treaty command and when the client closes.";
constexpr const char* kConditionsUnsaved =
    "Trucelog could not save your pact conditions in the client's settings: %s.\n\nThe "
    "conditions are kept, and saving will be tried again after your next treaty command and "
    "when the client closes.";

}  // namespace

void PluginApp::LoadMemo() {
  CString why, message;
  if (!Store.Load(StorePath, why)) {
    storeUnsaved_ = TRUE;
    message.Format(kStoreUnread, StorePath.GetString(), why.GetString());
    Say(storeTrouble_, why, message);
  }
  HostSettings settings(*this);
  Store.Dictionary.LoadConditions(settings);
}

void PluginApp::SaveMemo() {
  CString why, message;
  storeUnsaved_ = !Store.Save(StorePath, why);
  if (!storeUnsaved_) why.Empty();
  message.Format(kStoreUnsaved, StorePath.GetString(), why.GetString());
  Say(storeTrouble_, why, message);
  HostSettings settings(*this);
  conditionsUnsaved_ = !Store.Dictionary.SaveConditions(settings, why);
  if (!conditionsUnsaved_) why.Empty();
  message.Format(kConditionsUnsaved, why.GetString());
  Say(conditionsTrouble_, why, message);
}

void PluginApp::SaveMemoIfUnsaved() {
  if (storeUnsaved_ || conditionsUnsaved_) SaveMemo();
}

void PluginApp::Say(CString& said, const CString& why, const CString& message) {
  // A failure is said once: a file that could not be read is not said again when the save it
  // then holds up fails for the same reason. No reason says all is well again.
  if (why == said) return;
  said = why;
  if (!why.IsEmpty()) AfxMessageBox(message, MB_OK | MB_ICONWARNING);
}
