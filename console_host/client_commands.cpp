// The game client's commands: its games and views, the menus, the race table, the script
// functions, the settings dialog and what the plug-in registered.
#include <algorithm>

#include "commands.h"
#include "console_session.h"
#include "dialog_view.h"
#include "display.h"
#include "script_words.h"
#include "table_view.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kRaceTable = "51467";
// The column by which the race table's selection is asked for and kept.
constexpr const char* kRaceColumn = "Name";
// The race table's cells a person wants to see: the race, then the cells the plug-in may write.
constexpr int kShownColumns[] = {0, 8, 18, 19, 20};
// The view identifier sent with the main menu's items, which belong to no view.
constexpr const char* kMainMenuView = "0";

}  // namespace

void Console::ShowRegistrations() {
  const std::string name = fs::path(options_.module).filename().string();
  printer_.Line("Started " + name + "; it registered:");
  const auto main = registrations_.find("MenuItem");
  if (main != registrations_.end()) printer_.Line("  in the main menu: " + Quoted(main->second));
  std::vector<std::string> viewIds;
  for (const ClientView& view : kViews) viewIds.push_back(view.id);
  std::vector<std::string> hooks, functions, others;
  for (const auto& [key, value] : registrations_) {
    const std::size_t colon = key.find(':');
    const std::string head = key.substr(0, colon);
    const std::string tail = colon == std::string::npos ? "" : key.substr(colon + 1);
    if (head == "MenuItem" && colon != std::string::npos &&
        std::find(viewIds.begin(), viewIds.end(), tail) == viewIds.end()) {
      viewIds.push_back(tail);
    } else if (head == "Function") {
      const auto count = static_cast<std::size_t>(std::atoi(value.c_str()));
      functions.push_back(ShowAnsi(tail) + " (" + Plural(count, "argument", "arguments") + ")");
    } else if (head == "PrepareTable") {
      const ClientView* view = FindView(tail);
      hooks.push_back(std::string(view ? view->title : "view " + ShowAnsi(tail)) +
                      " rows, as table " + ShowAnsi(value));
    } else if (key != "MenuItem" && head != "MenuItem" &&
               (colon == std::string::npos || !AllDigits(head))) {
      others.push_back(ShowAnsi(key) + " = " + Quoted(value));
    }
  }
  for (const std::string& viewId : viewIds) {
    const auto title = registrations_.find("MenuItem:" + viewId);
    if (title == registrations_.end()) continue;
    std::string items;
    for (const std::string& item : MenuItems(viewId)) {
      items += (items.empty() ? "" : ", ") + Quoted(item);
    }
    const ClientView* view = FindView(viewId);
    printer_.Line("  in the " + std::string(view ? view->title : "view " + ShowAnsi(viewId)) +
                  " (" + (view ? view->name : ShowAnsi(viewId)) + "): menu " +
                  Quoted(title->second) + " with " + (items.empty() ? "no items" : items));
  }
  for (const std::string& hook : hooks) printer_.Line("  a table hook for the " + hook);
  if (!functions.empty()) {
    std::string list;
    for (const std::string& function : functions) list += (list.empty() ? "" : ", ") + function;
    printer_.Line("  script functions " + list);
  }
  for (const std::string& other : others) printer_.Line("  " + other);
}

// The client's world.

Game& Console::NamedGame(const std::string& name) {
  if (Game* game = client_.FindGame(name)) return *game;
  std::string known;
  for (const Game& game : client_.Games()) known += (known.empty() ? "" : ", ") + Quoted(game.name);
  throw SessionError("the client has no game " + Quoted(name) +
                     (known.empty() ? ": add it with game NAME RACE" : ": it has " + known));
}

Game& Console::ActiveGame() {
  if (Game* game = client_.Active()) return *game;
  throw SessionError(
      client_.Games().empty()
          ? "the client has no game yet: add one with game NAME RACE, then activate it"
          : "no game is active: activate one first (activate GAME)");
}

const std::string& Console::RaceOf(const Game& game, const std::string& name) const {
  const auto found = std::find(game.races.begin(), game.races.end(), name);
  if (found != game.races.end()) return *found;
  if (game.races.empty()) {
    throw SessionError("the client lists no races for " + Quoted(game.name) + ", so not " +
                       Quoted(name) + ": give them with races " + QuoteWord(game.name) +
                       " RACE...");
  }
  std::string races;
  for (const std::string& race : game.races) races += (races.empty() ? "" : ", ") + ShowAnsi(race);
  const std::string meant = Closest(name, game.races);
  throw SessionError("the client has no race " + Quoted(name) + " in " + ShowAnsi(game.name) +
                     (meant.empty() ? "" : " (did you mean " + ShowAnsi(meant) + "?)") +
                     ": its races are " + races);
}

