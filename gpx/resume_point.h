// Going on with a run that stopped: where a scan begins (ScanStart) and the
// point an earlier run left (ResumePoint, read from its progress record and
// result file).
#ifndef VELMORA_GPX_RESUME_POINT_H
#define VELMORA_GPX_RESUME_POINT_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/logs_source.h"
#include "files/resume_check.h"
#include "files/resume_record.h"
#include "files/sha256.h"

namespace velmora {

// Where an earlier run over a file stopped: its result file's text, which the
// resumed run takes as its document, and the record that goes on with it.
struct ResumePoint {
  std::string document;  // the result file's bytes, the one `state` describes
  ResumeRecord record;   // ready for the next write (its newest is `state`)
  ResultState state;     // completed benchmarks, total, final part and rest
  Sha256 final_part;     // has taken the document's first state.position bytes
};

// Where a scan begins and the record its writes keep beside the result file.
struct ScanStart {
  ResumeRecord record;        // the input, the source; for a resume, the result on disk
  std::size_t position = 0;   // in DocumentText: the bytes before it are final output
  int completed = 0;          // benchmarks already completed in front of `position`
  int total = -1;             // the run's count of benchmarks; -1: counted from the document
  std::int64_t rest = 0;      // where DocumentText from `position` on begins in the loaded input
  Sha256 final_part;          // has taken the bytes before `position`
};

// The record of a fresh run over an input whose bytes, as read, are `input`.
ResumeRecord FreshRecord(std::string_view input, const LogsSource& source);

// The scan start of a fresh run over `input` (position 0, count from 0).
ScanStart FreshStart(std::string_view input, const LogsSource& source);

// The scan start that goes on from `point`.
ScanStart ResumeStart(const ResumePoint& point);

// CheckResume for the chosen GPX file with the run's source of logs, the
// input loaded as the run loads it (LogsSource::RewriteLinks).
ResumeCheck CheckRunResume(const std::string& gpx_file_name, const LogsSource& source);

// The point to go on from, for a check that says resume: the result file read
// again. Empty when its bytes are no longer the ones the check found (then the
// run starts afresh).
std::shared_ptr<const ResumePoint> LoadResumePoint(const ResumeCheck& check,
                                                   const std::string& gpx_file_name);

}  // namespace velmora

#endif
