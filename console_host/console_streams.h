// The console host's standard streams as the system has them: whether a person sits at them, a
// terminal readied for what the host writes, Ctrl-C caught, and lines read from standard input
// as they come. Knows nothing of sessions or the plug-in.
#pragma once

#include <string>

// Whether standard input, or standard output, is a terminal (on Windows, a console) rather
// than a file or a pipe.
bool InputIsTerminal();
bool OutputIsTerminal();

// Readies a terminal on standard output for the host's UTF-8 text and colour escape sequences,
// which a Windows console shows only when told to; answers whether the colours will show.
// Harmless when called again or when the output is no terminal.
bool PrepareTerminalOutput();

// From here on Ctrl-C no longer ends the program: it is noted, and a wait for input it
// interrupts ends.
void CatchInterrupts();
// Whether Ctrl-C was pressed since the last TakeInterrupt; forgets it.
bool TakeInterrupt();

// What waiting for a line came to: the line, Ctrl-C, or the end of the input.
enum class Typed { kLine, kInterrupted, kEnded };

// The next line of standard input, without its "\n". It is read as it comes, never waiting
// for more than that line, and Ctrl-C pressed before it or while waiting for it interrupts.
Typed ReadInputLine(std::string& line);

#ifndef _WIN32
// Waits until `fd` can be read; false when Ctrl-C came first (then forgotten).
bool AwaitInput(int fd);
#endif

// What a person presses at a terminal to interrupt, and to end the input.
inline constexpr const char* kInterruptKeys = "Ctrl-C";
#ifdef _WIN32
inline constexpr const char* kEndOfInputKeys = "Ctrl-Z and Enter";
#else
inline constexpr const char* kEndOfInputKeys = "Ctrl-D";
#endif
