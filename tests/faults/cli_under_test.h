// velmora-cli as the fault tests run it: the program built with the project,
// in a folder of its own, against a loopback listing host, with pauses scaled
// down and, where a test needs it, short download time-outs.
#ifndef VELMORA_TESTS_FAULTS_CLI_UNDER_TEST_H
#define VELMORA_TESTS_FAULTS_CLI_UNDER_TEST_H

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/child_process.h"

namespace velmora::testing {

struct CliSetup {
  CliSetup(std::filesystem::path folder_in, std::string host, std::string scale = "0",
           std::string timeout = "")
      : folder(std::move(folder_in)),
        listing_host(std::move(host)),
        pause_scale(std::move(scale)),
        download_timeout(std::move(timeout)) {}

  std::filesystem::path folder;  // the working folder; holds the survey file
  std::string listing_host;      // "127.0.0.1:PORT"
  std::string pause_scale;       // VELMORA_PAUSE_SCALE
  std::string download_timeout;  // VELMORA_DOWNLOAD_TIMEOUT; empty: the defaults
  std::string datasheets;        // --datasheets FILE; empty: the listing website
  std::vector<std::string> options;  // further options before the file name (--resume ...)
};

// The run of `velmora-cli [--datasheets FILE] [OPTIONS] ridge.gpx` that `setup` describes.
ProgramRun CliRun(const CliSetup& setup);

// Runs it to its end.
ProgramResult RunCli(const CliSetup& setup);

// velmora-cli started in the background, to be killed.
class BackgroundCli {
 public:
  explicit BackgroundCli(const CliSetup& setup);
  ~BackgroundCli();  // kills and reaps a program still running
  BackgroundCli(const BackgroundCli&) = delete;
  BackgroundCli& operator=(const BackgroundCli&) = delete;

  void Kill(int signal_number);
  // Waits for the end: the exit status, or 128 + the signal that ended it.
  int Wait();

 private:
  BackgroundProgram program_;
};

}  // namespace velmora::testing

#endif
