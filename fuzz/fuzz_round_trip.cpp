// The player's memo across a restart. The input signs (race names, turns typed into the fields,
// conditions added and ticked), breaks, and sends reports and games lists, also while a dialog
// or the break question is open; then the plug-in starts afresh on the files it saved. It fails
// when a pact it held at its last save reads back otherwise, when the dictionary it last wrote
// reads back otherwise or a condition the host held is gone (unless the host refused a write),
// or when a command that ended without saving left a trace: a host call beyond its questions,
// a changed file, a changed pact, or a condition the file could not carry.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fuzz_host.h"
#include "plugin_session.h"
#include "res/resource.h"
#include "store/owned_map.h"
#include "store/storable_text.h"

namespace {

constexpr int kMostSteps = 32;

using Pacts = std::map<std::string,  // store key
                       std::map<std::string, std::vector<std::tuple<DWORD, DWORD, std::string>>>>;
using Dictionary = std::map<std::string, std::string>;
// Abbreviation and main text of each entry, as many as the host holds, duplicates included.
using HostEntries = std::set<std::pair<std::string, std::string>>;

std::string Bytes(const CString& text) { return std::string(text.GetString(), text.GetLength()); }

// Every pact the store holds; keys and races without pacts are left out, as a file leaves them.
Pacts StorePacts() {
  Pacts pacts;
  ForEachOwned<RacePacts>(Store, [&](const CString& key, const RacePacts& races) {
    ForEachOwned<PactHistory>(races, [&](const CString& race, const PactHistory& history) {
      for (INT_PTR i = 0; i < history.GetSize(); ++i) {
        const PactInterval pact = history.GetInterval(i);
        pacts[Bytes(key)][Bytes(race)].emplace_back(pact.from, pact.to, Bytes(pact.conditions));
      }
    });
  });
  return pacts;
}

Dictionary Conditions() {
  Dictionary conditions;
  CString abbreviation, text;
  for (POSITION position = Store.Dictionary.GetStartPosition(); position;) {
    Store.Dictionary.GetNextAssoc(position, abbreviation, text);
    conditions[Bytes(abbreviation)] = Bytes(text);
  }
  return conditions;
}

std::string StoreFileBytes() {
  std::string path = StorePath.GetString();
  for (char& ch : path) {
    if (ch == '\\') ch = '/';
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "memo not kept: %s\n", what);
  std::abort();
}

// A turn as a person types it: mostly a plausible one, now and then anything.
std::string TypedTurn(fuzz::Input& input) {
  return input.Pick(4) == 0 ? input.Number() : std::to_string(input.Pick(1100));
}

// The person at the sign dialog, the new-condition dialog and the break question; while a
// dialog or the question is open the host may send its events (`meanwhile`).
class Player : public CSimulatedUser {
 public:
  explicit Player(fuzz::Input& input) : input_(input), previous_(AfxSetSimulatedUser(this)) {}
  ~Player() override { AfxSetSimulatedUser(previous_); }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  void OnModalDialog(CDialog& dialog) override {
    CUserInput input(dialog);
    if (AfxGetDialogTemplateID(dialog) == IDD_NEW_CONDITION) {
      input.Type(IDC_MAIN_TEXT, (input_.Coin() ? input_.Name() : input_.Text()).c_str());
      input.Type(IDC_ABBREVIATION, input_.Name().c_str());
      input.Click(input_.Pick(4) == 0 ? IDCANCEL : IDOK);
      return;
    }
    for (int actions = input_.Pick(8); actions > 0 && !AfxIsDialogEnded(dialog); --actions)
      Act(input);
    if (AfxIsDialogEnded(dialog)) return;
    switch (input_.Pick(4)) {
      case 0:
        input.Key(VK_RETURN);
        break;
      case 1:
        input.Click(IDCANCEL);
        break;
      default:
        input.Click(IDOK);
        break;
    }
  }

  int OnMessageBox(const CString&, const CString&, UINT) override {
    if (input_.Pick(4) == 0) Meanwhile();
    return input_.Pick(4) == 0 ? IDNO : IDYES;
  }

  std::function<void()> meanwhile;
  int eventsMeanwhile = 0;

 private:
  void Act(CUserInput& input) {
    switch (input_.Pick(8)) {
      case 0:
        input.Type(IDC_RACE, input_.Name().c_str());
        break;
      case 1:
        input.Type(IDC_FROM, TypedTurn(input_).c_str());
        break;
      case 2:
        input.Type(IDC_TILL, TypedTurn(input_).c_str());
        break;
      case 3:
        input.Click(IDC_ADD);
        break;
      case 4: {
        CStringArray items;
        input.Items(IDC_CONDITIONS, items);
        if (items.GetSize() > 0) {
          input.Tick(IDC_CONDITIONS, items[input_.Pick(static_cast<int>(items.GetSize()))],
                     input_.Pick(4) != 0);
        }
        break;
      }
      case 5:
        input.Key(VK_TAB, input_.Coin());
        break;
      case 6:
        input.Focus(input_.Coin() ? IDC_FROM : IDC_TILL);
        break;
      default:
        Meanwhile();
        break;
    }
  }

  void Meanwhile() {
    if (!meanwhile) return;
    ++eventsMeanwhile;
    meanwhile();
  }

