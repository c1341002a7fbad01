#include "files/resume_check.h"

#include <filesystem>
#include <system_error>

#include "files/file_error.h"
#include "files/file_utils.h"
#include "files/sha256.h"

namespace velmora {
namespace {

ResumeCheck Fresh(const char* reason) {
  ResumeCheck check;
  check.reason = reason;
  return check;
}

// The file's hash, or nothing when it cannot be read.
std::optional<std::string> HashOf(const std::string& path) {
  try {
    return Sha256OfFile(path);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

bool InputMatches(const ResumeRecord& record, const std::string& input_path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(input_path, error);
  if (error || size != static_cast<std::uintmax_t>(record.input_size)) return false;
  return HashOf(input_path) == record.input_sha256;
}

}  // namespace

ResumeCheck CheckResume(const std::optional<std::string>& record_text,
                        const std::string& input_path, const std::string& result_path,
                        const std::string& source, const SourceSettings& settings) {
  if (!record_text) return Fresh(kNoRecordReason);
  RecordParse parse = ParseResumeRecord(*record_text);
  if (!parse.record) return Fresh(kDamagedRecordReason);
  const ResumeRecord& record = *parse.record;
  if (record.source != source || record.source_settings != settings) {
    return Fresh(kOtherSourceReason);
  }
  if (!InputMatches(record, input_path)) return Fresh(kInputChangedReason);
  const std::optional<std::string> result = HashOf(result_path);
  const bool newest = result == record.newest.sha256;
  if (!newest && (record.previous.sha256.empty() || result != record.previous.sha256)) {
    return Fresh(kResultChangedReason);
  }
  ResumeCheck check;
  check.resume = true;
  check.newest = newest;
  check.state = newest ? record.newest : record.previous;
  check.record = std::move(*parse.record);
  if (!newest) {
    // The newest result never took its place: the next write must keep the one that did.
    check.record.newest = check.state;
    check.record.previous = {};
  }
  return check;
}

ResumeCheck CheckResume(const std::string& gpx_file_name, const std::string& source,
                        const SourceSettings& settings) {
  const std::string record_path = RecordFileName(gpx_file_name);
  std::optional<std::string> text;
  if (FileExists(record_path)) {
    try {
      text = ReadWholeFile(record_path);
    } catch (const FileError&) {
      return Fresh(kDamagedRecordReason);
    }
  }
  return CheckResume(text, gpx_file_name, ResultFileName(gpx_file_name), source, settings);
}

}  // namespace velmora
