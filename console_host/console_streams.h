// The console host's standard streams as the system has them: whether a person sits at them,
// and a terminal readied for what the host writes. Knows nothing of sessions or the plug-in.
#pragma once

// Whether standard input, or standard output, is a terminal (on Windows, a console) rather
// than a file or a pipe.
bool InputIsTerminal();
bool OutputIsTerminal();

// Readies a terminal on standard output for the host's UTF-8 text and colour escape sequences,
// which a Windows console shows only when told to; answers whether the colours will show.
// Harmless when called again or when the output is no terminal.
bool PrepareTerminalOutput();

// What a person presses at a terminal to end the input.
#ifdef _WIN32
inline constexpr const char* kEndOfInputKeys = "Ctrl-Z and Enter";
#else
inline constexpr const char* kEndOfInputKeys = "Ctrl-D";
#endif
