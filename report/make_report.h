// Making a report file: of any GPX file, and of a run's result once the run
// has ended (the step both front ends take before the run's end).
#ifndef VELMORA_REPORT_MAKE_REPORT_H
#define VELMORA_REPORT_MAKE_REPORT_H

#include <string>

#include "core/run.h"

namespace velmora {

// The report's name for a GPX file: beside it, its name cut at the last
// point, then ".html" ("trip.gpx" gives "trip.html", "trip R.gpx" "trip R.html").
std::string ReportFileFor(const std::string& gpx_path);

// Reads the GPX file and writes its report (report_page.h), made on the day
// `today`, to `html_path`, replacing one that is there; written durably
// (files/durable_write.h). Returns the number of benchmarks. Throws FileError.
int MakeReport(const std::string& gpx_path, const std::string& html_path, const std::string& today);

// After a run that wrote a result file, finished or stopped, with the
// setting on: the result's report beside it, made on the clock's day, named
// in run.report_file. A run that wrote nothing gets none. A report that
// cannot be written is said in a message; run.report_file stays empty and
// the run ends as it would.
void ReportAfterRun(Run& run);

}  // namespace velmora

#endif
