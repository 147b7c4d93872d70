#include "host_process.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "support/temp_dir.h"
#else
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#endif

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::filesystem::create_directories(to);
  std::filesystem::copy(
      from, to,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

std::string BuildPath(const char* path) { return std::filesystem::absolute(path).string(); }

#ifdef _WIN32

namespace {

// One argument as the C runtime's command-line parser reads it back.
std::string CommandLineArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char ch : argument) {
    if (ch == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(ch == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += ch;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

HANDLE Inherited(const std::filesystem::path& file, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileA(file.string().c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The host writes its text lines in CR LF, as Windows programs do; the tests read "\n".
std::string TextLines(const std::string& written, const char* stream) {
  std::string lines;
  bool bare = false;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n') continue;
    if (written[i] == '\n' && (i == 0 || written[i - 1] != '\r') && !bare) {
      ADD_FAILURE() << "the host ended a line on its " << stream << " without CR LF:\n" << lines;
      bare = true;
    }
    lines += written[i];
  }
  return lines;
}

}  // namespace

HostRun RunHost(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const std::string& input) {
  HostRun run;
  TempDir streams;
  streams.Write("in", input);
  const HANDLE in = Inherited(streams.Path() / "in", false);
  const HANDLE out = Inherited(streams.Path() / "out", true);
  const HANDLE err = Inherited(streams.Path() / "err", true);
  const std::string program = BuildPath(TRUCELOG_HOST);
  std::string commandLine = CommandLineArgument(program);
  for (const std::string& argument : arguments) commandLine += " " + CommandLineArgument(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const bool started = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE &&
                       err != INVALID_HANDLE_VALUE &&
                       CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      0, nullptr, folder.string().c_str(), &startup, &process);
  for (const HANDLE handle : {in, out, err}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  if (!started) return run;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  // Exception codes, from 0xC0000000 on, are a crash, not an exit.
  if (GetExitCodeProcess(process.hProcess, &code) && code < 0xC0000000) {
    run.status = static_cast<int>(code);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.out = TextLines(streams.Read("out"), "output");
  run.err = TextLines(streams.Read("err"), "error output");
  return run;
}

#else

namespace {

[[noreturn]] void Exec(const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder) {
  if (chdir(folder.c_str()) != 0) _exit(126);
  std::vector<char*> argv;
  std::string program = TRUCELOG_HOST;
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

int ExitStatus(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

HostRun RunHost(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
                const std::string& input) {
  char inputName[] = "/tmp/trucelog-input-XXXXXX";
  char outName[] = "/tmp/trucelog-out-XXXXXX";
  char errName[] = "/tmp/trucelog-err-XXXXXX";
  const int in = mkstemp(inputName), out = mkstemp(outName), err = mkstemp(errName);
  HostRun run;
  if (in < 0 || out < 0 || err < 0) return run;
  if (write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size())) return run;
  lseek(in, 0, SEEK_SET);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    Exec(arguments, folder);
  }
  run.status = ExitStatus(pid);
  run.out = ReadFile(outName);
  run.err = ReadFile(errName);
  for (const int fd : {in, out, err}) close(fd);
  for (const char* name : {inputName, outName, errName}) unlink(name);
  return run;
}

HostTerminal::HostTerminal(const std::vector<std::string>& arguments,
                           const std::filesystem::path& folder, Wiring wiring) {
  if (wiring == Wiring::kPipes) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(out[1], 2);
      for (const int fd : {in[0], in[1], out[0], out[1]}) close(fd);
      Exec(arguments, folder);
    }
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    output_ = out[0];
    return;
  }
  struct winsize size {};
  size.ws_row = 50;
  size.ws_col = 160;
  pid_ = forkpty(&input_, nullptr, nullptr, &size);
  if (pid_ == 0) {
    // A plain terminal, no personal readline settings and UTF-8, so that the screen is
    // predictable.
    setenv("TERM", "dumb", 1);
    setenv("INPUTRC", "/dev/null", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    Exec(arguments, folder);
  }
  output_ = input_;
}

HostTerminal::~HostTerminal() {
  if (input_ >= 0) close(input_);
  if (output_ >= 0 && output_ != input_) close(output_);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

bool HostTerminal::WaitFor(const std::string& text, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  for (;;) {
    const std::size_t found = screen_.find(text, seen_);
    if (found != std::string::npos) {
      seen_ = found + text.size();
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{output_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(output_, buffer, sizeof(buffer));
    if (got <= 0) return screen_.find(text, seen_) != std::string::npos;
    screen_.append(buffer, static_cast<std::size_t>(got));
  }
}

void HostTerminal::Type(const std::string& line) {
  // A terminal's Enter is a carriage return; a pipe carries lines.
  Press(line + (output_ == input_ ? "\r" : "\n"));
}

void HostTerminal::Press(const std::string& keys) {
  if (write(input_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) return;
}

void HostTerminal::Interrupt() {
  if (pid_ > 0) kill(pid_, SIGINT);
}

int HostTerminal::Finish() {
  WaitFor("\x01never shown", 10);  // drains the output until the host closes it
  const int status = ExitStatus(pid_);
  pid_ = -1;
  return status;
}

#endif
