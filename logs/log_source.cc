#include "logs/log_source.h"

#include "datasheet/benchmark_pids.h"
#include "datasheet/datasheet_archive.h"
#include "datasheet/datasheet_reader.h"
#include "logs/quillet.h"
#include "net/fetch_cache_page_html.h"

namespace velmora {
namespace {

// The datasheet reader's outcome, through the run-state flags.
void ApplyOutcome(DatasheetOutcome outcome, RunState& state) {
  switch (outcome) {
    case DatasheetOutcome::kNoDatasheet:
      state.NoBenchmark = true;
      break;
    case DatasheetOutcome::kNoLogs:
      state.NoLogs = true;
      break;
    case DatasheetOutcome::kLogs:
      break;
  }
}

void HarvestDatasheetPage(const std::string& pid, Run& run) {
  RunState& state = run.state;
  state.LogBlock.clear();
  const PageAnswer answer =
      FetchCachePage(DatasheetUrl(run.settings, pid), run.edges.pages, run.pacing());
  const std::string& page = answer.body;
  if (page.empty()) {
    ShowCannotContinue(run, ShortHostName(run.settings.datasheet_host),
                       FailureCause(answer.failure, run.settings.datasheet_host));
    state.MoreBenchmarks = false;
    return;
  }
  ApplyOutcome(HarvestDatasheet(page, pid, state.LogBlock), state);
}

void HarvestArchive(const std::string& pid, Run& run) {
  RunState& state = run.state;
  state.LogBlock.clear();
  const std::vector<std::string>* lines =
      run.datasheet_archive ? run.datasheet_archive->Find(pid) : nullptr;
  if (lines == nullptr) {
    state.NoBenchmark = true;
    return;
  }
  ApplyOutcome(HarvestDatasheetLines(*lines, pid, state.LogBlock), state);
}

}  // namespace

std::string DatasheetUrl(const Settings& settings, const std::string& pid) {
  return "http://" + settings.datasheet_host + "/cgi-bin/ds_mark.prl?PidBox=" + pid;
}

void HarvestLogs(const std::string& pid, Run& run) {
  if (run.settings.log_source == LogSource::kListing) {
    Quillet(ListingUrlPrefix(run.settings) + pid, run);
  } else if (ReadsDatasheetFile(run.settings)) {
    HarvestArchive(pid, run);
  } else {
    HarvestDatasheetPage(pid, run);
  }
}

void PrepareLogSource(Run& run) {
  if (!ReadsDatasheetFile(run.settings)) return;
  run.datasheet_archive = std::make_shared<const DatasheetArchive>(DatasheetArchive::Read(
      run.settings.datasheet_file, BenchmarkPids(run.state.DocumentText)));
}

bool PausesBetweenBenchmarks(const Run& run) { return !ReadsDatasheetFile(run.settings); }

}  // namespace velmora
