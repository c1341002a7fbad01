#include "gpx/resume_point.h"

#include <filesystem>
#include <system_error>

#include "files/file_error.h"
#include "files/file_utils.h"
#include "files/sha256.h"

namespace velmora {

std::string RecordSourceName(const Settings& settings) {
  if (settings.log_source == LogSource::kListing) return "listing";
  return ReadsDatasheetFile(settings) ? "datasheet-file" : "datasheet";
}

SourceSettings RecordSourceSettings(const Settings& settings) {
  if (settings.log_source == LogSource::kListing) return {{"host", settings.listing_host}};
  if (!ReadsDatasheetFile(settings)) return {{"host", settings.datasheet_host}};
  std::error_code error;
  const std::filesystem::path archive = std::filesystem::absolute(settings.datasheet_file, error);
  const std::string path = error ? settings.datasheet_file : archive.string();
  const auto size = std::filesystem::file_size(settings.datasheet_file, error);
  return {{"archive", path}, {"archive-size", error ? "unknown" : std::to_string(size)}};
}

ResumeRecord FreshRecord(std::string_view input, const Settings& settings) {
  ResumeRecord record;
  record.input_size = static_cast<std::int64_t>(input.size());
  record.input_sha256 = Sha256Hex(input);
  record.source = RecordSourceName(settings);
  record.source_settings = RecordSourceSettings(settings);
  return record;
}

ScanStart FreshStart(std::string_view input, const Settings& settings) {
  return ScanStart{FreshRecord(input, settings), 0, 0, -1};
}

ScanStart ResumeStart(const ResumePoint& point) {
  return ScanStart{point.record, static_cast<std::size_t>(point.state.position),
                   point.state.completed, point.state.total};
}

ResumeCheck CheckRunResume(const std::string& gpx_file_name, const Settings& settings) {
  return CheckResume(gpx_file_name, RecordSourceName(settings), RecordSourceSettings(settings));
}

std::shared_ptr<const ResumePoint> LoadResumePoint(const ResumeCheck& check,
                                                   const std::string& gpx_file_name) {
  if (!check.resume) return nullptr;
  auto point = std::make_shared<ResumePoint>();
  try {
    point->document = ReadWholeFile(ResultFileName(gpx_file_name));
  } catch (const FileError&) {
    return nullptr;
  }
  point->record = check.record;
  point->state = check.state;
  const std::int64_t position = point->state.position;
  if (Sha256Hex(point->document) != point->state.sha256 || position < 0 ||
      position > static_cast<std::int64_t>(point->document.size()) ||
      point->state.completed < 0) {
    return nullptr;
  }
  return point;
}

std::string ContinuingRunLine(const std::string& file, int completed, int total) {
  return "Continuing the earlier run over " + file + " after " + std::to_string(completed) +
         " of " + std::to_string(total) + " benchmarks.";
}

}  // namespace velmora
