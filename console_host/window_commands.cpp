// The warning windows as the person sees and handles them, and the commands that look at the
// session: the timeline, the settings store, the store file, the trace and the help.
#include <algorithm>
#include <fstream>

#include "commands.h"
#include "console_session.h"
#include "display.h"
#include "script_words.h"
#include "settings_file.h"
#include "timeline.h"
#include "window_view.h"

namespace fs = std::filesystem;

// Windows.

void Console::WatchWindows() {
  windows_->PumpMessages();
  const std::vector<HostMainWindow::Child> children = windows_->Children();
  for (const HostMainWindow::Child& child : children) {
    const auto known = std::find_if(watched_.begin(), watched_.end(), [&](const auto& entry) {
      return entry.second.hWnd == child.hWnd;
    });
    if (known == watched_.end()) {
      const int number = nextWindow_++;
      watched_[number] = {child.hWnd, child.visible, child.caption};
      if (child.visible) {
        ShowWindow(number, child);
      } else {
        printer_.Line("window " + std::to_string(number) +
                      " opens hidden: " + ShowAnsi(child.caption));
      }
      continue;
    }
    if (known->second.visible != child.visible) {
      printer_.Line("window " + std::to_string(known->first) +
                    (child.visible ? " shown: " : " hidden: ") + ShowAnsi(child.caption));
    }
    known->second.visible = child.visible;
    known->second.caption = child.caption;
  }
  for (auto entry = watched_.begin(); entry != watched_.end();) {
    const bool open = std::any_of(
        children.begin(), children.end(),
        [&](const HostMainWindow::Child& child) { return child.hWnd == entry->second.hWnd; });
    if (open) {
      ++entry;
      continue;
    }
    printer_.Line("window " + std::to_string(entry->first) +
                  " closed: " + ShowAnsi(entry->second.caption));
    entry = watched_.erase(entry);
  }
}

std::optional<HostMainWindow::Child> Console::FindWindow(int number) const {
  const auto known = watched_.find(number);
  if (known == watched_.end()) return std::nullopt;
  for (const HostMainWindow::Child& child : windows_->Children()) {
    if (child.hWnd == known->second.hWnd) return child;
  }
  return std::nullopt;
}

SIZE Console::MainArea() const {
  RECT area{};
  if (CMDIFrameWnd* frame = windows_->Frame()) {
    CWnd::FromHandle(frame->m_hWndMDIClient)->GetClientRect(&area);
  }
  return {area.right - area.left, area.bottom - area.top};
}

void Console::ShowWindow(int number, const HostMainWindow::Child& window) {
  const CDisplayList painted = windows_->Paint(window.hWnd);
  printer_.OpenBox("window " + std::to_string(number) + ": " + ShowAnsi(window.caption) +
                   " \xE2\x80\x94 " + WindowState(window));
  for (const std::string& line : BandLines(BandsOf(painted), printer_.Color())) printer_.Line(line);
  Picture(number, window, painted, "");
  printer_.CloseBox("");
}

void Console::Picture(int number, const HostMainWindow::Child& window, const CDisplayList& painted,
                      const std::string& when) {
  if (!snapshots_.Enabled()) return;
  const std::string path = snapshots_.Write(
      "window " + std::to_string(number) + (when.empty() ? "" : " " + when) + " " + window.caption,
      WindowSvg(window, painted, MainArea()));
  if (!path.empty()) printer_.Line("(picture " + fs::path(path).filename().string() + ")");
}

void Console::WindowsCommand(const std::vector<std::string>&) {
  WatchWindows();
  if (watched_.empty()) printer_.Line("No warning windows are open.");
  for (const auto& [number, watched] : watched_) {
    if (const std::optional<HostMainWindow::Child> child = FindWindow(number)) {
      printer_.Line("window " + std::to_string(number) + ": " + ShowAnsi(child->caption) +
                    " \xE2\x80\x94 " + WindowState(*child));
    }
  }
}

