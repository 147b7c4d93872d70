#include "console.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <random>

#include "commands.h"
#include "console_session.h"
#include "console_streams.h"
#include "display.h"
#include "script_words.h"
#include "settings_file.h"

namespace fs = std::filesystem;

std::string TraceValue(const std::string& value) {
  std::string quoted = QuoteWord(value);
  if (quoted.front() != '"') quoted = "\"" + quoted + "\"";
  return ShowAnsi(quoted);
}

std::string TraceEntries(const Entries& entries) {
  // Keys in the order a person counts them ("2" before "10", "Game.2" before "Game.10"), and of
  // a long list only its first and last entries.
  std::vector<const Entries::value_type*> sorted;
  for (const auto& entry : entries) sorted.push_back(&entry);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto* a, const auto* b) { return CountedLess(a->first, b->first); });
  const auto numbered = static_cast<std::size_t>(std::count_if(
      sorted.begin(), sorted.end(), [](const auto* entry) { return AllDigits(entry->first); }));
  const std::size_t left =
      numbered > kTraceListMost ? numbered - kTraceListHead - kTraceListTail : 0;
  std::string text;
  std::size_t seen = 0;
  for (const auto* entry : sorted) {
    const bool inList = AllDigits(entry->first);
    if (inList && left > 0 && seen >= kTraceListHead && seen < kTraceListHead + left) {
      if (seen++ == kTraceListHead)
        text += ", \xE2\x80\xA6 " + std::to_string(left) + " more \xE2\x80\xA6";
      continue;
    }
    if (inList) ++seen;
    text += (text.empty() ? "" : ", ") + ShowAnsi(entry->first) + ": " + TraceValue(entry->second);
  }
  return "{" + text + "}";
}

bool CountedLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (digitA && digitB) {
      std::size_t endA = i, endB = j;
      while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA]))) ++endA;
      while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB]))) ++endB;
      // Without leading zeros, the shorter run of digits is the smaller number.
      std::string runA = a.substr(i, endA - i), runB = b.substr(j, endB - j);
      runA.erase(0, (std::min)(runA.find_first_not_of('0'), runA.size()));
      runB.erase(0, (std::min)(runB.find_first_not_of('0'), runB.size()));
      if (runA.size() != runB.size()) return runA.size() < runB.size();
      if (runA != runB) return runA < runB;
      i = endA;
      j = endB;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

namespace {

// The system's temporary folder; when it cannot be used, the one it names and why not.
fs::path TempFolder(std::error_code& error) {
  fs::path temp = fs::temp_directory_path(error);
  if (!error) return temp;
#ifdef _WIN32
  const char* const kNamers[] = {"TMP", "TEMP", "USERPROFILE"};
#else
  const char* const kNamers[] = {"TMPDIR", "TMP", "TEMP", "TEMPDIR"};
#endif
  for (const char* namer : kNamers) {
    const char* named = std::getenv(namer);
    if (named && *named) {
      temp = named;
      break;
    }
  }
  // Named as the person would look for it when no variable names it.
#ifdef _WIN32
  if (temp.empty()) temp = "%TEMP%";
#else
  if (temp.empty()) temp = "/tmp";
#endif
  std::error_code missing;
  error = fs::exists(temp, missing) ? std::make_error_code(std::errc::not_a_directory)
                                    : std::make_error_code(std::errc::no_such_file_or_directory);
  return temp;
}

// A folder of this host's own in the system's temporary folder; empty when none can be made,
// `error` then saying why.
fs::path FreshFolder(fs::path& temp, std::error_code& error) {
  temp = TempFolder(error);
  if (error) return {};
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> letter(0, 35);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "trucelog-game-";
    for (int i = 0; i < 6; ++i) {
      const int pick = letter(random);
      name += static_cast<char>(pick < 10 ? '0' + pick : 'a' + pick - 10);
    }
    // Only the one that creates the folder is told so: two hosts never share one.
    if (fs::create_directory(temp / name, error)) return temp / name;
    if (error) return {};
  }
  error = std::make_error_code(std::errc::file_exists);
  return {};
}

