#include "cli/arguments.h"

#include "cli/exit_status.h"
#include "core/settings.h"
#include "velmora/version.h"

namespace velmora {
namespace {

bool IsOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-';
}

CliArguments UsageError(const std::string& error) {
  CliArguments result;
  result.action = CliArguments::Action::kUsageError;
  result.error = error;
  return result;
}

}  // namespace

CliArguments ParseArguments(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    if (argument == "--help" || argument == "-h") {
      CliArguments result;
      result.action = CliArguments::Action::kHelp;
      return result;
    }
    if (argument == "--version" || argument == "-V") {
      CliArguments result;
      result.action = CliArguments::Action::kVersion;
      return result;
    }
  }
  CliArguments result;
  std::vector<std::string> files;
  bool options_ended = false;
  for (const std::string& argument : arguments) {
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && (argument == "--quick" || argument == "-q")) {
      result.quick = true;
    } else if (!options_ended && IsOption(argument)) {
      return UsageError("unknown option '" + argument + "'");
    } else {
      files.push_back(argument);
    }
  }
  if (files.empty()) return UsageError("no GPX file given");
  if (files.size() > 1) return UsageError("one GPX file at a time (got " +
                                          std::to_string(files.size()) + ")");
  result.action = CliArguments::Action::kRun;
  result.file = files.front();
  return result;
}

std::string VersionText() {
  return std::string(kApplicationTitle) + " " + kVersionText;
}

std::string UsageText() { return "Usage: velmora-cli [--quick] FILE.gpx"; }

std::string HelpText() {
  const Settings defaults;
  return UsageText() + "\n"
         "Adds the current visitor logs of the benchmarks in FILE.gpx, a GPX 1.1 file,\n"
         "from their listing pages. The result goes to 'FILE R.gpx' next to FILE (the\n"
         "name before its last point, then \" R.gpx\"), rewritten after every benchmark;\n"
         "a finished run adds an entry to ErrorLog.txt there too. The run works in the\n"
         "folder that holds FILE.\n"
         "\n"
         "Options:\n"
         "  -q, --quick    pause about 2.5 seconds between benchmarks instead of 5\n"
         "  -h, --help     show this help and exit\n"
         "  -V, --version  show the version and exit\n"
         "\n"
         "Messages and progress go to standard error; standard output stays empty.\n"
         "Ctrl-C or SIGTERM stops the run; completed benchmarks stay in the result.\n"
         "\n"
         "Environment:\n"
         "  VELMORA_LISTING_HOST    listing website host[:port] (" + defaults.listing_host + ")\n"
         "  VELMORA_DATASHEET_HOST  datasheet service host[:port] (" + defaults.datasheet_host + ")\n"
         "  VELMORA_LISTING_NAME    website name in the \"Cannot Continue\" message\n"
         "  VELMORA_PAUSE_SCALE     multiplies every pause, for tests and demos (1)\n"
         "\n" +
         ExitStatusHelp();
}

}  // namespace velmora
