// A downloaded datasheet file (a state archive, text or zip) as a source of
// logs: read once, in one streaming pass, for the document's PIDs; no
// network, no pauses, and result writes at most once a second.
#ifndef VELMORA_SOURCES_DATASHEET_FILE_SOURCE_H
#define VELMORA_SOURCES_DATASHEET_FILE_SOURCE_H

#include <memory>
#include <string>

#include "core/logs_source.h"
#include "core/settings.h"
#include "datasheet/datasheet_archive.h"

namespace velmora {

class DatasheetFileSource : public LogsSource {
 public:
  explicit DatasheetFileSource(const Settings& settings) : settings_(settings) {}
  std::string RecordName() const override { return "datasheet-file"; }
  // The file's absolute path ("archive") and size ("archive-size").
  SourceSettings RecordSettings() const override;
  bool PausesBetweenBenchmarks() const override { return false; }
  double SecondsBetweenWrites() const override { return 1.0; }
  // Reads the file for `pids`; throws DatasheetArchiveError (a message for
  // the user) for a file that cannot be used.
  void Prepare(const std::set<std::string>& pids) override;
  HarvestOutcome Harvest(const std::string& pid, Run& run) override;

 private:
  const Settings& settings_;
  std::unique_ptr<const DatasheetArchive> archive_;
};

}  // namespace velmora

#endif
