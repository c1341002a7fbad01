// Runs a program as a user would: in a given folder, with a chosen
// environment, standard input from the null device, and both output streams
// captured. POSIX only (the end-to-end tests run on Linux).
#ifndef VELMORA_TESTS_SUPPORT_CHILD_PROCESS_H
#define VELMORA_TESTS_SUPPORT_CHILD_PROCESS_H

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora::testing {

class TempDir;

struct ProgramRun {
  std::string program;  // a path, or a name looked up in PATH
  std::vector<std::string> arguments;
  std::filesystem::path folder = ".";
  // Set on top of this process's environment, from which every VELMORA_*,
  // LANG and LC_* variable is removed first. An empty value removes it too.
  std::map<std::string, std::string> environment;
};

struct ProgramResult {
  int exit_status = -1;  // the exit status; 128 + signal number when killed
  std::string out;
  std::string err;
};

// Runs the program to its end.
ProgramResult RunProgram(const ProgramRun& run);

// A program left running (a server), stopped with SIGTERM at the end of the
// scope at the latest.
class BackgroundProgram {
 public:
  explicit BackgroundProgram(const ProgramRun& run);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  // The first line of its standard output, once it has written one; empty
  // when the program ends, or `seconds` pass, without writing one.
  std::string FirstLine(double seconds = 10);
  // Sends SIGTERM and waits for the end; the exit status as RunProgram gives it.
  int Stop();
  // Sends `signal_number` to the program while it runs.
  void Signal(int signal_number);
  // Waits for the end: the exit status, or 128 + the signal that ended it.
  int Wait();
  std::string err() const;

 private:
  std::unique_ptr<TempDir> capture_;
  int pid_ = -1;
  int status_ = -1;
};

// The full path of `name` in PATH; empty when it is not there.
std::string FindInPath(const std::string& name);

// `text` cut at LF into lines (without the LF; a CR before it stays).
std::vector<std::string> Lines(const std::string& text);

}  // namespace velmora::testing

#endif