Entries Console::GameRequest(const Game& game) const {
  return {{"GameName", game.name}, {"RaceName", game.race}, {"Turn", std::to_string(game.turn)}};
}

std::vector<std::string> Console::MenuItems(const std::string& viewId) const {
  std::map<int, std::string> items;
  for (const auto& [key, value] : registrations_) {
    const std::size_t colon = key.find(':');
    if (colon == std::string::npos || key.substr(colon + 1) != viewId) continue;
    const std::string head = key.substr(0, colon);
    if (!head.empty() && AllDigits(head) && head.size() < 6) {
      items[std::stoi(head)] = value;
    }
  }
  std::vector<std::string> list;
  for (const auto& [position, item] : items) list.push_back(item);
  return list;
}

void Console::GameCommand(const std::vector<std::string>& words) {
  if (words.size() < 3)
    throw SessionError(
        "missing the game or its race: expected game NAME RACE [turn N] [races RACE...]");
  std::optional<int> turn;
  std::optional<std::vector<std::string>> races;
  for (std::size_t i = 3; i < words.size(); ++i) {
    if (words[i] == "turn" && i + 1 < words.size()) {
      turn = Number(words[++i], "the turn", kLastTurn, kLastTurnIs);
    } else if (words[i] == "races") {
      races = std::vector<std::string>(words.begin() + static_cast<long>(i) + 1, words.end());
      break;
    } else {
      throw SessionError("expected turn N or races RACE... after the game's race, got " +
                         Quoted(words[i]));
    }
  }
  // The player's own race is one of the game's: the client never lists a game otherwise.
  const Game* known = client_.FindGame(words[1]);
  Game listed;
  listed.name = words[1];
  listed.races = races ? *races : known ? known->races : std::vector<std::string>{};
  if (!listed.races.empty()) RaceOf(listed, words[2]);
  Game& game = client_.PutGame(words[1], words[2]);
  if (turn) game.lastTurn = game.turn = *turn;
  if (races) game.races = *races;
  std::string list;
  for (const Game& each : client_.Games()) {
    list += (list.empty() ? "" : ", ") + ShowAnsi(each.name) + " (" + ShowAnsi(each.race) +
            ", turn " + std::to_string(each.lastTurn) + ")";
  }
  printer_.Line("client: the games list is now " + list);
  Send("OnGamesListModified", &PluginModule::OnGamesListModified, client_.GamesList());
}

void Console::RacesCommand(const std::vector<std::string>& words) {
  if (words.size() < 2) throw SessionError("missing the game: expected races GAME RACE...");
  Game& game = NamedGame(words[1]);
  game.races.assign(words.begin() + 2, words.end());
  printer_.Line("client: " + ShowAnsi(game.name) + " has " +
                Plural(game.races.size(), "race", "races"));
}

void Console::GamesCommand(const std::vector<std::string>&) {
  if (client_.Games().empty()) printer_.Line("The client has no games.");
  for (const Game& game : client_.Games()) {
    std::string races;
    for (const std::string& race : game.races) races += " " + ShowAnsi(race);
    printer_.Line(ShowAnsi(game.name) + ": played as " + ShowAnsi(game.race) + ", turn " +
                  std::to_string(game.turn) + " of " + std::to_string(game.lastTurn) +
                  (races.empty() ? ", no races" : ", races" + races) +
                  (client_.Active() == &game ? " (active)" : ""));
  }
}

void Console::ActivateCommand(const std::vector<std::string>& words) {
  if (words.size() != 2) throw SessionError("expected activate GAME");
  // A game the client does not have leaves none active, so that nothing lands in the last one.
  if (!client_.FindGame(words[1])) client_.Activate("");
  Game& game = NamedGame(words[1]);
  client_.Activate(game.name);
  printer_.Line("client: the player works in " + ShowAnsi(game.name) + " as " +
                ShowAnsi(game.race) + ", turn " + std::to_string(game.turn));
  Send("OnActivate", &PluginModule::OnActivate, {{"GameName", game.name}, {"RaceName", game.race}});
}

void Console::ReportCommand(const std::vector<std::string>& words) {
  if (words.size() != 3)
    throw SessionError(
        std::string(words.size() < 3 ? "missing the game or the turn" : "too many words") +
        ": expected report GAME TURN");
  Game& game = NamedGame(words[1]);
  const int turn = Number(words[2], "the turn", kLastTurn, kLastTurnIs);
  game.turn = turn;
  game.lastTurn = (std::max)(game.lastTurn, turn);
  printer_.Line("client: loads the report of " + ShowAnsi(game.name) + ", turn " +
                std::to_string(turn));
  Send("OnReportLoaded", &PluginModule::OnReportLoaded, GameRequest(game));
}