// The names an answer may go on with: the controls its verb acts on, then a list's items or a
// group's choices.
std::vector<std::string> AnswerCompletions(const DialogView& view,
                                           const std::vector<std::string>& before) {
  const std::string& verb = before[0];
  std::vector<ControlKind> kinds;
  if (verb == "type") kinds = {ControlKind::kEdit, ControlKind::kCombo};
  if (verb == "choose") {
    kinds = {ControlKind::kDropList, ControlKind::kCombo, ControlKind::kList,
             ControlKind::kGroupBox};
  }
  if (verb == "tick" || verb == "untick") kinds = {ControlKind::kCheckBox};
  if (verb == "click") kinds = {ControlKind::kButton, ControlKind::kCheckBox, ControlKind::kRadio};
  std::vector<std::string> words;
  if (before.size() == 1) {
    for (const DialogControl& control : view.Controls()) {
      const bool named = !control.name.empty();
      if (named && std::find(kinds.begin(), kinds.end(), control.kind) != kinds.end())
        words.push_back(control.name);
      if (control.checkList && (verb == "tick" || verb == "untick"))
        words.insert(words.end(), control.items.begin(), control.items.end());
    }
  } else if (verb == "choose" && before.size() == 2) {
    try {
      const DialogControl& list = view.Find(before[1], kinds, "a list or a group of choices");
      words = list.items;
      for (const DialogControl& member : view.Controls()) {
        if (member.kind == ControlKind::kRadio && member.group == list.name)
          words.push_back(member.name);
      }
    } catch (const SessionError&) {
      // A list nobody can find completes nothing; the line says why when it runs.
    }
  }
  return words;
}

}  // namespace

fs::path Caseless(const fs::path& folder, const std::string& name) {
  // The entry as the folder spells it, its own spelling first where two differ in case alone.
  fs::path found;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string entryName = entry->path().filename().string();
    if (entryName == name) return entry->path();
    if (found.empty() && Lowered(entryName) == Lowered(name)) found = entry->path();
  }
  return found.empty() ? folder / name : found;
}

// The keys `after` has that `before` had not, or had with another value.
Entries Changes(const Entries& before, const Entries& after) {
  Entries changed;
  for (const auto& [key, value] : after) {
    const auto was = before.find(key);
    if (was == before.end() || was->second != value) changed[key] = value;
  }
  return changed;
}

std::string Lowered(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string line;
  for (std::size_t i = 0; i < words.size(); ++i) {
    line += (line.empty() ? "" : " ") + QuoteWord(words[i]);
  }
  return line;
}

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

std::string Quoted(const std::string& ansi) { return "\"" + ShowAnsi(ansi) + "\""; }

int Number(const std::string& word, const std::string& what, int most, const std::string& mostIs) {
  bool digits = !word.empty() && word.size() <= 10;
  for (const char ch : word) digits = digits && ch >= '0' && ch <= '9';
  const long long value = digits ? std::stoll(word) : -1;
  if (value < 0 || value > most) {
    throw SessionError("expected " + what + " as a number from 0 to " + std::to_string(most) +
                       (mostIs.empty() ? "" : " (" + mostIs + ")") + ", got " + Quoted(word));
  }
  return static_cast<int>(value);
}

