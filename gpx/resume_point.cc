#include "gpx/resume_point.h"

#include "files/file_error.h"
#include "files/file_utils.h"
#include "files/sha256.h"

namespace velmora {

ResumeRecord FreshRecord(std::string_view input, const LogsSource& source) {
  ResumeRecord record;
  record.input_size = static_cast<std::int64_t>(input.size());
  record.input_sha256 = Sha256Hex(input);
  record.source = source.RecordName();
  record.source_settings = source.RecordSettings();
  return record;
}

ScanStart FreshStart(std::string_view input, const LogsSource& source) {
  return ScanStart{FreshRecord(input, source), 0, 0, -1};
}

ScanStart ResumeStart(const ResumePoint& point) {
  return ScanStart{point.record, static_cast<std::size_t>(point.state.position),
                   point.state.completed, point.state.total};
}

ResumeCheck CheckRunResume(const std::string& gpx_file_name, const LogsSource& source) {
  return CheckResume(gpx_file_name, source.RecordName(), source.RecordSettings());
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

}  // namespace velmora
