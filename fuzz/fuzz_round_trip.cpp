// The player's memo across a restart. The input signs (race names, turns typed into the fields,
// conditions added and ticked), breaks, and sends reports and games lists, also while a dialog
// or the break question is open; between commands another client saves pacts of its own to the
// same file, and the file becomes unreadable (a folder in its place) and readable again. Then
// the plug-in starts afresh on the files saved. It fails when a pact it held at its last
// successful save reads back otherwise, when a pact the other client saved is missing, when
// the dictionary it last wrote reads back otherwise or a condition the host held is gone
// (unless the host refused a write), or when a command that ended without saving left a trace:
// a host call beyond its questions, a changed file, a changed pact, or a condition the file
// could not carry; and when a signing recorded anything but the pact whose race and turns the
// dialog showed as OK closed it, or recorded something although the dialog stayed open.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
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

std::string StoreFilePath() {
  std::string path = StorePath.GetString();
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string StoreFileBytes() {
  std::ifstream file(StoreFilePath(), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The other client's game: a key no usual session uses, and its one race.
constexpr const char* kOtherKey = "Gamma/Zed";
constexpr const char* kOtherRace = "Other";

Pacts WithoutOtherKey(Pacts pacts) {
  pacts.erase(kOtherKey);
  return pacts;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "memo not kept: %s\n", what);
  std::abort();
}

// A turn as a person types it: mostly a plausible one, now and then one of a long game, one
// at the ends of the 16- and 32-bit ranges, or anything.
std::string TypedTurn(fuzz::Input& input) {
  static const char* const kEdges[] = {"32767",      "32768",      "65535",      "65536", "1000000",
                                       "2147483646", "2147483647", "4294967295", "0",     "012"};
  switch (input.Pick(6)) {
    case 0:
      return input.Number();
    case 1:
      return kEdges[input.Pick(static_cast<int>(std::size(kEdges)))];
    case 2:
      return std::to_string(input.Pick(0x7FFFFFFF));
    default:
      return std::to_string(input.Pick(1100));
  }
}

// A race or an abbreviation as typed: mostly a name, now and then one the file cannot carry.
std::string TypedName(fuzz::Input& input, bool abbreviation) {
  static const char* const kRaces[] = {"Vor,Lum", "@Beta", " Vor", "", "Xar", "Vor\r"};
  static const char* const kAbbreviations[] = {"A/B", "A,B", " A", "A ", "", "NA"};
  if (input.Pick(4) != 0) return input.Name();
  return abbreviation ? kAbbreviations[input.Pick(static_cast<int>(std::size(kAbbreviations)))]
                      : kRaces[input.Pick(static_cast<int>(std::size(kRaces)))];
}

// The race and turns a sign dialog showed when OK closed it.
struct Typed {
  std::string race;
  std::string from;
  std::string till;
};

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
      input.Type(IDC_ABBREVIATION, TypedName(input_, true).c_str());
      input.Click(input_.Pick(4) == 0 ? IDCANCEL : IDOK);
      return;
    }
    for (int actions = input_.Pick(8); actions > 0 && !AfxIsDialogEnded(dialog); --actions) Act(input);
    if (AfxIsDialogEnded(dialog)) return;
    const Typed shown{Bytes(input.Text(IDC_RACE)), Bytes(input.Text(IDC_FROM)),
                      Bytes(input.Text(IDC_TILL))};
    switch (input_.Pick(4)) {
      case 0:
        // Enter on the Cancel button, which a Tab may have reached, cancels.
        if (input.FocusId() == IDCANCEL) {
          input.Key(VK_RETURN);
          return;
        }
        input.Key(VK_RETURN);
        break;
      case 1:
        input.Click(IDCANCEL);
        return;
      default:
        input.Click(IDOK);
        break;
    }
    // Enter moves no focus, so no field changed on the way; a click may have corrected one,
    // which the player then saw.
    if (AfxIsDialogEnded(dialog)) {
      signed_ = true;
      eventsAtClose = eventsMeanwhile;
      typed = Typed{Bytes(input.Text(IDC_RACE)), Bytes(input.Text(IDC_FROM)),
                    Bytes(input.Text(IDC_TILL))};
      if (shown.from != typed.from && shown.till != typed.till) Fail("OK changed both turns");
    }
  }

  // Whether the last sign dialog was closed by OK, and what it then showed; cleared on reading.
  bool TakeSigned() { return std::exchange(signed_, false); }
  Typed typed;

  int OnMessageBox(const CString& text, const CString&, UINT) override {
    // The plug-in says what it could not save once the store file's save is over: what the
    // store holds then is what it saved, whatever the events sent meanwhile change.
    if (text.Find("Trucelog could not save") == 0 && !pactsAtSave) pactsAtSave = StorePacts();
    if (input_.Pick(4) == 0) Meanwhile();
    return input_.Pick(4) == 0 ? IDNO : IDYES;
  }

  std::function<void()> meanwhile;
  int eventsMeanwhile = 0;
  // The events sent until the sign dialog last closed with OK.
  int eventsAtClose = 0;
  // The pacts when a message about a failed save was first shown during the command.
  std::optional<Pacts> pactsAtSave;

 private:
  void Act(CUserInput& input) {
    switch (input_.Pick(8)) {
      case 0:
        input.Type(IDC_RACE, TypedName(input_, false).c_str());
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
  bool signed_ = false;
};

// Set when an event named a game that may reach the other client's pacts.
bool otherGameNamed = false;

// A typed turn as the pact holds it: the whole text a decimal number of a turn.
bool IsTurnText(const std::string& text, DWORD& turn) {
  if (text.empty()) return false;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') return false;
  }
  const std::string digits = text.substr((std::min)(text.find_first_not_of('0'), text.size()));
  if (digits.size() > 10) return false;
  const unsigned long long value = digits.empty() ? 0 : std::stoull(digits);
  turn = static_cast<DWORD>(value);
  return value <= 0x7FFFFFFE;
}

