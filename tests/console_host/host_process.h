// The console host run as a person runs it: a process with arguments, standard input from a
// text and its two outputs captured; or, on POSIX, on a pseudo-terminal, talked to line by line.
#pragma once

#ifndef _WIN32
#include <sys/types.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

struct HostRun {
  int status = -1;  // the exit status; -1 when it did not exit normally
  // The two outputs, their lines ended by "\n" alone whatever the platform ends text lines with.
  std::string out;
  std::string err;
};

// Runs trucelog-host with `arguments` in `folder`, standard input reading `input`. On Windows a
// line the host ends without CR LF fails the calling test.
HostRun RunHost(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const std::string& input = "");

// A path the build named, made absolute by the test program: under wine a path from "/" names a
// folder on the current drive, and the host runs in a folder on another.
std::string BuildPath(const char* path);

#ifndef _WIN32
// The host on a pseudo-terminal, as at a keyboard; or with pipes for its input and output, as
// when a script is piped in, where its outputs both go to the screen.
class HostTerminal {
 public:
  enum class Wiring { kTerminal, kPipes };

  HostTerminal(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
               Wiring wiring = Wiring::kTerminal);
  ~HostTerminal();
  HostTerminal(const HostTerminal&) = delete;
  HostTerminal& operator=(const HostTerminal&) = delete;

  // Reads until the output since the last call holds `text`; false after `seconds` without it.
  bool WaitFor(const std::string& text, int seconds = 10);
  // A line and Enter.
  void Type(const std::string& line);
  // Keys as they are: "\x03" is Ctrl-C on a terminal, "\t" Tab, "\x04" Ctrl-D.
  void Press(const std::string& keys);
  // Ctrl-C as a terminal sends it: SIGINT to the host.
  void Interrupt();
  // Waits for the host to end; answers its exit status.
  int Finish();
  // Everything the terminal showed.
  const std::string& Screen() const { return screen_; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;   // what the host reads
  int output_ = -1;  // what it writes; on a terminal the same as `input_`
  std::string screen_;
  std::size_t seen_ = 0;
};
#endif

// Copies the sample game folder, or any folder, to `to`.
void CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to);
std::string ReadFile(const std::filesystem::path& path);