std::string Plural(std::size_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

const Console::Command Console::kCommands[] = {
    {"game", &Console::GameCommand, true, false},
    {"races", &Console::RacesCommand, false, false},
    {"games", &Console::GamesCommand, false, true},
    {"activate", &Console::ActivateCommand, true, false},
    {"report", &Console::ReportCommand, true, false},
    {"select", &Console::SelectCommand, false, false},
    {"planet", &Console::PlanetCommand, true, false},
    {"menu", &Console::MenuCommand, true, false},
    {"table", &Console::TableCommand, true, false},
    {"call", &Console::CallCommand, true, false},
    {"config", &Console::ConfigCommand, true, false},
    {"about", &Console::AboutCommand, true, true},
    {"windows", &Console::WindowsCommand, false, true},
    {"window", &Console::WindowCommand, true, false},
    {"timeline", &Console::TimelineCommand, false, true},
    {"settings", &Console::SettingsCommand, false, true},
    {"store", &Console::StoreCommand, false, true},
    {"trace", &Console::TraceCommand, false, true},
    {"help", &Console::HelpCommand, false, true},
    {"quit", &Console::QuitCommand, false, false},
};

// Start and end.

int Console::Run() {
  std::error_code error;
  startFolder_ = fs::current_path(error);
  module_ = std::make_unique<PluginModule>(options_.module);
  if (!module_->IsLoaded()) {
    std::string reason = module_->Error();
    // Several missing names read as one: the first and how many more.
    const std::size_t more =
        static_cast<std::size_t>(std::count(reason.begin(), reason.end(), ';'));
    if (more > 0) {
      reason = reason.substr(0, reason.find(';')) + " and " + std::to_string(more) + " more";
    }
    std::cerr << "trucelog-host: cannot load the module " << options_.module << ": " << reason
              << "\n";
    module_.reset();
    return kExitNoModule;
  }
  // From here on the session ends only through its closing steps.
  CatchInterrupts();
  // The script is named from where the host started, before it enters the game folder.
  const bool fromInput = options_.script.empty() || options_.script == "-";
  std::ifstream script;
  if (!fromInput) {
    script.open(options_.script, std::ios::binary);
    if (!script) {
      std::cerr << "trucelog-host: cannot read the script " << options_.script << ": "
                << std::error_code(errno, std::generic_category()).message() << "\n";
      return kExitBadInput;
    }
  }
  if (const int status = EnterGameFolder(); status != kExitOk) return status;

  const bool interactive = fromInput && InputIsTerminal();
  if (interactive) {
    reader_ = LineReader::Create(
        [this](const std::vector<std::string>& before) { return Completions(before); });
  }
  person_ = std::make_unique<Person>(printer_, snapshots_, reader_.get());
  host_.SetClient(this);
  windows_ = std::make_unique<HostMainWindow>("Game client");
  Start();

  int status = kExitOk;
  if (PictureFailed()) {
    status = kExitNoPicture;
  } else if (interactive) {
    status = RunInteractive();
  } else if (fromInput) {
    status = RunScript(ReadInputLine, "stdin");
  } else {
    status = RunScript(
        [&script](std::string& line) {
          return std::getline(script, line) ? Typed::kLine : Typed::kEnded;
        },
        options_.script);
  }
  End();
  return status;
}

int Console::EnterGameFolder() {
  std::error_code error;
  if (options_.game.empty()) {
    fs::path temp;
    gameFolder_ = FreshFolder(temp, error);
    if (gameFolder_.empty()) {
      std::cerr << "trucelog-host: cannot create a game folder in " << temp.string() << ": "
                << error.message() << "\n";
      return kExitFailure;
    }
  } else {
    gameFolder_ = fs::absolute(options_.game, error);
    if (!error) fs::create_directories(gameFolder_, error);
  }
  if (!error) fs::current_path(gameFolder_, error);
  // The client's folder always has PLUGINS/: without it every save of the plug-in would fail.
  fs::path plugins = gameFolder_ / kPluginsFolder;
  if (!error) plugins = Caseless(gameFolder_, kPluginsFolder);
  std::string where;
  if (!error && !fs::is_directory(plugins, error)) {
    // A file in its place would make the system say only that something exists there.
    if (fs::exists(plugins, error)) {
      error = std::make_error_code(std::errc::not_a_directory);
      where = plugins.filename().string() + ": ";
    } else {
      fs::create_directory(plugins, error);
    }
  }
  if (error) {
    std::cerr << "trucelog-host: cannot use the game folder "
              << (options_.game.empty() ? gameFolder_.string() : options_.game) << ": " << where
              << error.message() << "\n";
    return kExitFailure;
  }
  printer_.Line("Game folder: " +
                (options_.game.empty() ? gameFolder_.string() + " (new; " : options_.game + " (") +
                "the store file: " + StoreFile().lexically_relative(gameFolder_).generic_string() +
                ")");
  std::vector<std::string> skipped;
  host_.settings = LoadSettingsFile(kSettingsFileName, &skipped);
  for (const std::string& line : skipped) {
    std::cerr << kSettingsFileName << ":" << line.substr(0, line.find(':'))
              << ": not a \"name = value\" line; left out\n";
  }
  savedSettings_ = host_.settings;
  return kExitOk;
}

fs::path Console::StoreFile() const {
  return Caseless(Caseless(gameFolder_, kPluginsFolder), kStoreFileName);
}

void Console::Start() {
  Trace("\xE2\x86\x92 OnLoad");
  module_->OnLoad();
  Trace("\xE2\x86\x90 OnLoad");
  const Entries startup = host_.StartupParameters();
  const Entries answered = Send("OnInitialize", &PluginModule::OnInitialize, startup);
  registrations_ = Changes(startup, answered);
  ShowRegistrations();
  WatchWindows();
}

void Console::CloseSettings() {
  if (!config_) return;
  config_->Close();
  config_.reset();
  printer_.CloseBox("Cancel");
}

bool Console::PictureFailed() {
  if (!snapshots_.Failure()) return false;
  // The transcript is left whole, its boxes closed, before the reason is said.
  CloseSettings();
  printer_.Flush();
  std::cerr << "trucelog-host: " << *snapshots_.Failure() << "\n";
  return true;
}

void Console::End() {
  CloseSettings();
  person_->Forget();
  printer_.Gap();
  windows_->CloseAll();
  Trace("\xE2\x86\x92 OnClose");
  ++traceDepth_;
  module_->OnClose();
  --traceDepth_;
  Trace("\xE2\x86\x90 OnClose");
  printer_.Line("The session ends: the client closes its windows and the plug-in.");
  if (settingsUnsaved_) SaveSettings();
  printer_.Flush();
}

// Reading the session.

int Console::RunScript(const std::function<Typed(std::string&)>& next, const std::string& name) {
  std::string line;
  for (int number = 1; !quit_; ++number) {
    // Ctrl-C stops the script between two lines; the session ends as the last one left it.
    const Typed typed = TakeInterrupt() ? Typed::kInterrupted : next(line);
    if (typed == Typed::kInterrupted) {
      printer_.Flush();
      std::cerr << name << ":" << number << ": interrupted (" << kInterruptKeys
                << "): the session ends before this line\n";
      return kExitInterrupted;
    }
    if (typed == Typed::kEnded) break;
    try {
      RunLine(line, number, true);
      if (PictureFailed()) return kExitNoPicture;
      // Whoever pipes the lines in sees each command's answer before sending the next.
      printer_.Flush();
    } catch (const SessionError& error) {
      if (PictureFailed()) return kExitNoPicture;
      printer_.Flush();
      std::cerr << name << ":" << (error.Line() ? error.Line() : number) << ": " << error.what()
                << "\n";
      return kExitBadInput;
    }
  }
  if (!quit_ && !person_->Pending().empty()) {
    const ::Answer& left = person_->Pending().front();
    std::cerr << name << ":" << left.line << ": " << Quoted(JoinWords(left.words))
              << " was given ahead, but the script ends before any dialog opens to take it\n";
    return kExitBadInput;
  }
  return kExitOk;
}

int Console::RunInteractive() {
  printer_.Line(std::string("Type help for the commands, quit or ") + kEndOfInputKeys +
                " to end, " + kInterruptKeys + " to clear a line" +
                (reader_->Edits() ? std::string("; Tab completes ") + kTabCompletes + "." : "."));
  std::string line;
  for (int number = 1; !quit_; ++number) {
    printer_.Flush();
    const Typed typed = reader_->ReadCommand(config_ ? "settings> " : "trucelog> ", line);
    if (typed == Typed::kEnded) {
      printer_.Line("");
      break;
    }
    if (typed == Typed::kInterrupted) continue;
    try {
      RunLine(line, number, false);
    } catch (const SessionError& error) {
      if (!snapshots_.Failure()) printer_.Line(std::string("error: ") + error.what());
    }
    if (PictureFailed()) return kExitNoPicture;
  }
  return kExitOk;
}

void Console::RunLine(const std::string& line, int number, bool echo) {
  // The person writes in UTF-8; the client speaks its code page. Escapes keep raw bytes raw.
  const std::vector<std::string> words = SplitWords(TypedAnsi(line));
  if (words.empty()) return;
  // Answers show where they are taken, inside their dialog.
  if (echo && !IsAnswerVerb(words[0])) {
    printer_.Gap();
    printer_.Line(kEcho + ShowAnsi(JoinWords(words)));
  }
  Execute(words, number);
}

void Console::Execute(const std::vector<std::string>& words, int number) {
  const std::string& verb = words[0];
  if (!FindCommand(verb)) {
    const std::string suggestion = Suggestion(verb);
    throw SessionError("unknown command " + Quoted(verb) +
                       (suggestion.empty() ? "" : " (did you mean " + suggestion + "?)") +
                       ": type help for the commands");
  }
  if (IsAnswerVerb(verb)) {
    CheckAnswer(words);
    const ::Answer answer{words, number};
    if (config_) {
      SettingsAnswer(answer);
      AfterPluginCall();
      return;
    }
    person_->Give(answer);
    return;
  }
  const Command* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                        [&](const Command& c) { return verb == c.name; });
  if (config_ && !command->whileSettingsOpen) {
    throw SessionError("the settings dialog is open: change its fields, then ok or cancel before " +
                       verb);
  }
  (this->*command->handler)(words);
  if (command->callsPlugin) AfterPluginCall();
}