void Console::SelectCommand(const std::vector<std::string>& words) {
  if (words.size() < 2)
    throw SessionError(
        "missing the view: expected select races NAME... or select relations FROM TO...");
  const ClientView* view = FindView(words[1]);
  const std::vector<std::string> values(words.begin() + 2, words.end());
  if (!view || std::string(view->id) == "1") {
    throw SessionError(Quoted(words[1]) +
                       (view ? " shows a planet, which is not selected: use planet OWNER"
                             : " is no view with rows: expected races or relations"));
  }
  const bool races = std::string(view->id) == kRaceTable;
  if (!races && values.size() % 2 != 0)
    throw SessionError(
        "relations are selected in pairs: expected select relations FROM TO [FROM TO...]");
  // What was selected goes first: a mistake below leaves nothing selected, not the last rows.
  for (const char* column : {"Name", "From", "To"}) client_.Select(view->id, column, {});
  if (!values.empty()) {
    const Game& game = ActiveGame();
    for (const std::string& value : values) RaceOf(game, value);
  }
  std::string shown;
  if (races) {
    client_.Select(view->id, "Name", values);
    for (const std::string& value : values) shown += (shown.empty() ? "" : ", ") + ShowAnsi(value);
  } else {
    std::vector<std::string> from, to;
    for (std::size_t i = 0; i < values.size(); i += 2) {
      from.push_back(values[i]);
      to.push_back(values[i + 1]);
      shown += (shown.empty() ? "" : ", ") + ShowAnsi(values[i]) + " \xE2\x86\x92 " +
               ShowAnsi(values[i + 1]);
    }
    client_.Select(view->id, "From", from);
    client_.Select(view->id, "To", to);
  }
  printer_.Line("client: selected in the " + std::string(view->title) + ": " +
                (shown.empty() ? "nothing" : shown));
}

void Console::PlanetCommand(const std::vector<std::string>& words) {
  if (words.size() > 2) throw SessionError("too many words: expected planet [OWNER]");
  Game& game = ActiveGame();
  // The client tells of an unowned planet too: an empty owner, never the last one's.
  const std::string owner = words.size() == 2 ? RaceOf(game, words[1]) : std::string();
  printer_.Line("client: shows a planet of " + ShowAnsi(game.name) +
                (owner.empty() ? ", owned by nobody" : " owned by " + ShowAnsi(owner)));
  Send("OnPlanetChanged", &PluginModule::OnPlanetChanged,
       {{"GameName", game.name}, {"Owner", owner}});
}

void Console::MenuCommand(const std::vector<std::string>& words) {
  if (words.size() != 3)
    throw SessionError(std::string(words.size() < 3
                                       ? "missing the view or the item"
                                       : "too many words (quote an item with blanks)") +
                       ": expected menu VIEW ITEM, as in menu races \"Sign treaty\"");
  const ClientView* view = FindView(words[1]);
  std::vector<std::string> items;
  std::string viewId = kMainMenuView;
  if (words[1] == "main") {
    const auto main = registrations_.find("MenuItem");
    if (main != registrations_.end()) items.push_back(main->second);
  } else if (view) {
    viewId = view->id;
    items = MenuItems(viewId);
  } else {
    throw SessionError("no view " + Quoted(words[1]) +
                       ": expected races, planet, relations or main");
  }
  std::vector<std::string> fitting;
  for (const std::string& item : items) {
    if (NameFit(words[2], item) == 2) fitting = {item};
    if (NameFit(words[2], item) == 2) break;
    if (NameFit(words[2], item) == 1) fitting.push_back(item);
  }
  if (fitting.size() != 1) {
    std::string offered;
    for (const std::string& item : items) offered += (offered.empty() ? "" : ", ") + Quoted(item);
    const std::string where =
        view ? std::string("the ") + view->title + "'s menu" : "the main menu";
    throw SessionError((fitting.empty() ? "no item " : "more than one item fits ") +
                       Quoted(words[2]) + " in " + where + ": expected " +
                       (offered.empty() ? "none (the plug-in registered none)" : offered));
  }
  Game& game = ActiveGame();
  Entries request = GameRequest(game);
  request["Command"] = fitting[0];
  request["SID"] = viewId;
  Send("OnUserCommand", &PluginModule::OnUserCommand, request);
}

