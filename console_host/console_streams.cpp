#include "console_streams.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <iostream>

namespace {

std::atomic<bool> interrupted{false};

bool IsConsole(DWORD stream) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}

BOOL WINAPI OnControlKey(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnControlKey, TRUE); }

bool TakeInterrupt() { return interrupted.exchange(false); }

Typed ReadInputLine(std::string& line) {
  if (TakeInterrupt()) return Typed::kInterrupted;
  if (std::getline(std::cin, line)) return Typed::kLine;
  // A console's read that Ctrl-C cut short fails too; the notice comes on a thread of its own,
  // a moment later. A file or a pipe has ended for good.
  for (int wait = 0; wait < 20 && !interrupted && InputIsTerminal(); ++wait) Sleep(10);
  if (!TakeInterrupt()) return Typed::kEnded;
  std::cin.clear();
  std::clearerr(stdin);
  return Typed::kInterrupted;
}

bool InputIsTerminal() { return IsConsole(STD_INPUT_HANDLE); }
bool OutputIsTerminal() { return IsConsole(STD_OUTPUT_HANDLE); }

bool PrepareTerminalOutput() {
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(output, &mode)) return false;
  // The person types, and the host writes, UTF-8 whatever the console's code page was.
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         SetConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

#else
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

volatile std::sig_atomic_t interrupted = 0;
// Ctrl-C also writes a byte here, so that a wait for input that began just before it ends.
int wakeRead = -1, wakeWrite = -1;

void OnInterrupt(int) {
  interrupted = 1;
  if (wakeWrite >= 0) {
    const char byte = 'C';
    if (write(wakeWrite, &byte, 1) < 0) return;  // full: one byte there is enough
  }
}

}  // namespace

void CatchInterrupts() {
  int ends[2];
  if (wakeRead < 0 && pipe(ends) == 0) {
    for (const int end : ends) {
      fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
      fcntl(end, F_SETFD, FD_CLOEXEC);
    }
    wakeRead = ends[0];
    wakeWrite = ends[1];
  }
  // Without SA_RESTART: a read waiting for the person fails, so that the prompt sees Ctrl-C.
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
}

bool TakeInterrupt() {
  char drained[16];
  while (wakeRead >= 0 && read(wakeRead, drained, sizeof(drained)) > 0) {
  }
  const bool was = interrupted != 0;
  interrupted = 0;
  return was;
}

bool AwaitInput(int fd) {
  for (;;) {
    if (interrupted) {
      TakeInterrupt();
      return false;
    }
    pollfd waits[2] = {{fd, POLLIN, 0}, {wakeRead, POLLIN, 0}};
    const int ready = poll(waits, wakeRead >= 0 ? 2 : 1, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (wakeRead >= 0 && (waits[1].revents & POLLIN) != 0) {
      TakeInterrupt();
      return false;
    }
    // Readable, or ended, or failed: the read tells which.
    return true;
  }
}

Typed ReadInputLine(std::string& line) {
  // What was read beyond the last line, kept for the next.
  static std::string ahead;
  static bool ended = false;
  for (;;) {
    const std::size_t end = ahead.find('\n');
    if (end != std::string::npos) {
      line = ahead.substr(0, end);
      ahead.erase(0, end + 1);
      return Typed::kLine;
    }
    if (ended) {
      if (ahead.empty()) return Typed::kEnded;
      line.swap(ahead);
      ahead.clear();
      return Typed::kLine;
    }
    if (!AwaitInput(STDIN_FILENO)) return Typed::kInterrupted;
    char buffer[4096];
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof(buffer));
    if (got > 0) {
      ahead.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      ended = true;
    }
  }
}

bool InputIsTerminal() { return isatty(STDIN_FILENO) != 0; }
bool OutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }
bool PrepareTerminalOutput() { return true; }

#endif
