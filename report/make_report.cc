#include "report/make_report.h"

#include <cerrno>
#include <filesystem>
#include <span>
#include <string_view>

#include "files/durable_write.h"
#include "files/file_error.h"
#include "files/file_utils.h"
#include "report/report_facts.h"
#include "report/report_page.h"

namespace velmora {
namespace {

// Whether the run left a result of its own: it went through the waypoints,
// or completed a benchmark before it ended otherwise.
bool WroteResult(const Run& run) {
  switch (run.outcome) {
    case RunOutcome::kNoWaypointLeft: return true;
    case RunOutcome::kNoPage:
    case RunOutcome::kNotSourcePage:
    case RunOutcome::kMalformed:
    case RunOutcome::kStopped: return run.benchmarks_done > 0;
    case RunOutcome::kNotGpx:
    case RunOutcome::kNoBenchmark:
    case RunOutcome::kNotStarted: break;
  }
  return false;
}

}  // namespace

std::string ReportFileFor(const std::string& gpx_path) {
  const std::filesystem::path path(gpx_path);
  return (path.parent_path() / (BaseName(path.filename().string()) + ".html")).string();
}

int MakeReport(const std::string& gpx_path, const std::string& html_path,
               const std::string& today) {
  if (!FileExists(gpx_path)) throw FileError(ENOENT, "No such file or directory", gpx_path);
  const ReportFacts facts = ReadReportFacts(ReadWholeFile(gpx_path));
  const std::string page =
      ReportPage(facts, std::filesystem::path(gpx_path).filename().string(), today);
  const std::string_view piece = page;
  ReplaceFileWithPieces(html_path, std::span<const std::string_view>(&piece, 1));
  return static_cast<int>(facts.marks.size());
}

void ReportAfterRun(Run& run) {
  run.report_file.clear();
  if (!run.settings.report_after_run || !WroteResult(run)) return;
  const std::string result = ResultFileName(run.state.GPXFileName);
  if (!FileExists(result)) return;
  const std::string report = ReportFileFor(result);
  // The report reads the result from the disk: the run's copy of the
  // document is given back first, so that the two are never held at once.
  std::string().swap(run.state.DocumentText);
  std::string().swap(run.state.ScanText);
  try {
    MakeReport(result, report, run.edges.clock.Today());
    run.report_file = report;
  } catch (const FileError& error) {
    // The result stands; only its report is missing, and the user is told.
    run.edges.messages.Show(Message{"The report could not be written (error " +
                                        std::to_string(error.number()) + ": " +
                                        error.description() + ").\n\nFile: " + report,
                                    "", MessageIcon::kError});
  }
}

}  // namespace velmora
