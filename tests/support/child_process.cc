#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "tests/support/temp_dir.h"

extern char** environ;

namespace velmora::testing {
namespace {

bool IsLocaleOrOwnVariable(const std::string& entry) {
  return entry.rfind("VELMORA_", 0) == 0 || entry.rfind("LANG=", 0) == 0 ||
         entry.rfind("LANGUAGE=", 0) == 0 || entry.rfind("LC_", 0) == 0;
}

std::vector<std::string> BuildEnvironment(const std::map<std::string, std::string>& overrides) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const std::string name = text.substr(0, text.find('='));
    if (IsLocaleOrOwnVariable(text) || overrides.count(name) != 0) continue;
    entries.push_back(text);
  }
  for (const auto& [name, value] : overrides) {
    if (!value.empty()) entries.push_back(name + "=" + value);
  }
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// In the child: only async-signal-safe calls until exec.
[[noreturn]] void StartChild(const char* folder, const char* out, const char* err,
                             const char* program, char* const* argv, char* const* envp) {
  const int input = open("/dev/null", O_RDONLY);
  const int output = open(out, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int error = open(err, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (input < 0 || output < 0 || error < 0 || chdir(folder) != 0) _exit(126);
  if (dup2(input, 0) < 0 || dup2(output, 1) < 0 || dup2(error, 2) < 0) _exit(126);
  execve(program, argv, envp);
  _exit(127);
}

}  // namespace

std::string FindInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::filesystem::path candidate =
        std::filesystem::path(folders.substr(start, end - start)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return "";
}

namespace {

// Starts `run` with its output streams going to `out` and `err`.
pid_t Spawn(const ProgramRun& run, const std::string& out, const std::string& err) {
  const std::string program =
      run.program.find('/') != std::string::npos ? run.program : FindInPath(run.program);
  if (program.empty()) throw std::runtime_error("program not found: " + run.program);
  const std::string folder = std::filesystem::absolute(run.folder).string();
  std::vector<std::string> argv_texts{program};
  argv_texts.insert(argv_texts.end(), run.arguments.begin(), run.arguments.end());
  std::vector<std::string> env_texts = BuildEnvironment(run.environment);
  std::vector<char*> argv = Pointers(argv_texts);
  std::vector<char*> envp = Pointers(env_texts);
  // Both files exist from the start, so they can be read while it runs.
  WriteFileBytes(out, "");
  WriteFileBytes(err, "");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (child == 0) StartChild(folder.c_str(), out.c_str(), err.c_str(), program.c_str(),
                             argv.data(), envp.data());
  return child;
}

int ExitStatus(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int WaitForEnd(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
  }
  return ExitStatus(status);
}

}  // namespace

ProgramResult RunProgram(const ProgramRun& run) {
  TempDir capture;
  const pid_t child = Spawn(run, (capture / "out").string(), (capture / "err").string());
  ProgramResult result;
  result.exit_status = WaitForEnd(child);
  result.out = ReadFileBytes(capture / "out");
  result.err = ReadFileBytes(capture / "err");
  return result;
}

BackgroundProgram::BackgroundProgram(const ProgramRun& run)
    : capture_(std::make_unique<TempDir>()) {
  pid_ = Spawn(run, (*capture_ / "out").string(), (*capture_ / "err").string());
}

BackgroundProgram::~BackgroundProgram() {
  try {
    Stop();
  } catch (...) {
  }
}

std::string BackgroundProgram::FirstLine(double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string out = ReadFileBytes(*capture_ / "out");
    const std::size_t end = out.find('\n');
    if (end != std::string::npos) return out.substr(0, end);
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = ExitStatus(status);
      pid_ = -1;
      const std::string last = ReadFileBytes(*capture_ / "out");
      return last.substr(0, std::min(last.find('\n'), last.size()));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the program starting up
  }
  return "";
}

int BackgroundProgram::Stop() {
  Signal(SIGTERM);
  return Wait();
}

void BackgroundProgram::Signal(int signal_number) {
  if (pid_ > 0) kill(pid_, signal_number);
}

int BackgroundProgram::Wait() {
  if (pid_ > 0) {
    status_ = WaitForEnd(pid_);
    pid_ = -1;
  }
  return status_;
}

std::string BackgroundProgram::err() const { return ReadFileBytes(*capture_ / "err"); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace velmora::testing
