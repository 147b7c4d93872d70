// Inside the console host: one session's state and the commands that act on it, spread over
// console.cpp (starting, reading lines, the calls between client and plug-in),
// client_commands.cpp (the game client's commands) and window_commands.cpp (the windows and
// what a person looks at). Nothing outside those files uses it.
#pragma once

#include <climits>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config_dialog.h"
#include "console.h"
#include "game_client.h"
#include "host_windows.h"
#include "line_reader.h"
#include "person.h"
#include "plugin_module.h"
#include "printer.h"
#include "simulated_host.h"

inline constexpr const char* kEcho = "\xC2\xBB ";  // "» "
// What Tab completes at the prompt, where readline edits the line.
inline constexpr const char* kTabCompletes =
    "commands, games, races, views, menu items, script functions, window actions and the "
    "settings page's fields and their choices";
// Where the plug-in keeps its store file: "PLUGINS\Trucelog.ini" under the client's folder.
inline constexpr const char* kPluginsFolder = "PLUGINS";
inline constexpr const char* kStoreFileName = "Trucelog.ini";

// The entry of `folder` named `name` whatever its letter case, as the client's Windows finds
// it; `folder / name` when there is none.
std::filesystem::path Caseless(const std::filesystem::path& folder, const std::string& name);

std::string Lowered(std::string text);
// The words as a script writes them.
std::string JoinWords(const std::vector<std::string>& words);
bool AllDigits(const std::string& text);
// The plug-in's text, quoted for the terminal.
std::string Quoted(const std::string& ansi);
// A whole number from 0 to `most`; throws SessionError naming `what`, the limit and what the
// limit is (`mostIs`) otherwise.
int Number(const std::string& word, const std::string& what, int most = INT_MAX,
           const std::string& mostIs = "");
std::string Plural(std::size_t count, const std::string& one, const std::string& many);
// Entries as the trace shows them: {key: "value", ...}, a long list of numbered entries cut
// to its first kTraceListHead and last kTraceListTail when it holds more than kTraceListMost.
std::string TraceEntries(const Entries& entries);
inline constexpr std::size_t kTraceListMost = 8;
inline constexpr std::size_t kTraceListHead = 4;
inline constexpr std::size_t kTraceListTail = 2;
// Text order with runs of digits compared as numbers: "2" < "10", "Game.9" < "Game.10".
bool CountedLess(const std::string& a, const std::string& b);
std::string TraceValue(const std::string& value);
// The keys `after` has that `before` had not, or had with another value.
Entries Changes(const Entries& before, const Entries& after);

// A warning window as the person last saw it, kept under the number it was shown with.
struct Watched {
  HWND hWnd;
  bool visible;
  std::string caption;
};

// The session: it owns the module, the simulated host and the client's main window, plays the
// client's part in the host functions through the simulated host, and runs the commands.
class Console : public SimulatedHost::Client {
 public:
  explicit Console(const ConsoleOptions& options)
      : options_(options),
        printer_(std::cout, options.color),
        snapshots_(options.snapshots),
        client_([this](const std::string& notice) { notices_.push_back(notice); }),
        trace_(options.trace) {}

  ~Console() override {
    // The plug-in's objects must go before the module that holds their code.
    config_.reset();
    windows_.reset();
    person_.reset();
    host_.SetClient(nullptr);
  }

  int Run();

  bool Answer(const Entries& request, CMapStringToString& answer) override;
  void Answered(const Entries& request, const Entries& answer) override;

 private:
  using Handler = void (Console::*)(const std::vector<std::string>&);
  struct Command {
    const char* name;
    Handler handler;
    bool callsPlugin;        // then its dialogs' answers and windows are looked at after it
    bool whileSettingsOpen;  // it may run while the settings dialog is open
  };
  static const Command kCommands[];

  int EnterGameFolder();
  void Start();
  void End();
  // Runs the lines `next` reads; `name` names them in messages.
  int RunScript(const std::function<Typed(std::string&)>& next, const std::string& name);
  int RunInteractive();
  // Says what went wrong with a picture once, the settings box closed first; false when
  // nothing did.
  bool PictureFailed();
  void CloseSettings();
  void RunLine(const std::string& line, int number, bool echo);
  void Execute(const std::vector<std::string>& words, int number);
  // After a call into the plug-in: shows what changed in the windows, and throws what went
  // wrong with the person's answers.
  void AfterPluginCall();
  std::vector<std::string> Completions(const std::vector<std::string>& before) const;