void Console::WindowCommand(const std::vector<std::string>& words) {
  if (words.size() < 2)
    throw SessionError("missing the window's number: expected window N [ACTION]");
  const int number = Number(words[1], "the window's number");
  const std::optional<HostMainWindow::Child> found = FindWindow(number);
  if (!found) {
    std::string open;
    for (const auto& [each, watched] : watched_)
      open += (open.empty() ? "" : ", ") + std::to_string(each);
    throw SessionError(
        "no window " + std::to_string(number) +
        (open.empty() ? ": no warning window is open" : ": the open ones are " + open));
  }
  const std::string action = words.size() > 2 ? Lowered(words[2]) : "show";
  const bool move = action == "move";
  if ((!move && words.size() > 3) || (move && words.size() != 5 && words.size() != 7)) {
    throw SessionError(move ? "expected window N move X Y [WIDTH HEIGHT]"
                            : "expected window N " + action);
  }
  const HWND hWnd = found->hWnd;
  bool done = true;
  if (action == "show") {
    ShowWindow(number, *found);
    return;
  } else if (!found->visible) {
    throw SessionError("window " + std::to_string(number) +
                       " is hidden, out of the person's reach: it shows again when its game is "
                       "activated");
  } else if (action == "activate") {
    done = windows_->Activate(hWnd);
  } else if (action == "minimize" || action == "minimise") {
    done = windows_->Minimize(hWnd);
  } else if (action == "maximize" || action == "maximise") {
    done = windows_->Maximize(hWnd);
  } else if (action == "restore") {
    done = windows_->Restore(hWnd);
  } else if (action == "escape") {
    done = windows_->SendKey(hWnd, VK_ESCAPE);
  } else if (action == "close") {
    done = windows_->Close(hWnd);
  } else if (action == "move") {
    // In 64 bits: a position kept from an earlier session may span the whole 32-bit range.
    const RECT& was = found->normal;
    const long long left = Number(words[3], "X"), top = Number(words[4], "Y");
    const long long width = words.size() == 7 ? Number(words[5], "the width")
                                              : static_cast<long long>(was.right) - was.left;
    const long long height = words.size() == 7 ? Number(words[6], "the height")
                                               : static_cast<long long>(was.bottom) - was.top;
    if (left + width > INT_MAX || top + height > INT_MAX || left + width < INT_MIN ||
        top + height < INT_MIN) {
      throw SessionError("window " + std::to_string(number) + " would reach past " +
                         std::to_string(INT_MAX) + ": give a smaller position or size");
    }
    done = windows_->Move(
        hWnd, RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(left + width),
                   static_cast<LONG>(top + height)});
  } else {
    throw SessionError(
        "no action " + Quoted(action) +
        ": expected show, activate, minimize, maximize, restore, escape, close or move X Y [W H]");
  }
  if (!done) throw SessionError("window " + std::to_string(number) + " is gone");
  WatchWindows();
  if (const std::optional<HostMainWindow::Child> now = FindWindow(number)) {
    printer_.Line("window " + std::to_string(number) + ": " + ShowAnsi(now->caption) +
                  " \xE2\x80\x94 " + WindowState(*now));
    // What changes how the window stands is drawn; a key or an activation alone is not.
    const std::string drawn = action.rfind("min", 0) == 0   ? "minimized"
                              : action.rfind("max", 0) == 0 ? "maximized"
                              : action == "restore"         ? "restored"
                              : move                        ? "moved"
                                                            : "";
    if (!drawn.empty() && now->visible) Picture(number, *now, windows_->Paint(now->hWnd), drawn);
  }
}

// Looking at the session.

std::string Console::Shown(const fs::path& path) const {
  const fs::path relative = path.lexically_relative(startFolder_);
  // Relative paths in "/", as the game folder was most likely named, on Windows too.
  return relative.empty() || *relative.begin() == ".." ? path.string() : relative.generic_string();
}

std::vector<std::string> Console::WritePicture(const std::string& name,
                                               const std::vector<std::string>& pages,
                                               const std::string& file,
                                               const std::string& fallback) {
  const auto page = [&](std::size_t i) {
    return pages.size() == 1
               ? std::string()
               : "page " + std::to_string(i + 1) + " of " + std::to_string(pages.size());
  };
  std::vector<std::string> shown;
  if (file.empty() && snapshots_.Enabled()) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const std::string path = snapshots_.Write(name, pages[i], page(i));
      if (path.empty()) return {};
      shown.push_back(Shown(path));
    }
    return shown;
  }
  const fs::path whole = file.empty()                   ? gameFolder_ / fallback
                         : fs::path(file).is_absolute() ? fs::path(file)
                                                        : startFolder_ / file;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    // "timeline.svg" on pages: "timeline-page-1.svg", "timeline-page-2.svg", ...
    fs::path path = whole;
    if (pages.size() > 1) {
      path.replace_filename(whole.stem().string() + "-page-" + std::to_string(i + 1) +
                            whole.extension().string());
    }
    std::string why;
    if (!WriteTextFile(path.string(), pages[i], why))
      throw SessionError("cannot write " + path.string() + ": " + why);
    shown.push_back(Shown(path));
  }
  return shown;
}

