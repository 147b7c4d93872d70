#include "console_streams.h"

#ifdef _WIN32
#include <windows.h>

namespace {

bool IsConsole(DWORD stream) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}

}  // namespace

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
#include <unistd.h>

bool InputIsTerminal() { return isatty(STDIN_FILENO) != 0; }
bool OutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }
bool PrepareTerminalOutput() { return true; }

#endif
