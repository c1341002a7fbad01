// Whether a run can go on from where an earlier one stopped, and why not.
#ifndef VELMORA_FILES_RESUME_CHECK_H
#define VELMORA_FILES_RESUME_CHECK_H

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/resume_record.h"

namespace velmora {

// The reasons for a fresh run, one line each for the user.
inline constexpr const char* kNoRecordReason = "no record of an earlier run";
inline constexpr const char* kDamagedRecordReason = "the progress record is damaged";
inline constexpr const char* kOtherSourceReason = "the earlier run used another source of logs";
inline constexpr const char* kInputChangedReason =
    "the input file has changed since the earlier run";
inline constexpr const char* kResultChangedReason = "the result file was changed or is missing";

struct ResumeCheck {
  bool resume = false;
  // When resuming: which of the record's two results the result file holds
  // (true: the newest) with that result's count, total and position, and the
  // record as read, made ready for the next write: its newest result is
  // always `state` (the one on the disk), so that ResumeRecord::Advance keeps
  // it as the previous one.
  ResumeRecord record;
  bool newest = true;
  ResultState state;
  // The SHA-256 of the whole result file as checked, to tell later that it
  // is still the same.
  std::string result_sha256;
  // When not: why, one of the reasons above.
  std::string reason;
};

// The input as a run loads it, from the input file's bytes.
using LoadInput = std::function<std::string(std::string input)>;

// Whether `result` is the result that `state` describes: its first
// state.position bytes hash to state.sha256 and the bytes after them are
// `loaded` from state.rest on.
bool ResultMatches(std::string_view result, const ResultState& state, std::string_view loaded);

// Decides from the record's text: resume when the record is sound, names the
// current source and settings, belongs to the input file (size and hash) and
// the result file is one of its results (ResultMatches with the input as
// `load` makes it; none: as read). No `record_text` means there is no record.
// Never throws FileError: an unreadable input or result counts as changed.
ResumeCheck CheckResume(const std::optional<std::string>& record_text,
                        const std::string& input_path, const std::string& result_path,
                        const std::string& source, const SourceSettings& settings,
                        const LoadInput& load = {});

// The same for a chosen GPX file, its result file and its record in the
// working folder (RecordFileName, ResultFileName). A record that cannot be
// read counts as damaged.
ResumeCheck CheckResume(const std::string& gpx_file_name, const std::string& source,
                        const SourceSettings& settings, const LoadInput& load = {});

}  // namespace velmora

#endif
