// The progress record of a run, "<result file>.resume" beside the result
// file: which input the run belongs to, the last two results it wrote with
// where the scan stands after each, and the source of logs it used. It is
// written just before each result takes its place, so the result file always
// matches one of its two results, even after a kill between the two renames.
//
// A result is its final part (the completed benchmarks) followed by the rest
// of the input as the run loaded it; the record keeps the final part's size
// and hash and where in the loaded input the rest begins, so that a write
// need not hash the whole result.
//
// The record is text, one "key value" line each: a first line with the
// format's name and version, a last line with the SHA-256 of the lines before
// it, so that a damaged or cut record is told from a sound one. Values are
// bytes with '%', control characters, space and DEL written as %XX. A record
// of another version is not read (the run starts afresh).
#ifndef VELMORA_FILES_RESUME_RECORD_H
#define VELMORA_FILES_RESUME_RECORD_H

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/logs_source.h"

namespace velmora {

inline constexpr const char* kRecordFormatName = "velmora-resume";
inline constexpr int kRecordFormatVersion = 2;

// One result file the run wrote: its first `position` bytes are the final
// part, the rest is the loaded input from `rest` on.
struct ResultState {
  std::string sha256;         // of the final part; empty: there is no such result
  int completed = 0;          // benchmarks completed in it
  int total = 0;              // benchmarks the run fetches in all (the M of "N of M")
  std::int64_t position = 0;  // the final part's size: where the scan goes on
  std::int64_t rest = 0;      // 0-based byte offset in the loaded input where the rest begins

  bool operator==(const ResultState&) const = default;
};

struct ResumeRecord {
  std::int64_t input_size = 0;
  std::string input_sha256;
  ResultState newest;
  ResultState previous;
  std::string source;  // "listing", "datasheet" or "datasheet-file"
  SourceSettings source_settings;

  // Before a write: `state` becomes the newest result, the newest one the previous.
  void Advance(const ResultState& state);

  bool operator==(const ResumeRecord&) const = default;
};

// The record's text. Setting names must not be empty.
std::string SerializeResumeRecord(const ResumeRecord& record);

// Either the record or, for a damaged, cut or foreign text, why it is not one.
struct RecordParse {
  std::optional<ResumeRecord> record;
  std::string error;
};

// Reads a record's text; never throws for any text.
RecordParse ParseResumeRecord(std::string_view text);

// The record's file name for a chosen GPX file: its result file name + ".resume".
std::string RecordFileName(const std::string& gpx_file_name);

// Replaces the record at `path` through "<path>.tmp" and a rename, without
// waiting for the disk (the record is checked against the result file's hash
// before it is used). On failure the previous record stays and FileError is
// thrown.
void WriteRecordAtomically(const std::string& path, const ResumeRecord& record);

// Removes the record at `path` and any temporary file of it; a missing record
// is no error. Throws FileError when the record stays.
void RemoveRecord(const std::string& path);

}  // namespace velmora

#endif
