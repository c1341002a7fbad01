#include "files/resume_check.h"

#include <filesystem>
#include <system_error>
#include <utility>

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

// The file's bytes, or nothing when it is missing or cannot be read.
std::optional<std::string> BytesOf(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  try {
    return ReadWholeFile(path);
  } catch (const FileError&) {
    return std::nullopt;
  }
}

// The input as the run loads it, when the file is the record's input.
std::optional<std::string> LoadedInput(const ResumeRecord& record, const std::string& input_path,
                                       const LoadInput& load) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(input_path, error);
  if (error || size != static_cast<std::uintmax_t>(record.input_size)) return std::nullopt;
  std::optional<std::string> input = BytesOf(input_path);
  if (!input || Sha256Hex(*input) != record.input_sha256) return std::nullopt;
  return load ? load(std::move(*input)) : std::move(*input);
}

}  // namespace

bool ResultMatches(std::string_view result, const ResultState& state, std::string_view loaded) {
  if (state.sha256.empty() || state.position < 0 || state.rest < 0) return false;
  const auto position = static_cast<std::uint64_t>(state.position);
  const auto rest = static_cast<std::uint64_t>(state.rest);
  if (position > result.size() || rest > loaded.size() ||
      result.size() - position != loaded.size() - rest) {
    return false;
  }
  return result.substr(position) == loaded.substr(rest) &&
         Sha256Hex(result.substr(0, position)) == state.sha256;
}

ResumeCheck CheckResume(const std::optional<std::string>& record_text,
                        const std::string& input_path, const std::string& result_path,
                        const std::string& source, const SourceSettings& settings,
                        const LoadInput& load) {
  if (!record_text) return Fresh(kNoRecordReason);
  RecordParse parse = ParseResumeRecord(*record_text);
  if (!parse.record) return Fresh(kDamagedRecordReason);
  const ResumeRecord& record = *parse.record;
  if (record.source != source || record.source_settings != settings) {
    return Fresh(kOtherSourceReason);
  }
  const std::optional<std::string> loaded = LoadedInput(record, input_path, load);
  if (!loaded) return Fresh(kInputChangedReason);
  const std::optional<std::string> result = BytesOf(result_path);
  if (!result) return Fresh(kResultChangedReason);
  const bool newest = ResultMatches(*result, record.newest, *loaded);
  if (!newest && !ResultMatches(*result, record.previous, *loaded)) {
    return Fresh(kResultChangedReason);
  }
  ResumeCheck check;
  check.resume = true;
  check.newest = newest;
  check.result_sha256 = Sha256Hex(*result);
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
                        const SourceSettings& settings, const LoadInput& load) {
  const std::string record_path = RecordFileName(gpx_file_name);
  std::optional<std::string> text;
  if (FileExists(record_path)) {
    try {
      text = ReadWholeFile(record_path);
    } catch (const FileError&) {
      return Fresh(kDamagedRecordReason);
    }
  }
  return CheckResume(text, gpx_file_name, ResultFileName(gpx_file_name), source, settings, load);
}

}  // namespace velmora
