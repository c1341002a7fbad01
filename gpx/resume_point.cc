#include "gpx/resume_point.h"

#include <utility>

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
  return ScanStart{FreshRecord(input, source), 0, 0, -1, 0, Sha256()};
}

ScanStart ResumeStart(const ResumePoint& point) {
  return ScanStart{point.record,          static_cast<std::size_t>(point.state.position),
                   point.state.completed, point.state.total,
                   point.state.rest,      point.final_part};
}

ResumeCheck CheckRunResume(const std::string& gpx_file_name, const LogsSource& source) {
  return CheckResume(gpx_file_name, source.RecordName(), source.RecordSettings(),
                     [&source](std::string input) {
                       source.RewriteLinks(input);
                       return input;
                     });
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

}  // namespace velmora
