// Loading a GPX document, the datasheet links and the version marker: the
// start of a run over one file.
#ifndef VELMORA_GPX_PROCESS_GPX_FILE_H
#define VELMORA_GPX_PROCESS_GPX_FILE_H

#include <string>

#include "core/run.h"
#include "core/settings.h"

namespace velmora {

// The message for a document that is neither GPX 1.0 nor GPX 1.1.
inline constexpr const char* kNotGpxText =
    "This file is not a GPX 1.0 or 1.1 document; nothing was changed.";

// The message for a GPX document without a benchmark to fetch.
inline constexpr const char* kNoBenchmarkText =
    "This file holds no benchmark: no waypoint's name begins with a PID (two capital letters "
    "and four digits, such as KK1523) and has a log zone. Nothing was written.";

// Reads run.state.GPXFileName into DocumentText, lets run.source rewrite its
// links (LogsSource::RewriteLinks) and, when the <gpx> start tag says version 1.0 or
// 1.1, makes sure the result file can be written (CheckResultWritable:
// FileError before anything is asked for), prepares run.source with the document's PIDs
// (LogsSource::Prepare: a source that cannot be used throws before anything is written) and runs
// the scan (both versions alike). Any other document is left alone: kNotGpxText is shown and the
// outcome is kNotGpx. So is a fresh run's document without a benchmark to fetch (CountBenchmarks):
// kNoBenchmarkText, outcome kNoBenchmark. With run.resume set, the earlier run's result is the
// document instead (no link rewrite) and the scan goes on where that run stopped (ResumeStart).
// run.state.RunFinished tells whether the scan came to its end, and run.outcome how the run ended.
void ProcessGPXfile(Run& run);

}  // namespace velmora

#endif
