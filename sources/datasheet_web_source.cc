#include "sources/datasheet_web_source.h"

#include "core/run.h"
#include "listing/quillet.h"
#include "logs/page_charset.h"
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
    case DatasheetOutcome::kDamaged: return HarvestOutcome::NoPage("damaged datasheet");
  }
  return HarvestOutcome::Logs(std::move(logs));
}

HarvestOutcome DatasheetWebSource::Harvest(const std::string& pid, Run& run) {
  const PageAnswer answer = PatientFetch(DatasheetUrl(settings_, pid), run.edges.pages, run.pacing());
  if (answer.body.empty()) {
    ShowCannotContinue(run, ShortHostName(settings_.datasheet_host),
                       FailureCause(answer.failure, settings_.datasheet_host));
    return HarvestOutcome::NoPage(answer.failure);
  }
  std::string logs;
  const DatasheetOutcome outcome =
      HarvestDatasheet(DatasheetPageText(answer, run.state.ScanText), pid, logs);
  if (outcome == DatasheetOutcome::kDamaged) {
    run.edges.messages.Show(Message{DamagedDatasheetMessage(settings_, pid), "Cannot Continue",
                                    MessageIcon::kError});
  }
  return DatasheetHarvest(outcome, std::move(logs));
}

std::string DatasheetPageText(const PageAnswer& answer, std::string_view document) {
  if (!DocumentIsUtf8(document)) return answer.body;
  return PageToUtf8(answer.body, answer.content_type);
}

std::string DamagedDatasheetMessage(const Settings& settings, const std::string& pid) {
  return "The datasheet of " + pid + " from " + ShortHostName(settings.datasheet_host) +
         " is damaged: it is over 1 MB.";
}

}  // namespace velmora
