// Every write of the result file during a scan, paced by the writes' own
// cost: the first completed benchmark is written, later ones once the time
// since the last write is at least 20 times that write's duration (and at
// least the source's SecondsBetweenWrites), and every completed benchmark at
// the end and at every stop. Each write replaces the file whole
// and durably (temporary file, flush to the disk, rename), so the file always
// holds some number of completed benchmarks.
#ifndef VELMORA_GPX_RESULT_WRITER_H
#define VELMORA_GPX_RESULT_WRITER_H

#include <cstddef>
#include <cstdint>

#include "core/run.h"
#include "files/resume_record.h"
#include "files/sha256.h"
#include "gpx/resume_point.h"
#include "gpx/scan_cursor.h"

namespace velmora {

// A write may take this share of a run at most: the time between two writes
// is at least this many times the last write's duration.
inline constexpr double kWriteSpacing = 20.0;

// Whether the result is written again now that `since_last_write` seconds
// have passed since the last write, which took `last_write` seconds: at
// least kWriteSpacing times the write and at least `floor` seconds.
bool WriteIsDue(double floor, double last_write, double since_last_write);

class ResultWriter {
 public:
  // Every write keeps `start.record` (the input and the source; for a
  // resumed run the result on the disk as its newest) beside the result
  // file, advanced by the new result. start.completed benchmarks are in the
  // text already; `document_size` is the size of the scan's document, which
  // from start.position on is the loaded input from start.rest on.
  ResultWriter(Run& run, ScanStart start, std::size_t document_size);

  // One more benchmark is completed and `pieces` hold it: written now when
  // it is this run's first or a write is due (WriteIsDue on the run's clock).
  void Completed(const ResultPieces& pieces);

  // Writes `pieces` when they hold a completed benchmark that is not in the
  // file yet (the end of the scan and every stop). Nothing after a failed
  // write: its exception is on its way up.
  void Flush(const ResultPieces& pieces);

  int completed() const { return completed_; }

 private:
  void Write(const ResultPieces& pieces);
  // Where the pieces stand: the final part's hash (taking its new bytes)
  // and size, and where the rest begins in the loaded input.
  ResultState StateOf(const ResultPieces& pieces);
  // Runs once the new text is on the disk, just before it replaces the
  // result file: the progress record, advanced by the new result, replaces
  // the one beside the result file.
  void BeforeResultRename(const ResultState& state);
  // After a failed rename: the record as it was before the write (none when
  // it named no result yet), so that the folder is as the write found it.
  void UndoRecord(const ResumeRecord& before);

  Run& run_;
  ResumeRecord record_;
  const double floor_;
  Sha256 final_part_;  // has taken the first `hashed_` bytes of the output
  std::size_t hashed_;
  const std::int64_t input_end_;  // the loaded input's size
  bool wrote_ = false;            // this run has written the result
  double last_write_ = 0;         // its duration in seconds
  double last_end_ = 0;           // the clock's reading when it ended
  int completed_;
  int written_;  // completed benchmarks in the file
  bool failed_ = false;
};

}  // namespace velmora

#endif