void Console::AfterPluginCall() {
  WatchWindows();
  if (std::optional<SessionError> failure = person_->TakeFailure()) throw *failure;
  if (!person_->Pending().empty()) {
    const ::Answer left = person_->Pending().front();
    person_->Forget();
    throw SessionError(Quoted(JoinWords(left.words)) +
                           " was given ahead, but nothing opened to take it: give answers on "
                           "the lines just before the command that opens the dialog",
                       left.line);
  }
}

std::vector<std::string> Console::Completions(const std::vector<std::string>& typed) const {
  // The person types UTF-8; the client's names are in its code page.
  std::vector<std::string> before;
  for (const std::string& word : typed) before.push_back(TypedAnsi(word));
  std::vector<std::string> words;
  const Game* active = client_.Active();
  const std::vector<std::string> races = active ? active->races : std::vector<std::string>{};
  if (before.empty()) {
    for (const CommandInfo& command : Commands()) words.push_back(command.name);
  } else if (const std::string& verb = before[0]; verb == "help" && before.size() == 1) {
    for (const CommandInfo& command : Commands()) words.push_back(command.name);
  } else if ((verb == "menu" || verb == "select") && before.size() == 1) {
    for (const ClientView& view : kViews) {
      if (verb == "menu" || std::string(view.id) != "1") words.push_back(view.name);
    }
    if (verb == "menu") words.push_back("main");
  } else if (verb == "menu" && before.size() == 2) {
    const ClientView* view = FindView(before[1]);
    const auto main = registrations_.find("MenuItem");
    words = view ? MenuItems(view->id)
                 : std::vector<std::string>{main == registrations_.end() ? "" : main->second};
  } else if ((verb == "select" && before.size() >= 2) || (verb == "planet" && before.size() == 1) ||
             (verb == "call" && before.size() >= 2)) {
    words = races;
  } else if ((verb == "report" || verb == "activate" || verb == "races" || verb == "game") &&
             before.size() == 1) {
    for (const Game& game : client_.Games()) words.push_back(game.name);
  } else if (verb == "call" && before.size() == 1) {
    for (const auto& [key, value] : registrations_) {
      if (key.rfind("Function:", 0) == 0) words.push_back(key.substr(9));
    }
  } else if (verb == "table" && before.size() == 1) {
    words = {"picture"};
  } else if (verb == "window" && before.size() == 2) {
    words = {"show", "activate", "minimize", "maximize", "restore", "escape", "close", "move"};
  } else if (config_ && IsAnswerVerb(verb)) {
    words = AnswerCompletions(DialogView(*config_->Page(), "Trucelog"), before);
  }
  for (std::string& word : words) word = ShowAnsi(word);
  return words;
}

