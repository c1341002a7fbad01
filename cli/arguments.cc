#include "cli/arguments.h"

#include "cli/new_command.h"
#include "cli/report_command.h"
#include "core/exit_status.h"
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

// An option that takes a value: "--NAME VALUE" or "--NAME=VALUE". Moves `i`
// past what it takes; false when arguments[i] is not this option.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
               std::optional<std::string>& value) {
  const std::string& argument = arguments[i];
  if (argument.rfind(name + "=", 0) == 0) {
    value = argument.substr(name.size() + 1);
    return true;
  }
  if (argument != name) return false;
  value = i + 1 < arguments.size() ? arguments[++i] : std::string();
  return true;
}

// --source and --datasheets: empty when they are right, else the error.
std::string ReadSourceOption(const std::string& name, const std::string& value,
                             CliArguments& result) {
  if (name == "--datasheets") {
    if (value.empty()) return "--datasheets needs a FILE";
    result.datasheets = value;
    return "";
  }
  LogSource source = LogSource::kListing;
  if (!ParseLogSource(value, source)) {
    return "--source must be listing or datasheet (got '" + value + "')";
  }
  result.source = source;
  return "";
}

}  // namespace

Settings WithArguments(Settings settings, const CliArguments& arguments) {
  if (arguments.source) settings.log_source = *arguments.source;
  if (arguments.no_report) settings.report_after_run = false;
  if (!arguments.datasheets.empty()) {
    settings.log_source = LogSource::kDatasheet;
    settings.datasheet_file = arguments.datasheets;
  }
  return settings;
}

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
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::optional<std::string> value;
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && (TakeValue(arguments, i, "--source", value) ||
                                  TakeValue(arguments, i, "--datasheets", value))) {
      const std::string error =
          ReadSourceOption(argument.substr(0, argument.find('=')), *value, result);
      if (!error.empty()) return UsageError(error);
    } else if (!options_ended && (argument == "--quick" || argument == "-q")) {
      result.quick = true;
    } else if (!options_ended && argument == "--resume") {
      result.resume = true;
    } else if (!options_ended && argument == "--no-report") {
      result.no_report = true;
    } else if (!options_ended && IsOption(argument)) {
      return UsageError("unknown option '" + argument + "'");
    } else {
      files.push_back(argument);
    }
  }
  if (!result.datasheets.empty() && result.source == LogSource::kListing) {
    return UsageError("--datasheets reads datasheets: it does not go with --source listing");
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

std::string UsageText() {
  return "Usage: velmora-cli [--quick] [--resume] [--no-report]"
         " [--source listing|datasheet | --datasheets FILE] FILE.gpx";
}

std::string HelpText() {
  const Settings defaults;
  return UsageText() + "\n"
         "Adds the current visitor logs of the benchmarks in FILE.gpx, a GPX 1.0 or 1.1\n"
         "file, from their listing pages or the agency's datasheets. The result goes to\n"
         "'FILE R.gpx' next to FILE (the name before its last point, then \" R.gpx\"),\n"
         "rewritten after every benchmark (at most once a second from a datasheet file);\n"
         "every run adds an entry to ErrorLog.txt there too. The run works in the folder\n"
         "that holds FILE. A run that wrote a result, finished or stopped, also makes\n"
         "its report 'FILE R.html' (see \"report\" below), named on the last line.\n"
         "\n"
         "Options:\n"
         "  -q, --quick    pause about 2.5 seconds between benchmarks instead of 5\n"
         "  --source listing|datasheet\n"
         "                 where the logs come from: the listing website's benchmark\n"
         "                 pages (listing, the default) or the agency's datasheets on\n"
         "                 the web (datasheet); overrides VELMORA_LOG_SOURCE\n"
         "  --datasheets FILE\n"
         "                 the logs from a downloaded datasheet file (datasheet text,\n"
         "                 or a .zip of such files) instead of the web; no pauses\n"
         "  --resume       go on where an earlier run over FILE stopped, when its\n"
         "                 progress record 'FILE R.gpx.resume' still matches FILE and\n"
         "                 the result; otherwise a fresh run, with a line saying why\n"
         "  --no-report    make no report of the result (VELMORA_REPORT=off)\n"
         "  -h, --help     show this help and exit\n"
         "  -V, --version  show the version and exit\n"
         "\n"
         "Messages and progress go to standard error; standard output stays empty.\n"
         "Ctrl-C or SIGTERM stops the run; completed benchmarks stay in the result,\n"
         "and the progress record beside it lets --resume go on from there.\n"
         "\n" +
         NewCommandHelp() + ReportCommandHelp() +
         "Environment:\n"
         "  VELMORA_LISTING_HOST    listing website host[:port] (" + defaults.listing_host + ")\n"
         "  VELMORA_DATASHEET_HOST  datasheet service host[:port] (" + defaults.datasheet_host + ")\n"
         "  VELMORA_LISTING_NAME    website name in the \"Cannot Continue\" message\n"
         "  VELMORA_PAUSE_SCALE     multiplies every pause, for tests and demos (1)\n"
         "  VELMORA_LOG_SOURCE      where the logs come from: listing or datasheet (listing)\n"
         "  VELMORA_REPORT          a report of the result after a run: on or off (on)\n"
         "  VELMORA_DOWNLOAD_TIMEOUT\n"
         "                          for tests: seconds a download may take, 1 to 3600\n"
         "\n" +
         ExitStatusHelp();
}

}  // namespace velmora
