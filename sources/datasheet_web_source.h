// The agency's datasheets on the web as a source of logs: one page per
// benchmark, fetched patiently with pauses between benchmarks, as the
// listing pages are.
#ifndef VELMORA_SOURCES_DATASHEET_WEB_SOURCE_H
#define VELMORA_SOURCES_DATASHEET_WEB_SOURCE_H

#include <string>

#include "core/logs_source.h"
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

class DatasheetWebSource : public LogsSource {
 public:
  explicit DatasheetWebSource(const Settings& settings) : settings_(settings) {}
  std::string RecordName() const override { return "datasheet"; }
  SourceSettings RecordSettings() const override { return {{"host", settings_.datasheet_host}}; }
  bool PausesBetweenBenchmarks() const override { return true; }
  double SecondsBetweenWrites() const override { return 0.0; }
  // No page: "Cannot Continue" naming the datasheet host.
  HarvestOutcome Harvest(const std::string& pid, Run& run) override;

 private:
  const Settings& settings_;
};

}  // namespace velmora

#endif
