// The report page: one self-contained HTML file (its style, script and plot
// inside it, a Content-Security-Policy that lets it fetch nothing) of the
// benchmarks of a GPX file.
#ifndef VELMORA_REPORT_REPORT_PAGE_H
#define VELMORA_REPORT_REPORT_PAGE_H

#include <string>

#include "report/report_facts.h"

namespace velmora {

// The page of `facts` read from the file `file_name`, made on the day
// `today` ("YYYY-MM-DD"; the years since a find count to it).
std::string ReportPage(const ReportFacts& facts, const std::string& file_name,
                       const std::string& today);

// The line a report opens with when the file holds no benchmark.
inline constexpr const char* kNoBenchmarksText = "This file holds no benchmarks.";

}  // namespace velmora

#endif
