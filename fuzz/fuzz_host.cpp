#include "fuzz_host.h"

#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace fuzz {

namespace {

Host* current = nullptr;

// Nested dialogs ("Add" in the sign-treaty dialog) are answered this deep at most.
constexpr int kDeepestDialog = 3;

// The controls of the plug-in's three dialogs, and OK and Cancel.
constexpr int kControlIds[] = {1,    2,    8001, 8002, 8003, 8004, 8005, 8006, 8007,
                               8014, 8015, 8016, 8017, 8018, 8019, 8020, 8021, 8022,
                               8023, 8024, 8025, 8026, 8008, 0,    -1};

constexpr UINT kKeys[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_UP, VK_DOWN, VK_DELETE};

}  // namespace

Host::Host(Input& input) : input_(input), refusalsLeft_(input.Pick(4)), previous_(current) {
  current = this;
}

Host::~Host() { current = previous_; }

std::string Host::CallbackAddress() {
  return std::to_string(reinterpret_cast<std::uintptr_t>(&Host::Callback));
}

void Host::Callback(CMapStringToString* request) {
  if (current && request) current->Answer(*request);
}

void Host::Answer(CMapStringToString& request) {
  const bool write = ValueOf(request, "Function") == "WriteRegistry";
  if (refusalsLeft_ > 0 && input_.Coin()) {
    --refusalsLeft_;
    const bool busy = input_.Coin();
    request.SetAt("LastError", busy ? "Busy" : "Access Denied");
    writeRefused = writeRefused || (write && !busy);
    return;
  }
  if (write) settingsWritten.push_back(ValueOf(request, "Name"));
  if (!AnswerSettingsStore(settings, request)) {
    const std::string function = ValueOf(request, "Function");
    functions.push_back(function);
    if (function == "List" || function == "Selection") AnswerList(request);
  }
  if (input_.Pick(8) == 0) {
    const std::string error = input_.Text();
    request.SetAt("LastError", error.c_str());
    // Whatever the host did, a write answered with an error is one the plug-in cannot count on.
    writeRefused = writeRefused || (write && !error.empty() && error != "Busy");
  }
}

// "Count" and the items "1" to "Count", any of them missing, odd keys beside them.
void Host::AnswerList(CMapStringToString& request) {
  if (input_.Pick(8) != 0) {
    const std::string count = input_.Count();
    request.SetAt("Count", count.c_str());
    const int items = std::atoi(count.c_str());
    for (int i = 1; i <= items && i <= kHostCountBound; ++i) {
      if (input_.Pick(16) == 0) continue;
      request.SetAt(std::to_string(i).c_str(), input_.Name().c_str());
    }
  }
  for (int extra = input_.Pick(3); extra > 0; --extra) {
    request.SetAt(input_.Text().c_str(), input_.Text().c_str());
  }
}

Person::Person(Input& input) : input_(input), previous_(AfxSetSimulatedUser(this)) {}

Person::~Person() { AfxSetSimulatedUser(previous_); }

int Person::ControlId() {
  return kControlIds[input_.Pick(static_cast<int>(std::size(kControlIds)))];
}

void Person::OnModalDialog(CDialog& dialog) {
  if (depth_ >= kDeepestDialog) return;
  ++depth_;
  CUserInput input(dialog);
  for (int actions = input_.Pick(16); actions > 0 && !AfxIsDialogEnded(dialog); --actions) {
    if (meanwhile && input_.Pick(8) == 0) {
      meanwhile();
    } else {
      ActOn(dialog, 1);
    }
  }
  if (!AfxIsDialogEnded(dialog) && input_.Coin()) input.Click(input_.Coin() ? IDOK : IDCANCEL);
  --depth_;
}

void Person::ActOn(CWnd& window, int actions) {
  CUserInput input(window);
  for (; actions > 0; --actions) {
    switch (input_.Pick(8)) {
      case 0:
        input.Type(ControlId(), input_.Text().c_str());
        break;
      case 1:
        input.Click(ControlId());
        break;
      case 2:
        input.Pick(ControlId(), input_.Name().c_str());
        break;
      case 3:
        input.Tick(ControlId(), input_.Name().c_str(), input_.Coin());
        break;
      case 4:
        input.Key(kKeys[input_.Pick(static_cast<int>(std::size(kKeys)))], input_.Coin());
        break;
      case 5:
        input.Focus(ControlId());
        break;
      case 6:
        input.TypeChars(input_.Text().c_str());
        break;
      default: {
        // What a person reads before acting on it.
        CStringArray items;
        input.Items(ControlId(), items);
        if (items.GetSize() > 0) {
          const CString item = items[input_.Pick(static_cast<int>(items.GetSize()))];
          input.Tick(ControlId(), item, input_.Coin());
        }
        break;
      }
    }
  }
}

int Person::OnMessageBox(const CString&, const CString&, UINT) {
  if (meanwhile && depth_ < kDeepestDialog && input_.Pick(4) == 0) {
    ++depth_;
    meanwhile();
    --depth_;
  }
  constexpr int kAnswers[] = {IDYES, IDNO, IDOK, IDCANCEL, 0, -1};
  return kAnswers[input_.Pick(static_cast<int>(std::size(kAnswers)))];
}

}  // namespace fuzz
