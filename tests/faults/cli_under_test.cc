#include "tests/faults/cli_under_test.h"

#include <signal.h>

#include "tests/faults/survey_fixture.h"

namespace velmora::testing {

ProgramRun CliRun(const CliSetup& setup) {
  ProgramRun run;
  run.program = VELMORA_CLI_PATH;
  if (!setup.datasheets.empty()) run.arguments = {"--datasheets", setup.datasheets};
  run.arguments.insert(run.arguments.end(), setup.options.begin(), setup.options.end());
  run.arguments.push_back(kSurveyFile);
  run.folder = setup.folder;
  run.environment = {{"VELMORA_LISTING_HOST", setup.listing_host},
                     {"VELMORA_PAUSE_SCALE", setup.pause_scale},
                     {"VELMORA_DOWNLOAD_TIMEOUT", setup.download_timeout},
                     {"VELMORA_REPORT", "off"},
                     // a proxy of the machine must not stand before the loopback server
                     {"no_proxy", "127.0.0.1,localhost"},
                     {"NO_PROXY", "127.0.0.1,localhost"}};
  return run;
}

ProgramResult RunCli(const CliSetup& setup) { return RunProgram(CliRun(setup)); }

BackgroundCli::BackgroundCli(const CliSetup& setup) : program_(CliRun(setup)) {}

BackgroundCli::~BackgroundCli() {
  try {
    program_.Signal(SIGKILL);
    program_.Wait();
  } catch (...) {
  }
}

void BackgroundCli::Kill(int signal_number) { program_.Signal(signal_number); }

int BackgroundCli::Wait() { return program_.Wait(); }

}  // namespace velmora::testing
