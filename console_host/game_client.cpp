#include "game_client.h"

namespace {

const char* const kColumnNames[kTableColumns] = {
    "Name",    "Drive",  "Weapons", "Shields", "Cargo",   "Population", "Industry",
    "Planets", "Status", "Votes",   "Ships",   "Rank",    "Score",      "Area",
    "Mass",    "Bombs",  "Losses",  "Notes",   "Custom1", "Custom2",    "Custom3"};
constexpr int kStatusColumn = 8;

std::string ValueOf(const Entries& entries, const std::string& key) {
  const auto found = entries.find(key);
  return found == entries.end() ? std::string() : found->second;
}

void PutList(Entries& answer, const std::vector<std::string>& items) {
  answer["Count"] = std::to_string(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) answer[std::to_string(i + 1)] = items[i];
}

std::vector<std::string> Parameters(const Entries& request) {
  std::vector<std::string> parameters;
  for (int i = 1;; ++i) {
    const auto found = request.find("Parameter." + std::to_string(i));
    if (found == request.end()) return parameters;
    parameters.push_back(found->second);
  }
}

std::string JoinNames(const std::vector<std::string>& names, std::size_t from) {
  std::string joined;
  for (std::size_t i = from; i < names.size(); ++i) {
    // An order may name no race at all: the plug-in's planet view on a planet nobody owns.
    joined += (i > from ? (i + 1 == names.size() ? " and " : ", ") : "") +
              (names[i].empty() ? std::string("\"\"") : names[i]);
  }
  return joined;
}

}  // namespace

const ClientView* FindView(const std::string& nameOrId) {
  for (const ClientView& view : kViews) {
    if (nameOrId == view.name || nameOrId == view.id) return &view;
  }
  return nullptr;
}

const char* TableColumnName(int column) {
  return column >= 0 && column < kTableColumns ? kColumnNames[column] : "";
}

Game& GameClient::PutGame(const std::string& name, const std::string& race) {
  Game* game = FindGame(name);
  if (!game) {
    games_.push_back(Game{});
    game = &games_.back();
    game->name = name;
  }
  game->race = race;
  return *game;
}

Game* GameClient::FindGame(const std::string& name) {
  for (Game& game : games_) {
    if (game.name == name) return &game;
  }
  return nullptr;
}

Entries GameClient::GamesList() const {
  Entries list{{"Count", std::to_string(games_.size())}};
  for (std::size_t i = 0; i < games_.size(); ++i) {
    list["Game." + std::to_string(i + 1)] = games_[i].name;
    list["Race." + std::to_string(i + 1)] = games_[i].race;
  }
  return list;
}

void GameClient::Select(const std::string& viewId, const std::string& column,
                        const std::vector<std::string>& values) {
  selections_[viewId + "/" + column] = values;
}

const std::vector<std::string>& GameClient::Selected(const std::string& viewId,
                                                     const std::string& column) const {
  static const std::vector<std::string> kNone;
  const auto found = selections_.find(viewId + "/" + column);
  return found == selections_.end() ? kNone : found->second;
}

std::vector<std::string> GameClient::TableRow(const Game& game, const std::string& race) const {
  std::vector<std::string> row(kTableColumns);
  row[0] = race;
  if (race == game.race) {
    row[kStatusColumn] = "you";
  } else if (const auto found = game.relations.find(race); found != game.relations.end()) {
    row[kStatusColumn] = found->second;
  }
  return row;
}

bool GameClient::Answer(const Entries& request, Entries& answer) {
  const std::string function = ValueOf(request, "Function");
  const std::vector<std::string> parameters = Parameters(request);
  const std::string first = parameters.empty() ? std::string() : parameters[0];
  Game* game = FindGame(ValueOf(request, "GameName"));
  if (function == "List") {
    if (first == "Races" && game) PutList(answer, game->races);
    if (first == "Turns" && game) {
      // The turns 0 to the newest, of which the plug-in reads only the entry numbers, the
      // newest above all: that entry alone is sent, so that turn 2 billion costs what turn 2
      // does.
      const std::string entries = std::to_string(static_cast<long long>(game->lastTurn) + 1);
      answer["Count"] = entries;
      answer[entries] = std::to_string(game->lastTurn);
    }
    return true;
  }
  if (function == "Selection") {
    const std::string second = parameters.size() > 1 ? parameters[1] : std::string();
    const auto found = selections_.find(first + "/" + second);
    PutList(answer, found == selections_.end() ? std::vector<std::string>() : found->second);
    return true;
  }
  if (function == "Add") {
    const bool peace = first == "DeclarePeace";
    if ((peace || first == "DeclareWar") && parameters.size() > 1) {
      for (std::size_t i = 1; i < parameters.size(); ++i) {
        if (game) game->relations[parameters[i]] = peace ? "peace" : "war";
      }
      notice_(std::string("client: ") + (peace ? "declares peace with " : "declares war on ") +
              JoinNames(parameters, 1));
    } else {
      notice_("client: takes the order " + JoinNames(parameters, 0));
    }
    return true;
  }
  if (function == "Refresh") {
    const ClientView* view = FindView(first);
    notice_(std::string("client: redraws the ") + (view ? view->title : "view " + first));
    return true;
  }
  return false;
}