// The plug-in's entry points and the host functions it calls.

void Console::Trace(const std::string& line) {
  if (trace_)
    printer_.Line("trace: " + std::string(static_cast<std::size_t>(traceDepth_) * 2, ' ') + line);
}

Entries Console::Send(const char* name, void (PluginModule::*entry)(CMapStringToString&) const,
                      const Entries& request) {
  Trace(std::string("\xE2\x86\x92 ") + name + " " + TraceEntries(request));
  CMapStringToString map;
  Fill(map, request);
  ++traceDepth_;
  (module_.get()->*entry)(map);
  // A window the call opened shows within it.
  WatchWindows();
  --traceDepth_;
  const Entries answer = Snapshot(map);
  const Entries changed = Changes(request, answer);
  Trace(std::string("\xE2\x86\x90 ") + name +
        (changed.empty() ? "" : " answered " + TraceEntries(changed)));
  return answer;
}

Entries Console::SendWithList(const char* name,
                              void (PluginModule::*entry)(CMapStringToString&, CStringArray&) const,
                              const Entries& request, std::vector<std::string>& list) {
  std::string cells;
  for (const std::string& cell : list) cells += (cells.empty() ? "" : ", ") + TraceValue(cell);
  Trace(std::string("\xE2\x86\x92 ") + name + " " + TraceEntries(request) + " [" + cells + "]");
  CMapStringToString map;
  Fill(map, request);
  CStringArray array;
  for (const std::string& item : list) array.Add(item.c_str());
  ++traceDepth_;
  (module_.get()->*entry)(map, array);
  WatchWindows();
  --traceDepth_;
  std::string changedCells;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) {
    const std::string cell = array[i].GetString();
    const auto index = static_cast<std::size_t>(i);
    if (index >= list.size() || list[index] != cell) {
      changedCells +=
          (changedCells.empty() ? "" : ", ") + std::to_string(i) + ": " + TraceValue(cell);
    }
  }
  list.assign(static_cast<std::size_t>(array.GetSize()), "");
  for (INT_PTR i = 0; i < array.GetSize(); ++i)
    list[static_cast<std::size_t>(i)] = array[i].GetString();
  const Entries answer = Snapshot(map);
  const Entries changed = Changes(request, answer);
  Trace(std::string("\xE2\x86\x90 ") + name +
        (changed.empty() ? "" : " answered " + TraceEntries(changed)) +
        (changedCells.empty() ? "" : " cells {" + changedCells + "}"));
  return answer;
}

