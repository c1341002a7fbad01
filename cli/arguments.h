// The command line of velmora-cli: what the user asked for, --help text and
// version text.
#ifndef VELMORA_CLI_ARGUMENTS_H
#define VELMORA_CLI_ARGUMENTS_H

#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"

namespace velmora {

struct CliArguments {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kUsageError;
  bool quick = false;  // --quick: the short pause between benchmarks
  bool resume = false; // --resume: go on from an earlier run's progress record
  bool no_report = false;  // --no-report: no report beside the result (VELMORA_REPORT=off)
  std::string file;    // the GPX file to process
  // --source listing|datasheet; --datasheets FILE implies the datasheet
  // source. Unset: the settings' own (VELMORA_LOG_SOURCE).
  std::optional<LogSource> source;
  std::string datasheets;  // --datasheets: the datasheet file read instead of the web
  std::string error;   // what is wrong, for kUsageError
};

// Reads the arguments that follow the program name. --help and --version win
// over everything else; "--" ends the options.
CliArguments ParseArguments(const std::vector<std::string>& arguments);

// The settings with the log source the arguments choose: the options override
// the environment's setting.
Settings WithArguments(Settings settings, const CliArguments& arguments);

// "Velmora 2.3.0".
std::string VersionText();

// The one-line usage summary, for usage errors.
std::string UsageText();

// The full --help text: usage, options, settings and exit statuses.
std::string HelpText();

}  // namespace velmora

#endif