void Console::TableCommand(const std::vector<std::string>& words) {
  const bool picture = words.size() > 1 && Lowered(words[1]) == "picture";
  if (words.size() > (picture ? 3 : 1))
    throw SessionError("expected table, or table picture [FILE]");
  Game& game = ActiveGame();
  const auto hook = registrations_.find(std::string("PrepareTable:") + kRaceTable);
  std::vector<std::vector<std::string>> rows;
  for (const std::string& race : game.races) {
    std::vector<std::string> row = client_.TableRow(game, race);
    if (hook != registrations_.end()) {
      Entries request = GameRequest(game);
      request["ID"] = hook->second;
      SendWithList("OnTableProcessor", &PluginModule::OnTableProcessor, request, row);
    }
    rows.push_back(row);
  }
  const std::string caption =
      "Race table of " + game.name + " (" + game.race + ", turn " + std::to_string(game.turn) + ")";
  printer_.Line(ShowAnsi(caption) +
                (hook == registrations_.end() ? ", not passed through the plug-in" : "") + ":");
  const std::string file = words.size() == 3 ? words[2] : "";
  if (rows.empty()) {
    printer_.Line("  (no races: give them with races " + QuoteWord(game.name) + " RACE...)");
    if (picture) DrawTable(game, caption, rows, file);
    return;
  }
  std::vector<std::string> header;
  std::vector<std::size_t> widths;
  for (const int column : kShownColumns) {
    header.push_back(column == 0 ? TableColumnName(column)
                                 : std::string(TableColumnName(column)) + " (" +
                                       std::to_string(column) + ")");
    widths.push_back(DisplayWidth(header.back()));
  }
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < widths.size(); ++c) {
      const auto column = static_cast<std::size_t>(kShownColumns[c]);
      if (column < row.size())
        widths[c] = (std::max)(widths[c], DisplayWidth(ShowAnsi(row[column])));
    }
  }
  const auto line = [&](const std::vector<std::string>& cells) {
    std::string text = " ";
    for (std::size_t c = 0; c < cells.size(); ++c) text += " " + PadRight(cells[c], widths[c] + 1);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    printer_.Line(text);
  };
  line(header);
  std::vector<std::string> rules;
  for (const std::size_t width : widths) {
    std::string rule;
    for (std::size_t i = 0; i < width; ++i) rule += "\xE2\x94\x80";
    rules.push_back(rule);
  }
  line(rules);
  for (const auto& row : rows) {
    std::vector<std::string> cells;
    for (const int column : kShownColumns) {
      cells.push_back(static_cast<std::size_t>(column) < row.size()
                          ? ShowAnsi(row[static_cast<std::size_t>(column)])
                          : "");
    }
    line(cells);
  }
  if (picture) DrawTable(game, caption, rows, file);
}

void Console::DrawTable(const Game& game, const std::string& caption,
                        const std::vector<std::vector<std::string>>& rows,
                        const std::string& file) {
  RaceTable table{caption, {}, rows, {}};
  for (int column = 0; column < kTableColumns; ++column)
    table.columns.push_back(TableColumnName(column));
  const std::vector<std::string>& selected = client_.Selected(kRaceTable, kRaceColumn);
  for (const std::string& race : game.races) {
    table.selected.push_back(std::find(selected.begin(), selected.end(), race) != selected.end());
  }
  std::string list;
  for (const std::string& path : WritePicture("race table " + game.name + "/" + game.race,
                                              RaceTableSvg(table), file, "table.svg")) {
    list += (list.empty() ? "" : ", ") + path;
  }
  if (!list.empty()) printer_.Line("(picture " + list + ")");
}

