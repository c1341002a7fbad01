#include "gpx/resume_point.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "files/file_error.h"
#include "files/file_utils.h"
#include "files/sha256.h"
#include "gpx/process_gpx_file.h"

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
  return ScanStart{FreshRecord(input, settings), 0, 0, -1, 0, Sha256()};
}

ScanStart ResumeStart(const ResumePoint& point) {
  return ScanStart{point.record,          static_cast<std::size_t>(point.state.position),
                   point.state.completed, point.state.total,
                   point.state.rest,      point.final_part};
}

ResumeCheck CheckRunResume(const std::string& gpx_file_name, const Settings& settings) {
  return CheckResume(
      gpx_file_name, RecordSourceName(settings), RecordSourceSettings(settings),
      [&settings](std::string input) { return LoadedDocument(std::move(input), settings); });
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
  if (position < 0 || position > static_cast<std::int64_t>(point->document.size()) ||
      point->state.completed < 0) {
    return nullptr;
  }
  // Each byte hashed once: the final part, then on a copy the rest.
  const std::string_view document = point->document;
  point->final_part.Update(document.substr(0, static_cast<std::size_t>(position)));
  Sha256 whole = point->final_part;
  whole.Update(document.substr(static_cast<std::size_t>(position)));
  if (whole.Final() != check.result_sha256) return nullptr;
  return point;
}

std::string ContinuingRunLine(const std::string& file, int completed, int total) {
  return "Continuing the earlier run over " + file + " after " + std::to_string(completed) +
         " of " + std::to_string(total) + " benchmarks.";
}

}  // namespace velmora
