// The game client's own world as the console host plays it: the games list (each game with the
// player's own race, the game's races and turns), the game the player works in, what is
// selected in each view, the diplomatic orders the plug-in handed over, and the client's race
// table. It answers the plug-in's "List", "Selection", "Add" and "Refresh" as the client would,
// by the game a request names; the settings store stays the simulated host's.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "request_map.h"

// The last turn the client accepts. The plug-in keeps the current turn as a signed 32-bit
// number and takes it from the "List" "Turns" answer as the newest entry's number less one, so
// that number, the turn plus one, must still be one (the store's unsigned turns reach further,
// and the sign dialog's up-down controls, 16-bit, only to 32767).
inline constexpr int kLastTurn = 2147483646;
inline constexpr const char* kLastTurnIs = "the last turn the client accepts";

struct Game {
  std::string name;
  std::string race;                              // the player's own race
  std::vector<std::string> races;                // in the client's order
  int lastTurn = 0;                              // the newest turn the client holds a report of
  int turn = 0;                                  // the turn the player looks at
  std::map<std::string, std::string> relations;  // race to "peace" or "war", from the orders
};

// A view of the client by the name a person calls it and the identifier the plug-in knows.
struct ClientView {
  const char* name;
  const char* id;
  const char* title;
};
inline constexpr ClientView kViews[] = {{"races", "51467", "race table"},
                                        {"planet", "1", "planet view"},
                                        {"relations", "51691", "relations view"}};
// The view by its name or its identifier; null for none.
const ClientView* FindView(const std::string& nameOrId);

// The race table's columns; the plug-in may write the status (8) and the custom cells (18-20).
inline constexpr int kTableColumns = 21;
const char* TableColumnName(int column);

class GameClient {
 public:
  // Hears what the client does on the plug-in's orders, worded for the person.
  using Notice = std::function<void(const std::string&)>;
  explicit GameClient(Notice notice) : notice_(std::move(notice)) {}

  // Adds the game to the list, or changes the one of that name; answers it.
  Game& PutGame(const std::string& name, const std::string& race);
  Game* FindGame(const std::string& name);
  const std::vector<Game>& Games() const { return games_; }
  // The request of "OnGamesListModified": "Count", then "Game.N" and "Race.N".
  Entries GamesList() const;

  // The game the player works in; null before the first is activated.
  Game* Active() { return FindGame(active_); }
  const Game* Active() const { return const_cast<GameClient*>(this)->Active(); }
  void Activate(const std::string& name) { active_ = name; }

  // What is selected in `view`'s `column`: one value per selected row.
  void Select(const std::string& viewId, const std::string& column,
              const std::vector<std::string>& values);
  const std::vector<std::string>& Selected(const std::string& viewId,
                                           const std::string& column) const;

  // The client's own cells of `race`'s row in `game`'s race table.
  std::vector<std::string> TableRow(const Game& game, const std::string& race) const;

  // Answers the host functions the client owns; false for the others.
  bool Answer(const Entries& request, Entries& answer);

 private:
  std::vector<Game> games_;
  std::string active_;
  std::map<std::string, std::vector<std::string>> selections_;  // "view/column" to values
  Notice notice_;
};
