#include "cli/report_command.h"

#include "core/exit_status.h"
#include "files/file_error.h"
#include "report/make_report.h"
#include "report/report_math.h"

namespace velmora {
namespace {

constexpr const char* kProgramName = "velmora-cli: ";

// "-o FILE", "--output FILE", "--as-of DAY" and their "=" forms into
// `result`; false when arguments[i] is none of them.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, ReportArguments& result) {
  const std::string& argument = arguments[i];
  for (const auto& [name, field] :
       {std::pair{"-o", &ReportArguments::output}, std::pair{"--output", &ReportArguments::output},
        std::pair{"--as-of", &ReportArguments::as_of}}) {
    const std::string option = name;
    std::string value;
    if (argument.rfind(option + "=", 0) == 0) {
      value = argument.substr(option.size() + 1);
    } else if (argument == option && i + 1 < arguments.size()) {
      value = arguments[++i];
    } else if (argument != option) {
      continue;
    }
    if (value.empty()) result.error = "report: " + option + " needs a value";
    result.*field = value;
    return true;
  }
  return false;
}

}  // namespace

ReportArguments ParseReportArguments(const std::vector<std::string>& arguments) {
  ReportArguments result;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
    if (TakeValue(arguments, i, result)) continue;
    if (arguments[i].size() > 1 && arguments[i][0] == '-') {
      result.error = "report: unknown option '" + arguments[i] + "'";
    } else {
      files.push_back(arguments[i]);
    }
  }
  if (!result.error.empty()) return result;
  if (files.size() != 1) {
    result.error = files.empty() ? "report: no GPX file given" : "report: one GPX file at a time";
  } else if (!result.as_of.empty() && !IsDayText(result.as_of)) {
    result.error = "report: --as-of must be a day, YYYY-MM-DD (got '" + result.as_of + "')";
  } else {
    result.file = files.front();
  }
  return result;
}

int RunReportCommand(const std::vector<std::string>& argument_list, CliEdges& edges) {
  const ReportArguments arguments = ParseReportArguments(argument_list);
  if (!arguments.error.empty()) {
    edges.err << kProgramName << arguments.error << "\nTry 'velmora-cli --help'.\n";
    return kExitUsage;
  }
  const std::string output =
      arguments.output.empty() ? ReportFileFor(arguments.file) : arguments.output;
  try {
    const int marks = MakeReport(arguments.file, output,
                                 arguments.as_of.empty() ? edges.clock.Today() : arguments.as_of);
    edges.err << "Wrote " << output << ": " << marks << (marks == 1 ? " benchmark" : " benchmarks")
              << '\n';
  } catch (const FileError& error) {
    edges.err << kProgramName << "file error " << error.number() << ": " << error.what() << '\n';
    return kExitFileError;
  }
  return kExitFinished;
}

std::string ReportCommandHelp() {
  return "A trip planner's report of a GPX file of benchmarks:\n"
         "  velmora-cli report FILE.gpx [-o FILE.html] [--as-of YYYY-MM-DD]\n"
         "writes one self-contained page (FILE.html beside FILE.gpx unless -o names\n"
         "another; an existing one is replaced): a plot of the marks coloured by the\n"
         "years since their newest find, and a table that sorts by any column.\n"
         "--as-of sets the day the years count to (today).\n"
         "\n";
}

std::string ReportLine(const std::string& report_file) {
  return "The report is in " + report_file;
}

}  // namespace velmora
