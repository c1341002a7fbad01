#include "sources/datasheet_web_source.h"

#include "core/run.h"
#include "listing/quillet.h"
#include "net/patient_fetch.h"

namespace velmora {

std::string DatasheetPrefix(const Settings& settings) {
  return "http://" + settings.datasheet_host + "/cgi-bin/ds_mark.prl?PidBox";
}

std::string DatasheetUrl(const Settings& settings, const std::string& pid) {
  return DatasheetPrefix(settings) + "=" + pid;
}

HarvestOutcome DatasheetHarvest(DatasheetOutcome outcome, std::string logs) {
  switch (outcome) {
    case DatasheetOutcome::kNoDatasheet: return HarvestOutcome::NoBenchmark();
    case DatasheetOutcome::kNoLogs: return HarvestOutcome::NoLogs();
    case DatasheetOutcome::kLogs: break;
  }
  return HarvestOutcome::Logs(std::move(logs));
}

HarvestOutcome DatasheetWebSource::Harvest(const std::string& pid, Run& run) {
  const PageAnswer answer = PatientFetch(DatasheetUrl(settings_, pid), run.edges.pages, run.pacing());
  if (answer.body.empty()) {
    ShowCannotContinue(run, ShortHostName(settings_.datasheet_host));
    return HarvestOutcome::NoPage(answer.failure);
  }
  std::string logs;
  const DatasheetOutcome outcome = HarvestDatasheet(answer.body, pid, logs);
  return DatasheetHarvest(outcome, std::move(logs));
}

}  // namespace velmora
