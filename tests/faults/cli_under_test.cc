#include "tests/faults/cli_under_test.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "tests/faults/survey_fixture.h"

extern char** environ;

namespace velmora::testing {
namespace {

bool DroppedFromEnvironment(const std::string& entry) {
  return entry.rfind("VELMORA_", 0) == 0 || entry.rfind("LANG", 0) == 0 ||
         entry.rfind("LC_", 0) == 0 || entry.rfind("no_proxy=", 0) == 0 ||
         entry.rfind("NO_PROXY=", 0) == 0;
}

std::vector<std::string> EnvironmentOf(const ProgramRun& run) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!DroppedFromEnvironment(*entry)) entries.emplace_back(*entry);
  }
  for (const auto& [name, value] : run.environment) {
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

int StatusOf(int wait_status) {
  return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
}

}  // namespace

ProgramRun CliRun(const CliSetup& setup) {
  ProgramRun run;
  run.program = VELMORA_CLI_PATH;
  run.arguments = {kSurveyFile};
  run.folder = setup.folder;
  run.environment = {{"VELMORA_LISTING_HOST", setup.listing_host},
                     {"VELMORA_PAUSE_SCALE", setup.pause_scale},
                     {"VELMORA_DOWNLOAD_TIMEOUT", setup.download_timeout},
                     // a proxy of the machine must not stand before the loopback server
                     {"no_proxy", "127.0.0.1,localhost"},
                     {"NO_PROXY", "127.0.0.1,localhost"}};
  return run;
}

ProgramResult RunCli(const CliSetup& setup) { return RunProgram(CliRun(setup)); }

BackgroundCli::BackgroundCli(const CliSetup& setup) {
  const ProgramRun run = CliRun(setup);
  std::vector<std::string> argv_texts{run.program};
  argv_texts.insert(argv_texts.end(), run.arguments.begin(), run.arguments.end());
  std::vector<std::string> env_texts = EnvironmentOf(run);
  std::vector<char*> argv = Pointers(argv_texts);
  std::vector<char*> envp = Pointers(env_texts);
  const std::string folder = std::filesystem::absolute(run.folder).string();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid_ == 0) {
    // Only async-signal-safe calls until exec.
    const int null = open("/dev/null", O_RDWR);
    if (null < 0 || chdir(folder.c_str()) != 0) _exit(126);
    if (dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) _exit(126);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
}

BackgroundCli::~BackgroundCli() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
}

void BackgroundCli::Kill(int signal_number) {
  if (pid_ > 0) kill(pid_, signal_number);
}

int BackgroundCli::Wait() {
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
  }
  pid_ = -1;
  return StatusOf(status);
}

}  // namespace velmora::testing
