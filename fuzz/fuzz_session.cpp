// Whole sessions: the input plays the host and the person at once. It calls the entry points
// in any order with request maps of its choosing (keys missing, values empty, huge, negative or
// not numbers, long texts, names with "%", "/", ",", "@" and control bytes), answers the
// plug-in's host calls, acts in the dialogs and at the break confirmation, uses the
// configuration page, and activates, keys, paints and closes the warning windows. Each input
// starts from a fresh start-up with settings of its own choosing.
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_host.h"
#include "host_windows.h"
#include "plugin_session.h"

namespace {

constexpr int kMostSteps = 48;

// The host's configuration dialog: a tree whose "Plug-ins" item the plug-in hangs its page
// under, the page shown, confirmed with its saving exchange and OnOK, destroyed on closing.
class ConfigDialog {
 public:
  ConfigDialog() {
    dialog_.Attach(AfxCreateWindow("#32770", "Settings", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0,
                                   RECT{0, 0, 320, 200}, nullptr, 0));
    tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, RECT{0, 0, 100, 180}, &dialog_, 1000);
    pluginsItem_ = tree_.InsertItem("Plug-ins");
  }
  ~ConfigDialog() { Close(); }

  // CreateConfig with the tree and the item, either of them left out or zero now and then.
  void Open(fuzz::Input& input) {
    CMapStringToString request;
    if (input.Pick(8) != 0) {
      request.SetAt("TreeCtrl", input.Pick(8) == 0 ? "0" : Address(&tree_).c_str());
    }
    if (input.Pick(8) != 0) {
      request.SetAt("Item", input.Pick(8) == 0 ? "" : Address(pluginsItem_).c_str());
    }
    fuzz::AsEntryPoint([&] { theApp.CreateConfig(request); });
    for (CDialog* page : Pages()) page->ShowWindow(SW_SHOW);
  }

  void ActOnPage(fuzz::Person& person, fuzz::Input& input) {
    const std::vector<CDialog*> pages = Pages();
    if (!pages.empty())
      person.ActOn(*pages[input.Pick(static_cast<int>(pages.size()))], 1 + input.Pick(6));
  }

  void Confirm(CMapStringToString& request) {
    for (CDialog* page : Pages()) {
      if (IsWindow(page->m_hWnd)) page->UpdateData(TRUE);
    }
    fuzz::AsEntryPoint([&] { theApp.OnOK(request); });
  }

  void Close() {
    if (!dialog_.m_hWnd) return;
    const std::vector<CDialog*> pages = Pages();
    dialog_.DestroyWindow();
    for (CDialog* page : pages) delete page;
  }

 private:
  template <class Pointer>
  static std::string Address(Pointer pointer) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(pointer));
  }

  std::vector<CDialog*> Pages() {
    std::vector<CDialog*> pages;
    if (!dialog_.m_hWnd) return pages;
    for (HTREEITEM item = tree_.GetChildItem(pluginsItem_); item;
         item = tree_.GetNextSiblingItem(item)) {
      if (auto* page = reinterpret_cast<CDialog*>(tree_.GetItemData(item))) pages.push_back(page);
    }
    return pages;
  }

  CWnd dialog_;
  CTreeCtrl tree_;
  HTREEITEM pluginsItem_ = nullptr;
};

// A request map with each of `keys` present or not, its value of the kind `value` draws.
template <class Value>
void AddKeys(fuzz::Input& input, CMapStringToString& request,
             std::initializer_list<const char*> keys, Value value) {
  for (const char* key : keys) {
    if (input.Pick(8) != 0) request.SetAt(key, value().c_str());
  }
}

// GameName, RaceName and Turn, as most requests carry them.
void AddGame(fuzz::Input& input, CMapStringToString& request) {
  AddKeys(input, request, {"GameName", "RaceName"}, [&] { return input.Name(); });
  AddKeys(input, request, {"Turn"}, [&] { return input.Number(); });
}

void UserCommand(fuzz::Input& input) {
  static const char* const kCommands[] = {"Sign treaty", "Break treaty", "Pact warnings"};
  static const char* const kViews[] = {"51467", "1", "51691"};
  CMapStringToString request;
  AddGame(input, request);
  AddKeys(input, request, {"Command"},
          [&] { return input.Pick(8) == 0 ? input.Text() : kCommands[input.Pick(3)]; });
  AddKeys(input, request, {"SID"},
          [&] { return input.Pick(8) == 0 ? input.Text() : kViews[input.Pick(3)]; });
  fuzz::AsEntryPoint([&] { theApp.OnUserCommand(request); });
}

void TableRow(fuzz::Input& input) {
  CMapStringToString request;
  AddGame(input, request);
  AddKeys(input, request, {"ID"}, [&] { return input.Pick(8) == 0 ? input.Text() : "13"; });
  CStringArray row;
  for (int cells = input.Pick(24); cells > 0; --cells)
    row.Add(input.Pick(4) == 0 ? input.Text().c_str() : input.Name().c_str());
  fuzz::AsEntryPoint([&] { theApp.OnTableProcessor(request, row); });
}

