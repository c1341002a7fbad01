#include "gpx/result_writer.h"

#include <algorithm>
#include <span>
#include <utility>

#include "files/durable_write.h"
#include "files/file_error.h"
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

// A write's duration; a clock set back while it ran (which would make it
// last most of a day) counts it as instant, so that writes go on.
double WriteDuration(double start, double end) {
  const double seconds = SecondsSince(start, end);
  return seconds > kSecondsPerDay / 2 ? 0.0 : seconds;
}

}  // namespace

bool WriteIsDue(double floor, double last_write, double since_last_write) {
  return since_last_write >= std::max(floor, kWriteSpacing * last_write);
}

ResultWriter::ResultWriter(Run& run, ScanStart start, std::size_t document_size)
    : run_(run),
      record_(std::move(start.record)),
      floor_(run.source->SecondsBetweenWrites()),
      final_part_(start.final_part),
      hashed_(start.position),
      input_end_(start.rest + static_cast<std::int64_t>(document_size - start.position)),
      completed_(start.completed),
      written_(start.completed) {}

void ResultWriter::Completed(const ResultPieces& pieces) {
  ++completed_;
  if (wrote_ &&
      !WriteIsDue(floor_, last_write_, SecondsSince(last_end_, run_.edges.clock.Timer()))) {
    return;
  }
  Write(pieces);
}

void ResultWriter::Flush(const ResultPieces& pieces) {
  if (failed_ || written_ == completed_) return;
  Write(pieces);
}

void ResultWriter::Write(const ResultPieces& pieces) {
  const double start = run_.edges.clock.Timer();
  failed_ = true;  // until the write has gone through
  const ResultState state = StateOf(pieces);
  const ResumeRecord before = record_;
  bool record_written = false;
  try {
    WriteResultPieces(std::span<const std::string_view>(pieces), run_.state.GPXFileName, [&] {
      BeforeResultRename(state);
      record_written = true;
    });
  } catch (...) {
    if (record_written) UndoRecord(before);
    throw;
  }
  failed_ = false;
  written_ = completed_;
  wrote_ = true;
  last_end_ = run_.edges.clock.Timer();
  last_write_ = WriteDuration(start, last_end_);
}

ResultState ResultWriter::StateOf(const ResultPieces& pieces) {
  // The final part only grows: each of its bytes is hashed once.
  final_part_.Update(pieces[0].substr(hashed_));
  hashed_ = pieces[0].size();
  return ResultState{final_part_.Digest(), completed_, run_.state.BenchmarkTotal,
                     static_cast<std::int64_t>(pieces[0].size()),
                     input_end_ - static_cast<std::int64_t>(pieces[1].size())};
}

void ResultWriter::BeforeResultRename(const ResultState& state) {
  ResumeRecord next = record_;
  next.Advance(state);
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