  fuzz::Input& input_;
  CSimulatedUser* previous_;
};

// A game and own race: mostly two usual games, now and then any name.
void AddGame(fuzz::Input& input, CMapStringToString& request) {
  request.SetAt("GameName", input.Pick(8) == 0 ? input.Name().c_str()
                            : input.Coin()     ? "Alpha"
                                               : "Beta");
  request.SetAt("RaceName", input.Pick(8) == 0 ? input.Name().c_str() : "Xar");
  request.SetAt("Turn", TypedTurn(input).c_str());
}

void Report(fuzz::Input& input) {
  CMapStringToString request;
  AddGame(input, request);
  fuzz::AsEntryPoint([&] { theApp.OnReportLoaded(request); });
}

void GamesList(fuzz::Input& input) {
  CMapStringToString request;
  const int games = 1 + input.Pick(3);
  request.SetAt("Count", std::to_string(games).c_str());
  for (int i = 1; i <= games; ++i) {
    CMapStringToString game;
    AddGame(input, game);
    CString name, race;
    game.Lookup("GameName", name);
    game.Lookup("RaceName", race);
    request.SetAt(("Game." + std::to_string(i)).c_str(), name);
    request.SetAt(("Race." + std::to_string(i)).c_str(), race);
  }
  fuzz::AsEntryPoint([&] { theApp.OnGamesListModified(request); });
}

// What the pacts were at the last save, and the dictionary when it was last written.
struct Saved {
  Pacts pacts;
  bool conditionsWritten = false;
  Dictionary conditions;
};

// "Sign treaty" or "Break treaty" in one of the three views; checks that a command that did
// not save left no trace.
void Command(fuzz::Input& input, fuzz::Host& host, Player& player, Saved& saved) {
  static const char* const kViews[] = {"51467", "51467", "1", "51691"};
  CMapStringToString request;
  AddGame(input, request);
  request.SetAt("Command", input.Pick(3) == 0 ? "Break treaty" : "Sign treaty");
  request.SetAt("SID", kViews[input.Pick(static_cast<int>(std::size(kViews)))]);

  const Pacts pacts = StorePacts();
  const std::string file = StoreFileBytes();
  const std::size_t calls = host.functions.size();
  const std::size_t writes = host.settingsWritten.size();
  const int events = player.eventsMeanwhile;
  fuzz::AsEntryPoint([&] { theApp.OnUserCommand(request); });

  bool refreshed = false;
  for (std::size_t i = calls; i < host.functions.size(); ++i) {
    refreshed = refreshed || host.functions[i] == "Refresh";
  }
  if (refreshed) {
    saved.pacts = StorePacts();
    const auto written = host.settingsWritten.begin() + static_cast<std::ptrdiff_t>(writes);
    if (std::find(written, host.settingsWritten.end(), "Trucelog\\Conditions") !=
        host.settingsWritten.end()) {
      saved.conditionsWritten = true;
      saved.conditions = Conditions();
    }
    return;
  }
  for (std::size_t i = calls; i < host.functions.size(); ++i) {
    if (host.functions[i] != "Selection" && host.functions[i] != "List") {
      Fail("a command that saved nothing called the host");
    }
  }
  if (StoreFileBytes() != file) Fail("a command that saved nothing changed the file");
  if (player.eventsMeanwhile == events && StorePacts() != pacts) {
    Fail("a command that saved nothing changed the pacts");
  }
}

// Settings of the input's choosing: the pact length, whether expired pacts are dropped, and a
// few conditions, some of which the store file could not carry. No warning window opens.
// Answers the entries the plug-in may read.
HostEntries ChooseSettings(fuzz::Input& input, Entries& settings) {
  static const char* const kLengths[] = {"10", "0", "-5", "990", "40000", "abc"};
  settings.clear();
  settings["Trucelog\\DefLen"] = kLengths[input.Pick(static_cast<int>(std::size(kLengths)))];
  settings["Trucelog\\flags"] = input.Coin() ? "001111" : "000111";
  const int conditions = input.Pick(4);
  settings["Trucelog\\Conditions"] = std::to_string(conditions);
  HostEntries entries;
  for (int i = 0; i < conditions; ++i) {
    const std::string key = "Trucelog\\Conditions\\" + std::to_string(i);
    settings[key] = input.Name();
    settings[key + "\\string"] = input.Name();
    // The host's answers carry text up to a zero byte.
    const std::string abbreviation = settings[key].c_str();
    const std::string text = settings[key + "\\string"].c_str();
    if (!abbreviation.empty() && !text.empty()) entries.emplace(abbreviation, text);
  }
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  fuzz::Host host(input);
  Player player(input);
  fuzz::StartOnce();
  const HostEntries hostConditions = ChooseSettings(input, host.settings);
  fuzz::WriteStoreFile(input);
  fuzz::Restart();
  Saved saved;
  saved.pacts = StorePacts();
  player.meanwhile = [&] { input.Coin() ? Report(input) : GamesList(input); };

  for (int step = 0; step < kMostSteps && !input.Exhausted(); ++step) {
    switch (input.Pick(4)) {
      case 0:
        Report(input);
        break;
      case 1:
        GamesList(input);
        break;
      default:
        Command(input, host, player, saved);
        break;
    }
    for (const auto& [abbreviation, text] : Conditions()) {
      if (hostConditions.count({abbreviation, text})) continue;
      const CString stored(abbreviation.data(), static_cast<int>(abbreviation.size()));
      if (!IsStorableAbbreviation(stored) || text.empty()) {
        Fail("a condition the store could not carry was added");
      }
    }
  }
  // The host's own refusals may lose what it was asked to keep; the reading back is answered.
  host.StopRefusing();
  fuzz::Restart();
  if (StorePacts() != saved.pacts) Fail("the pacts read back differ from those saved");
  if (host.writeRefused) return 0;
  if (saved.conditionsWritten && Conditions() != saved.conditions) {
    Fail("the conditions read back differ from those written");
  }
  const Dictionary conditions = Conditions();
  for (const auto& [abbreviation, text] : hostConditions) {
    if (!conditions.count(abbreviation)) Fail("a condition the host held is gone");
  }
  return 0;
}
