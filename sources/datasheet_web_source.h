// The agency's datasheets on the web as a source of logs: one page per
// benchmark, fetched patiently with pauses between benchmarks, as the
// listing pages are.
#ifndef VELMORA_SOURCES_DATASHEET_WEB_SOURCE_H
#define VELMORA_SOURCES_DATASHEET_WEB_SOURCE_H

#include <string>
#include <string_view>

#include "core/logs_source.h"
#include "core/edges.h"
#include "core/settings.h"
#include "datasheet/datasheet_reader.h"

namespace velmora {

// "http://" + datasheet host + "/cgi-bin/ds_mark.prl?PidBox".
std::string DatasheetPrefix(const Settings& settings);

// DatasheetPrefix + "=" + pid.
std::string DatasheetUrl(const Settings& settings, const std::string& pid);

// The datasheet reader's outcome with the logs it wrote, for both datasheet
// sources.
HarvestOutcome DatasheetHarvest(DatasheetOutcome outcome, std::string logs);

// The text of a datasheet page in the document's character set: in a UTF-8
// document (DocumentIsUtf8) the page brought into UTF-8 from its declared
// charset (PageToUtf8); otherwise the page as it came.
std::string DatasheetPageText(const PageAnswer& answer, std::string_view document);

// The message that stops a run at a datasheet over 1 MB from the web.
std::string DamagedDatasheetMessage(const Settings& settings, const std::string& pid);

// The message that stops a run at an answer that is not the agency's for
// `pid` (IsAgencyAnswerFor): the datasheet host, what it answered and what
// to do.
std::string NotDatasheetPageMessage(const Settings& settings, const std::string& pid,
                                    const ForeignAnswer& answered);

class DatasheetWebSource : public LogsSource {
 public:
  explicit DatasheetWebSource(const Settings& settings) : settings_(settings) {}
  std::string RecordName() const override { return "datasheet"; }
  SourceSettings RecordSettings() const override { return {{"host", settings_.datasheet_host}}; }
  bool PausesBetweenBenchmarks() const override { return true; }
  double SecondsBetweenWrites() const override { return 0.0; }
  // No page, or another page than the agency's answer for `pid` (one too
  // large to read included): "Cannot Continue" naming the datasheet host.
  HarvestOutcome Harvest(const std::string& pid, Run& run) override;

 private:
  // Shows NotDatasheetPageMessage and answers kForeignPage.
  HarvestOutcome NotDatasheetPage(const std::string& pid, const PageAnswer& answer, Run& run) const;

  const Settings& settings_;
};

}  // namespace velmora

#endif
