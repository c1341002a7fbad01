#include "sources/datasheet_web_source.h"

#include "core/run.h"
#include "listing/quillet.h"
#include "logs/page_charset.h"
#include "logs/page_text.h"
#include "net/patient_fetch.h"
#include "sources/foreign_page.h"

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

std::string NotDatasheetPageMessage(const Settings& settings, const std::string& pid,
                                    const ForeignAnswer& answered) {
  return ForeignPageMessage(
      settings.datasheet_host, "the agency's datasheet of " + pid, answered,
      "The host does not serve the agency's datasheets (is VELMORA_DATASHEET_HOST right?). A "
      "datasheet file downloaded from the agency is a source that works without it: choose "
      "\"Logs from \xE2\x96\xB8 Datasheet file...\" in the window, or --datasheets FILE on the "
      "command line. Any benchmarks completed before it stay in the result file.");
}

HarvestOutcome DatasheetWebSource::NotDatasheetPage(const std::string& pid,
                                                    const PageAnswer& answer, Run& run) const {
  ForeignAnswer answered = DescribeAnswer(answer, DatasheetUrl(settings_, pid));
  ShowForeignPage(run, NotDatasheetPageMessage(settings_, pid, answered));
  return HarvestOutcome::Foreign(std::move(answered), "not a datasheet page");
}

HarvestOutcome DatasheetWebSource::Harvest(const std::string& pid, Run& run) {
  const PageAnswer answer = PatientFetch(DatasheetUrl(settings_, pid), run.edges.pages, run.pacing());
  if (IsWall(answer)) return NotDatasheetPage(pid, answer, run);
  if (answer.body.empty()) {
    ShowCannotContinue(run, ShortHostName(settings_.datasheet_host),
                       FailureCause(answer.failure, settings_.datasheet_host));
    return HarvestOutcome::NoPage(answer.failure);
  }
  std::string logs;
  const std::string text = DatasheetPageText(answer, run.state.ScanText);
  const DatasheetOutcome outcome = HarvestDatasheet(text, pid, logs);
  if (outcome == DatasheetOutcome::kNoDatasheet && !IsAgencyAnswerFor(text, pid)) {
    return NotDatasheetPage(pid, answer, run);
  }
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
