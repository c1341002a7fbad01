#include "cli/command_line_run.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/arguments.h"
#include "cli/new_command.h"
#include "cli/report_command.h"
#include "core/exit_status.h"
#include "cli/status_line.h"
#include "cli/terminal_messages.h"
#include "cli/stop_signal.h"
#include "cli/watched_page_source.h"
#include "core/run.h"
#include "cli/resume_lines.h"
#include "datasheet/datasheet_archive.h"
#include "files/error_log.h"
#include "files/file_error.h"
#include "files/file_utils.h"
#include "gpx/benchmark_scan.h"
#include "gpx/process_gpx_file.h"
#include "gpx/resume_point.h"
#include "report/make_report.h"
#include "sources/make_logs_source.h"

namespace velmora {
namespace {

constexpr const char* kProgramName = "velmora-cli: ";

// Refuses a file that cannot be opened for reading (a missing one included)
// before anything else is touched, so that nothing is created for it.
void CheckReadable(const std::string& file) {
  std::FILE* handle = std::fopen(file.c_str(), "rb");
  if (handle == nullptr) throw FileError::FromErrno(file);
  std::fclose(handle);
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    throw FileError(static_cast<int>(std::errc::is_a_directory),
                    std::make_error_code(std::errc::is_a_directory).message(), file);
  }
}

// Makes the folder that holds `file` the working folder, where the result
// file and the error log go; returns the file's bare name.
std::string EnterFolderOf(const std::string& file) {
  const std::filesystem::path path(file);
  if (path.has_parent_path()) {
    std::error_code error;
    std::filesystem::current_path(path.parent_path(), error);
    if (error) throw FileError(error.value(), error.message(), path.parent_path().string());
  }
  return path.filename().string();
}

int ReportFileError(const FileError& error, std::ostream& err) {
  err << kProgramName << "file error " << error.number() << ": " << error.what() << '\n';
  return kExitFileError;
}

// The settings of the run: the environment's, with the log source of the
// arguments; a datasheet file named relative to the starting folder keeps
// naming it once the run works in the folder of FILE.
Settings RunSettings(const Settings& environment, const CliArguments& arguments) {
  Settings settings = WithArguments(environment, arguments);
  if (!settings.datasheet_file.empty()) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(settings.datasheet_file, error);
    if (!error) settings.datasheet_file = absolute.string();
  }
  return settings;
}

// The last line of a run the user stopped, and its exit status.
int ReportStop(const Run& run, std::ostream& err) {
  err << "Stopped after " << run.benchmarks_done << " of " << BenchmarksInAll(run)
      << " benchmarks";
  if (run.benchmarks_done > 0) {
    err << "; the result is in " << ResultFileName(run.state.GPXFileName);
  }
  err << '\n';
  return StopExitStatus(StopSignal());
}

// Whether the run goes on from an earlier one over `file`: only with
// --resume and a record that matches. Every other case is a fresh run; one
// line says why when --resume was given, or that the earlier run could be
// resumed when it was not.
std::shared_ptr<const ResumePoint> ChooseResume(const std::string& file,
                                                const LogsSource& source, bool asked,
                                                StatusLine& line) {
  const ResumeCheck check = CheckRunResume(file, source);
  if (!asked) {
    if (check.resume) {
      line.PrintLine(ResumableRunLine(file, check.state.completed, check.state.total));
    }
    return nullptr;
  }
  std::shared_ptr<const ResumePoint> point = LoadResumePoint(check, file);
  if (point == nullptr) {
    line.PrintLine(FreshRunLine(check.resume ? kResultChangedReason : check.reason));
  } else {
    line.PrintLine(ContinuingRunLine(file, point->state.completed, point->state.total));
  }
  return point;
}

// The run over one file, as the windows' Go action makes it.
int RunFile(const CliArguments& arguments, const Settings& environment, CliEdges& edges) {
  const Settings settings = RunSettings(environment, arguments);
  RunState state;
  StatusLine line(edges.err, edges.err_is_terminal);
  TerminalMessages messages(line);
  std::unique_ptr<LogsSource> source = MakeLogsSource(settings);
  const Pace pace = arguments.quick ? Pace::kQuick : Pace::kNormal;
  const double nominal_pause =
      source->PausesBetweenBenchmarks() ? ScanPause(pace) * settings.pause_scale : 0.0;
  TerminalProgress progress(line, state, edges.seconds, nominal_pause, edges.width);
  WatchedPageSource pages(edges.pages, progress);
  WatchedEventPump pump(edges.pump, progress);
  Run run{state, settings, Edges{pages, edges.clock, pump, messages, progress}, pace};
  run.source = std::move(source);
  try {
    CheckReadable(arguments.file);
    state.GPXFileName = EnterFolderOf(arguments.file);
    run.resume = ChooseResume(state.GPXFileName, *run.source, arguments.resume, line);
    ProcessGPXfile(run);
    progress.End(run.outcome == RunOutcome::kNoWaypointLeft);
    ReportAfterRun(run);
    FinishRun(run, AppendErrorLog);
    if (!run.report_file.empty()) line.PrintLine(ReportLine(run.report_file));
  } catch (const FileError& error) {
    line.Keep();
    return ReportFileError(error, edges.err);
  } catch (const DatasheetArchiveError& error) {
    // Refused before anything was written.
    line.Keep();
    edges.err << kProgramName << error.what() << " Nothing was written.\n";
    return kExitFileError;
  } catch (const RunStopped& stop) {
    progress.End(false);
    run.outcome = RunOutcome::kStopped;
    run.stop_reason = stop.reason;
    ReportAfterRun(run);
    FinishRun(run, AppendErrorLog);
    const int status = ReportStop(run, edges.err);
    if (!run.report_file.empty()) edges.err << ReportLine(run.report_file) << '\n';
    return status;
  }
  return ExitStatusFor(run.outcome);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& argument_list, CliEdges& edges) {
  const CliArguments arguments = ParseArguments(argument_list);
  // "new" first makes a new file, "report" a report (a GPX file named so is "./new").
  const bool new_file = !argument_list.empty() && argument_list.front() == kNewCommand;
  const bool report = !argument_list.empty() && argument_list.front() == kReportCommand;
  if (report && (arguments.action == CliArguments::Action::kUsageError ||
                 arguments.action == CliArguments::Action::kRun)) {
    return RunReportCommand({argument_list.begin() + 1, argument_list.end()}, edges);
  }
  if (new_file && (arguments.action == CliArguments::Action::kUsageError ||
                   arguments.action == CliArguments::Action::kRun)) {
    if (!edges.settings.error.empty()) {
      edges.err << kProgramName << edges.settings.error << '\n';
      return kExitUsage;
    }
    return RunNewCommand({argument_list.begin() + 1, argument_list.end()}, edges);
  }
  switch (arguments.action) {
    case CliArguments::Action::kHelp:
      edges.out << HelpText();
      return kExitFinished;
    case CliArguments::Action::kVersion:
      edges.out << VersionText() << '\n';
      return kExitFinished;
    case CliArguments::Action::kUsageError:
      edges.err << kProgramName << arguments.error << '\n'
                << UsageText() << "\nTry 'velmora-cli --help' for more information.\n";
      return kExitUsage;
    case CliArguments::Action::kRun:
      break;
  }
  if (!edges.settings.error.empty()) {
    edges.err << kProgramName << edges.settings.error << '\n';
    return kExitUsage;
  }
  return RunFile(arguments, edges.settings.settings, edges);
}

}  // namespace velmora