void Console::TimelineCommand(const std::vector<std::string>& words) {
  if (words.size() > 2) throw SessionError("too many words: expected timeline [FILE]");
  Game& game = ActiveGame();
  const std::string key = game.name + "/" + game.race;
  const std::vector<TimelineRow> rows = ReadTimeline(StoreFile().string(), key);
  const std::vector<TimelineLayout> layouts = LayOutTimeline(key, game.turn, rows, host_.settings);
  std::vector<std::string> pages;
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    pages.push_back(TimelineSvg(
        layouts[i], "Pacts of " + key +
                        (layouts.size() == 1 ? ""
                                             : ", page " + std::to_string(i + 1) + " of " +
                                                   std::to_string(layouts.size()))));
  }
  const std::vector<std::string> paths =
      WritePicture("timeline " + key, pages, words.size() == 2 ? words[1] : "", "timeline.svg");
  if (paths.empty()) return;  // the session ends on it after this line
  std::string path;
  for (const std::string& each : paths) path += (path.empty() ? "" : ", ") + each;
  std::size_t pacts = 0;
  for (const TimelineRow& row : rows) pacts += row.pacts.size();
  printer_.Line("Timeline of " + ShowAnsi(key) + " at turn " + std::to_string(game.turn) + ", " +
                Plural(rows.size(), "race", "races") + ", " + Plural(pacts, "pact", "pacts") +
                " (from the store file): " + path);
  for (const TimelineRow& row : rows) {
    std::string runs;
    for (const PactInterval& pact : row.pacts) {
      runs += (runs.empty() ? "" : "  ") + std::to_string(pact.from) + "-" +
              std::to_string(pact.to) +
              (pact.conditions.IsEmpty() ? "" : " " + ShowAnsi(pact.conditions.GetString()));
    }
    printer_.Line("  " + PadRight(ShowAnsi(row.race), 8) + " " + runs);
  }
}

void Console::SettingsCommand(const std::vector<std::string>&) {
  printer_.Line("The client's settings store (" + std::string(kSettingsFileName) + "):");
  if (host_.settings.empty()) printer_.Line("  (empty)");
  // As the plug-in wrote them, in the client's code page, as the store file is shown.
  for (const auto& [name, value] : host_.settings) {
    printer_.Line("  " + ShowAnsiOnOneLine(name) + " = " + ShowAnsiOnOneLine(value));
  }
}

void Console::StoreCommand(const std::vector<std::string>&) {
  const std::string shown = StoreFile().lexically_relative(gameFolder_).generic_string();
  std::ifstream file(StoreFile(), std::ios::binary);
  if (!file) {
    printer_.Line("No store file yet (" + shown + ").");
    return;
  }
  printer_.Line("The plug-in's store file (" + shown + "):");
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    printer_.Line("  " + ShowAnsi(line));
  }
}

void Console::TraceCommand(const std::vector<std::string>& words) {
  if (words.size() != 2 || (words[1] != "on" && words[1] != "off"))
    throw SessionError("expected trace on or trace off");
  trace_ = words[1] == "on";
}

void Console::HelpCommand(const std::vector<std::string>& words) {
  if (words.size() > 2) throw SessionError("expected help or help COMMAND");
  if (words.size() == 2 && !FindCommand(words[1]))
    throw SessionError("no command " + Quoted(words[1]) + ": type help for the commands");
  for (const std::string& line : HelpLines(words.size() == 2 ? words[1] : "")) printer_.Line(line);
}

void Console::QuitCommand(const std::vector<std::string>& words) {
  if (words.size() != 1) throw SessionError("quit takes no arguments");
  quit_ = true;
}