void Console::CallCommand(const std::vector<std::string>& words) {
  if (words.size() < 2)
    throw SessionError("missing the function: expected call FUNCTION [ARGUMENT...]");
  const auto declared = registrations_.find("Function:" + words[1]);
  if (declared == registrations_.end()) {
    std::string functions;
    for (const auto& [key, value] : registrations_) {
      if (key.rfind("Function:", 0) == 0)
        functions += (functions.empty() ? "" : ", ") + ShowAnsi(key.substr(9));
    }
    throw SessionError("the plug-in declared no script function " + Quoted(words[1]) +
                       ": expected " + (functions.empty() ? "none" : functions));
  }
  const std::vector<std::string> arguments(words.begin() + 2, words.end());
  const auto wanted = static_cast<std::size_t>(std::atoi(declared->second.c_str()));
  if (arguments.size() != wanted) {
    throw SessionError(ShowAnsi(words[1]) + " takes " + Plural(wanted, "argument", "arguments") +
                       ", got " + std::to_string(arguments.size()));
  }
  Game& game = ActiveGame();
  Entries request = GameRequest(game);
  request["FuncName"] = words[1];
  request["Parameters.Count"] = std::to_string(arguments.size());
  for (std::size_t i = 0; i < arguments.size(); ++i)
    request["Parameter." + std::to_string(i + 1)] = arguments[i];
  std::vector<std::string> list = arguments;
  const Entries answer =
      SendWithList("OnCallFunction", &PluginModule::OnCallFunction, request, list);
  std::string call;
  for (const std::string& argument : arguments)
    call += (call.empty() ? "" : ", ") + ShowAnsi(argument);
  const auto result = answer.find("Return");
  printer_.Line(ShowAnsi(words[1]) + "(" + call + ") = " +
                (result == answer.end() ? "(nothing returned)" : ShowAnsi(result->second)));
}

void Console::ConfigCommand(const std::vector<std::string>& words) {
  if (words.size() != 1) throw SessionError("config takes no arguments");
  config_ = std::make_unique<HostConfigDialog>(*module_);
  Trace("\xE2\x86\x92 CreateConfig {Item: \"" +
        std::to_string(reinterpret_cast<std::uintptr_t>(config_->PluginsItem())) +
        "\", TreeCtrl: \"" + std::to_string(reinterpret_cast<std::uintptr_t>(&config_->Tree())) +
        "\"}");
  ++traceDepth_;
  CDialog* page = config_->Open();
  --traceDepth_;
  Trace("\xE2\x86\x90 CreateConfig");
  if (!page) {
    config_.reset();
    printer_.Line(
        "client: the settings dialog has no page of the plug-in's (CreateConfig added none)");
    return;
  }
  printer_.OpenBox("Settings: Plug-ins \xE2\x96\xB8 Trucelog");
  const DialogView view(*page, "Trucelog");
  for (const std::string& line : view.TextLines()) printer_.Line(line);
  if (snapshots_.Enabled()) {
    const std::string path = snapshots_.Write("settings trucelog", view.Svg("Settings: Trucelog"));
    if (!path.empty()) printer_.Line("(picture " + fs::path(path).filename().string() + ")");
  }
}

void Console::SettingsAnswer(const ::Answer& answer) {
  const std::string& verb = answer.words[0];
  CDialog* page = config_->Page();
  if (verb == "yes" || verb == "no") {
    throw SessionError(
        "\"" + verb +
        "\" answers a confirmation, but the settings dialog is open: use ok or cancel");
  }
  // The keyboard's Enter and Escape are the dialog's, not the page's: they confirm or cancel it
  // with the focus where it is. `ok` is a click on OK, which takes the focus first.
  const std::string key = verb == "key" ? Lowered(answer.words[1]) : "";
  const bool confirm = verb == "ok" || key == "enter";
  if (!confirm && verb != "cancel" && key != "escape") {
    person_->ActOn(*page, "Trucelog", answer);
    return;
  }
  printer_.Line(kEcho + ShowAnsi(JoinWords(answer.words)));
  if (verb == "ok") {
    const DialogView before(*page, "Trucelog");
    config_->FocusOk();
    person_->ShowCorrections(before, *page, "Trucelog");
  }
  if (snapshots_.Enabled()) {
    const std::string path =
        snapshots_.Write("settings trucelog " + std::string(confirm ? "ok" : "cancel"),
                         DialogView(*page, "Trucelog").Svg("Settings: Trucelog"));
    if (!path.empty()) printer_.Line("(picture " + fs::path(path).filename().string() + ")");
  }
  if (confirm) {
    Entries request;
    if (Game* game = client_.Active()) request = GameRequest(*game);
    Trace("\xE2\x86\x92 OnOK " + TraceEntries(request));
    ++traceDepth_;
    config_->Confirm(request);
    --traceDepth_;
    Trace("\xE2\x86\x90 OnOK");
  }
  config_->Close();
  config_.reset();
  printer_.CloseBox(confirm ? "OK" : "Cancel");
}

void Console::AboutCommand(const std::vector<std::string>&) {
  const Entries about = Send("OnAbout", &PluginModule::OnAbout, {});
  const auto value = [&](const char* key) {
    const auto found = about.find(key);
    return found == about.end() ? std::string() : ShowAnsi(found->second);
  };
  printer_.Line(value("Name") + " " + value("Version") + " (" + value("Date") + ") by " +
                value("Author"));
  printer_.Line("  " + value("Description"));
}
