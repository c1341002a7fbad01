#include "sources/datasheet_file_source.h"

#include <filesystem>
#include <system_error>

#include "sources/datasheet_web_source.h"

namespace velmora {

SourceSettings DatasheetFileSource::RecordSettings() const {
  std::error_code error;
  const std::filesystem::path archive = std::filesystem::absolute(settings_.datasheet_file, error);
  const std::string path = error ? settings_.datasheet_file : archive.string();
  const auto size = std::filesystem::file_size(settings_.datasheet_file, error);
  return {{"archive", path}, {"archive-size", error ? "unknown" : std::to_string(size)}};
}

void DatasheetFileSource::Prepare(const std::set<std::string>& pids) {
  archive_ = std::make_unique<const DatasheetArchive>(
      DatasheetArchive::Read(settings_.datasheet_file, pids));
}

HarvestOutcome DatasheetFileSource::Harvest(const std::string& pid, Run& /*run*/) {
  const std::vector<std::string>* lines = archive_ ? archive_->Find(pid) : nullptr;
  if (lines == nullptr) return HarvestOutcome::NoBenchmark();
  std::string logs;
  const DatasheetOutcome outcome = HarvestDatasheetLines(*lines, pid, logs);
  return DatasheetHarvest(outcome, std::move(logs));
}

}  // namespace velmora