// A signing that recorded must have recorded the pact the dialog showed, no other.
void CheckSigned(const Player& player, const std::string& key, const std::string& own) {
  const Typed& typed = player.typed;
  DWORD from = 0;
  DWORD till = 0;
  if (!IsTurnText(typed.from, from) || !IsTurnText(typed.till, till) || from > till) {
    Fail("a pact was recorded from turns no pact can hold");
  }
  const CString race(typed.race.data(), static_cast<int>(typed.race.size()));
  if (typed.race.empty() || typed.race == own || !IsStorableRaceName(race)) {
    Fail("a pact was recorded with a race that names no other race the file can carry");
  }
  const Pacts pacts = StorePacts();
  const auto races = pacts.find(key);
  if (races == pacts.end() || !races->second.count(typed.race)) Fail("no pact was recorded");
  for (const auto& [first, last, conditions] : races->second.at(typed.race)) {
    if (first <= from && last >= till) return;
  }
  Fail("the pact recorded is not the one typed");
}

// A game and own race: mostly two usual games, now and then any name.
void AddGame(fuzz::Input& input, CMapStringToString& request) {
  const std::string game = input.Pick(8) == 0 ? input.Name() : input.Coin() ? "Alpha" : "Beta";
  otherGameNamed = otherGameNamed || game.rfind("Gamma", 0) == 0;
  request.SetAt("GameName", game.c_str());
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

// What the pacts were at the last save, and the dictionary when it was last written; the pacts
// the other client saved.
struct Saved {
  Pacts pacts;
  bool conditionsWritten = false;
  Dictionary conditions;
  std::vector<DWORD> otherPacts;  // each from the turn to the next
};

bool StoreFileReadable() { return !std::filesystem::is_directory(StoreFilePath()); }

// Another client, on the same game folder, signs a pact of its own and saves it.
void OtherClientSaves(Saved& saved) {
  if (!StoreFileReadable()) return;
  PactStore other;
  CString why;
  const DWORD from = 10 * static_cast<DWORD>(saved.otherPacts.size());
  if (!other.Load(StorePath, why)) Fail("the other client could not read the store file");
  other.AddPact(kOtherKey, kOtherRace, from, from + 1, "");
  if (!other.Save(StorePath, why)) Fail("the other client could not save the store file");
  saved.otherPacts.push_back(from);
}

// A folder takes the store file's place for a while, as a file that cannot be read.
void ToggleReadable() {
  const std::string path = StoreFilePath();
  const std::string away = path + ".away";
  std::error_code error;
  if (std::filesystem::is_directory(path)) {
    std::filesystem::remove(path, error);
    if (std::filesystem::exists(away)) std::filesystem::rename(away, path, error);
  } else {
    if (std::filesystem::exists(path)) std::filesystem::rename(path, away, error);
    std::filesystem::create_directory(path, error);
  }
}

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
  player.TakeSigned();
  player.pactsAtSave.reset();
  fuzz::AsEntryPoint([&] { theApp.OnUserCommand(request); });
  const bool signedWithOK = player.TakeSigned();

  bool refreshed = false;
  for (std::size_t i = calls; i < host.functions.size(); ++i) {
    refreshed = refreshed || host.functions[i] == "Refresh";
  }
  // An event after the dialog closed (while a message about the save was shown) may drop or
  // move the pact as it would any other.
  if (signedWithOK && player.eventsMeanwhile == player.eventsAtClose) {
    CString game, own;
    request.Lookup("GameName", game);
    request.Lookup("RaceName", own);
    if (!refreshed) Fail("a signing closed with OK recorded nothing");
    CheckSigned(player, Bytes(game) + "/" + Bytes(own), Bytes(own));
  }
  if (refreshed) {
    // A save into a folder fails, and the pacts wait for the next.
    if (StoreFileReadable()) saved.pacts = player.pactsAtSave.value_or(StorePacts());
    const auto written = host.settingsWritten.begin() + static_cast<std::ptrdiff_t>(writes);
    if (std::any_of(written, host.settingsWritten.end(), [](const std::string& name) {
          return name.rfind("Trucelog\\Conditions", 0) == 0;
        })) {
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
  if (!StoreFileReadable()) ToggleReadable();
  std::filesystem::remove(StoreFilePath() + ".away");
  otherGameNamed = false;
  const HostEntries hostConditions = ChooseSettings(input, host.settings);
  fuzz::WriteStoreFile(input);
  fuzz::Restart();
  Saved saved;
  saved.pacts = StorePacts();
  player.meanwhile = [&] { input.Coin() ? Report(input) : GamesList(input); };

  for (int step = 0; step < kMostSteps && !input.Exhausted(); ++step) {
    switch (input.Pick(6)) {
      case 0:
        Report(input);
        break;
      case 1:
        GamesList(input);
        break;
      case 2:
        if (input.Coin()) {
          OtherClientSaves(saved);
        } else {
          ToggleReadable();
        }
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
  if (!StoreFileReadable()) ToggleReadable();
  fuzz::Restart();
  const Pacts restarted = StorePacts();
  if (WithoutOtherKey(restarted) != WithoutOtherKey(saved.pacts)) {
    Fail("the pacts read back differ from those saved");
  }
  if (!otherGameNamed) {
    for (const DWORD from : saved.otherPacts) {
      const auto key = restarted.find(kOtherKey);
      const bool kept =
          key != restarted.end() && key->second.count(kOtherRace) &&
          std::count(key->second.at(kOtherRace).begin(), key->second.at(kOtherRace).end(),
                     std::make_tuple(from, from + 1, std::string())) == 1;
      if (!kept) Fail("a pact the other client saved is gone");
    }
  }
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
