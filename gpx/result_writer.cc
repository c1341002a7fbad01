#include "gpx/result_writer.h"

#include <span>
#include <utility>

#include "files/file_error.h"
#include "files/hashed_write.h"
#include "files/resume_record.h"

namespace velmora {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// Seconds from `earlier` to `now` on a clock that wraps at midnight.
double SecondsSince(double earlier, double now) {
  double seconds = now - earlier;
  if (seconds < 0) seconds += kSecondsPerDay;
  return seconds;
}

}  // namespace

ResultWriter::ResultWriter(Run& run, ResumeRecord record, int completed)
    : run_(run),
      record_(std::move(record)),
      pace_(run.source->SecondsBetweenWrites()),
      last_write_(run.edges.clock.Timer()),
      completed_(completed),
      written_(completed) {}

void ResultWriter::Completed(const ResultPieces& pieces, std::size_t scan_position) {
  ++completed_;
  scan_position_ = scan_position;
  if (pace_ > 0 && SecondsSince(last_write_, run_.edges.clock.Timer()) < pace_) return;
  Write(pieces);
}

void ResultWriter::Flush(const ResultPieces& pieces) {
  if (failed_ || written_ == completed_) return;
  Write(pieces);
}

void ResultWriter::Write(const ResultPieces& pieces) {
  const WritePoint point{completed_, run_.state.BenchmarkTotal, scan_position_};
  failed_ = true;  // until the write has gone through
  const ResumeRecord before = record_;
  bool record_written = false;
  try {
    WriteResultFileHashed(std::span<const std::string_view>(pieces), run_.state.GPXFileName,
                          [&](const std::string& sha256) {
                            BeforeResultRename(point, sha256);
                            record_written = true;
                          });
  } catch (...) {
    if (record_written) UndoRecord(before);
    throw;
  }
  failed_ = false;
  written_ = completed_;
  if (pace_ > 0) last_write_ = run_.edges.clock.Timer();
}

void ResultWriter::BeforeResultRename(const WritePoint& point, const std::string& sha256) {
  ResumeRecord next = record_;
  next.Advance(ResultState{sha256, point.completed, point.total,
                           static_cast<std::int64_t>(point.scan_position)});
  WriteRecordAtomically(RecordFileName(run_.state.GPXFileName), next);
  record_ = std::move(next);
}

void ResultWriter::UndoRecord(const ResumeRecord& before) {
  const std::string path = RecordFileName(run_.state.GPXFileName);
  try {
    if (before.newest.sha256.empty()) {
      RemoveRecord(path);
    } else {
      WriteRecordAtomically(path, before);
    }
  } catch (const FileError&) {
    // The record still names the result on the disk as its previous one.
  }
  record_ = before;
}

}  // namespace velmora