void CallFunction(fuzz::Input& input) {
  static const char* const kFunctions[] = {"GetPact", "GetPactEx"};
  CMapStringToString request;
  AddGame(input, request);
  AddKeys(input, request, {"FuncName"},
          [&] { return input.Pick(8) == 0 ? input.Text() : kFunctions[input.Pick(2)]; });
  AddKeys(input, request, {"Parameters.Count"},
          [&] { return input.Pick(4) == 0 ? input.Count() : std::to_string(1 + input.Pick(2)); });
  AddKeys(input, request, {"Parameter.1", "Parameter.2", "Return"}, [&] { return input.Name(); });
  CStringArray unused;
  fuzz::AsEntryPoint([&] { theApp.OnCallFunction(request, unused); });
}

void GamesList(fuzz::Input& input) {
  CMapStringToString request;
  std::string count = input.Count();
  if (input.Pick(8) != 0) request.SetAt("Count", count.c_str());
  const int games = std::atoi(count.c_str());
  for (int i = 1; i <= games && i <= fuzz::kHostCountBound; ++i) {
    if (input.Pick(16) != 0)
      request.SetAt(("Game." + std::to_string(i)).c_str(), input.Name().c_str());
    if (input.Pick(16) != 0)
      request.SetAt(("Race." + std::to_string(i)).c_str(), input.Name().c_str());
  }
  fuzz::AsEntryPoint([&] { theApp.OnGamesListModified(request); });
}

template <class Entry>
void GameEvent(fuzz::Input& input, Entry entry) {
  CMapStringToString request;
  AddGame(input, request);
  AddKeys(input, request, {"Owner"}, [&] { return input.Name(); });
  fuzz::AsEntryPoint([&] { (theApp.*entry)(request); });
}

// What the person does to one of the warning windows, or the host's message pump.
void Windows(fuzz::Input& input, HostMainWindow& windows) {
  const std::vector<HostMainWindow::Child> children = windows.Children();
  if (children.empty() || input.Pick(8) == 0) {
    windows.PumpMessages();
    return;
  }
  const HWND child =
      children[static_cast<std::size_t>(input.Pick(static_cast<int>(children.size())))].hWnd;
  switch (input.Pick(7)) {
    case 0:
      windows.Activate(child);
      break;
    case 1:
      windows.SendKey(child, input.Coin() ? 27 : static_cast<UINT>(input.Pick(256)));
      break;
    case 2:
      windows.Close(child);
      break;
    case 3:
      windows.Minimize(child);
      break;
    case 4:
      windows.Maximize(child);
      break;
    case 5:
      windows.Restore(child);
      break;
    default:
      windows.Paint(child);
      break;
  }
}

// One thing the host or the person does.
void Step(fuzz::Input& input, HostMainWindow& windows, ConfigDialog& config, fuzz::Person& person) {
  switch (input.Pick(13)) {
    case 0:
    case 1:
      UserCommand(input);
      break;
    case 2:
      TableRow(input);
      break;
    case 3:
      CallFunction(input);
      break;
    case 4:
      GamesList(input);
      break;
    case 5:
      GameEvent(input, &PluginApp::OnReportLoaded);
      break;
    case 6:
      GameEvent(input, &PluginApp::OnActivate);
      break;
    case 7:
      GameEvent(input, &PluginApp::OnPlanetChanged);
      break;
    case 8:
      Windows(input, windows);
      break;
    case 9: {
      const int action = input.Pick(4);
      if (action == 0) config.Open(input);
      if (action == 1) config.ActOnPage(person, input);
      if (action == 2) {
        CMapStringToString request;
        AddGame(input, request);
        config.Confirm(request);
      }
      if (action == 3) config.Close();
      break;
    }
    case 10: {
      CMapStringToString answer;
      fuzz::AsEntryPoint([&] { theApp.OnAbout(answer); });
      break;
    }
    case 11:
      fuzz::AsEntryPoint([] { theApp.OnClose(); });
      break;
    default:
      windows.PumpMessages();
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HostMainWindow* windows = new HostMainWindow;
  fuzz::Input input(data, size);
  fuzz::Host host(input);
  fuzz::Person person(input);
  fuzz::StartOnce();
  fuzz::FillSettings(input, host.settings);
  fuzz::WriteStoreFile(input);
  fuzz::Restart();
  ConfigDialog config;
  person.meanwhile = [&] { Step(input, *windows, config, person); };

  for (int step = 0; step < kMostSteps && !input.Exhausted(); ++step) {
    Step(input, *windows, config, person);
  }
  config.Close();
  windows->CloseAll();
  windows->PumpMessages();
  return 0;
}