bool Console::Answer(const Entries& request, CMapStringToString& answer) {
  Entries mine;
  if (!client_.Answer(request, mine)) return false;
  Fill(answer, mine);
  return true;
}

void Console::Answered(const Entries& request, const Entries& answer) {
  const auto function = request.find("Function");
  const std::string name = function == request.end() ? "?" : function->second;
  const Entries changed = Changes(request, answer);
  Trace("plug-in calls " + ShowAnsi(name) + " " + TraceEntries(request) +
        (changed.empty() ? "" : " \xE2\x86\x92 " + TraceEntries(changed)));
  for (const std::string& notice : notices_) printer_.Line(ShowAnsi(notice));
  notices_.clear();
  if (name == "WriteRegistry" && host_.settings != savedSettings_) SaveSettings();
}

void Console::SaveSettings() {
  if (SaveSettingsFile(kSettingsFileName, host_.settings)) {
    savedSettings_ = host_.settings;
    settingsUnsaved_ = false;
  } else if (!settingsUnsaved_) {
    std::cerr << "trucelog-host: cannot write " << (gameFolder_ / kSettingsFileName).string()
              << "; the settings live on in memory only\n";
    settingsUnsaved_ = true;
  }
}

int RunConsole(const ConsoleOptions& options) {
  Console console(options);
  return console.Run();
}