  // Entry points, traced.
  Entries Send(const char* name, void (PluginModule::*entry)(CMapStringToString&) const,
               const Entries& request);
  Entries SendWithList(const char* name,
                       void (PluginModule::*entry)(CMapStringToString&, CStringArray&) const,
                       const Entries& request, std::vector<std::string>& list);
  void Trace(const std::string& line);

  // The commands.
  void GameCommand(const std::vector<std::string>& words);
  void RacesCommand(const std::vector<std::string>& words);
  void GamesCommand(const std::vector<std::string>& words);
  void ActivateCommand(const std::vector<std::string>& words);
  void ReportCommand(const std::vector<std::string>& words);
  void SelectCommand(const std::vector<std::string>& words);
  void PlanetCommand(const std::vector<std::string>& words);
  void MenuCommand(const std::vector<std::string>& words);
  void TableCommand(const std::vector<std::string>& words);
  void CallCommand(const std::vector<std::string>& words);
  void ConfigCommand(const std::vector<std::string>& words);
  void AboutCommand(const std::vector<std::string>& words);
  void WindowsCommand(const std::vector<std::string>& words);
  void WindowCommand(const std::vector<std::string>& words);
  void TimelineCommand(const std::vector<std::string>& words);
  void SettingsCommand(const std::vector<std::string>& words);
  void StoreCommand(const std::vector<std::string>& words);
  void TraceCommand(const std::vector<std::string>& words);
  void HelpCommand(const std::vector<std::string>& words);
  void QuitCommand(const std::vector<std::string>& words);
  void SettingsAnswer(const ::Answer& answer);

  // Draws the race table's `rows` of `game` as the client shows them, its selection too.
  void DrawTable(const Game& game, const std::string& caption,
                 const std::vector<std::vector<std::string>>& rows, const std::string& file);
  Game& NamedGame(const std::string& name);
  Game& ActiveGame();
  Entries GameRequest(const Game& game) const;
  // The race of `game` the client lists under `name`; throws naming the races it has.
  const std::string& RaceOf(const Game& game, const std::string& name) const;
  std::vector<std::string> MenuItems(const std::string& viewId) const;
  void ShowRegistrations();
  // Delivers posted messages, then shows the windows that opened and tells of those hidden,
  // shown again or closed.
  void WatchWindows();
  void ShowWindow(int number, const HostMainWindow::Child& window);
  // Draws the window as it stands into the snapshots folder; `when` names the occasion.
  void Picture(int number, const HostMainWindow::Child& window, const CDisplayList& painted,
               const std::string& when);
  std::optional<HostMainWindow::Child> FindWindow(int number) const;
  // The main window's client area, where a maximised window spreads.
  SIZE MainArea() const;
  void SaveSettings();
  // The plug-in's store file in the game folder, whether it exists or not.
  std::filesystem::path StoreFile() const;
  // A path as the person named things: relative to where the host started, when inside it.
  std::string Shown(const std::filesystem::path& path) const;
  // Writes a picture's pages to `file` when one is named, else into the snapshots folder, else
  // to `fallback` in the game folder, a file a page where there are several; answers their
  // paths as shown, none when the snapshots folder failed (the session ends on that).
  std::vector<std::string> WritePicture(const std::string& name,
                                        const std::vector<std::string>& pages,
                                        const std::string& file, const std::string& fallback);

  ConsoleOptions options_;
  Printer printer_;
  Snapshots snapshots_;
  SimulatedHost host_;
  std::unique_ptr<PluginModule> module_;
  std::unique_ptr<HostMainWindow> windows_;
  std::unique_ptr<HostConfigDialog> config_;
  std::unique_ptr<LineReader> reader_;
  std::unique_ptr<Person> person_;
  GameClient client_;
  std::vector<std::string> notices_;  // what the client did in the call being answered
  Entries registrations_;
  Entries savedSettings_;  // as the settings file holds them
  bool settingsUnsaved_ = false;
  std::filesystem::path startFolder_;
  std::filesystem::path gameFolder_;
  std::map<int, Watched> watched_;
  int nextWindow_ = 1;
  bool trace_;
  int traceDepth_ = 0;
  bool quit_ = false;
};
