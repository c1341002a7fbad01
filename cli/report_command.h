// velmora-cli report: the report page of a GPX file of benchmarks.
#ifndef VELMORA_CLI_REPORT_COMMAND_H
#define VELMORA_CLI_REPORT_COMMAND_H

#include <string>
#include <vector>

#include "cli/command_line_run.h"

namespace velmora {

inline constexpr const char* kReportCommand = "report";

struct ReportArguments {
  std::string file;    // the GPX file
  std::string output;  // -o FILE.html; empty: beside the file (ReportFileFor)
  std::string as_of;   // --as-of YYYY-MM-DD; empty: the clock's day
  std::string error;   // what is wrong; empty when the arguments are right
};

// Reads the arguments that follow "report".
ReportArguments ParseReportArguments(const std::vector<std::string>& arguments);

// Runs "velmora-cli report ..." (the arguments after "report"): the one line
// "Wrote FILE.html: N benchmarks" on standard error and 0, or a message and
// the status that says why nothing was written.
int RunReportCommand(const std::vector<std::string>& arguments, CliEdges& edges);

// The part of --help about "report".
std::string ReportCommandHelp();

// The command line's last line after a run that made a report.
std::string ReportLine(const std::string& report_file);

}  // namespace velmora

#endif
