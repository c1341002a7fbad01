// Every write of the result file during a scan. A source's shortest time
// between writes paces them: web sources write after every completed
// benchmark; the datasheet file (no pauses, no downloads) at most once a
// second, after the last benchmark and at every stop. Each write
// replaces the file whole and durably (temporary file, flush to the disk,
// rename), so the file always holds some number of completed benchmarks.
#ifndef VELMORA_GPX_RESULT_WRITER_H
#define VELMORA_GPX_RESULT_WRITER_H

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/run.h"
#include "files/resume_record.h"
#include "gpx/scan_cursor.h"

namespace velmora {

// Where a scan stands at a write.
struct WritePoint {
  int completed = 0;              // benchmarks completed, all in the text written
  int total = -1;                 // RunState::BenchmarkTotal
  std::size_t scan_position = 0;  // bytes of the result text that are final
};

class ResultWriter {
 public:
  // The clock's reading now is the start of the first second. Every write
  // keeps `record` (the input and the source; for a resumed run the result
  // on the disk as its newest) beside the result file, advanced by the new
  // result; `completed` benchmarks are in the text already.
  ResultWriter(Run& run, ResumeRecord record, int completed = 0);

  // One more benchmark is completed and `pieces` hold it, final up to
  // `scan_position` of their joined text (the cursor's output_done): written
  // now, or once the source's shortest time between writes has passed since
  // the last write.
  void Completed(const ResultPieces& pieces, std::size_t scan_position);

  // Writes `pieces` when they hold a completed benchmark that is not in the
  // file yet (the end of the scan and every stop). Nothing after a failed
  // write: its exception is on its way up.
  void Flush(const ResultPieces& pieces);

  int completed() const { return completed_; }

 private:
  void Write(const ResultPieces& pieces);
  // Runs once the new text is on the disk, just before it replaces the
  // result file: the progress record, advanced by the new result, replaces
  // the one beside the result file.
  void BeforeResultRename(const WritePoint& point, const std::string& sha256);
  // After a failed rename: the record as it was before the write (none when
  // it named no result yet), so that the folder is as the write found it.
  void UndoRecord(const ResumeRecord& before);

  Run& run_;
  ResumeRecord record_;
  double pace_;        // the source's shortest time between writes, in seconds
  double last_write_;  // the clock's reading at the last write (or the start)
  int completed_;
  int written_;        // completed benchmarks in the file
  std::size_t scan_position_ = 0;
  bool failed_ = false;
};

}  // namespace velmora

#endif
