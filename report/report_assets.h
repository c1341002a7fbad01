// The style sheet and the script of a report page, written into the page
// itself: a report fetches nothing.
#ifndef VELMORA_REPORT_REPORT_ASSETS_H
#define VELMORA_REPORT_REPORT_ASSETS_H

#include <string_view>

namespace velmora {

extern const std::string_view kReportStyle;
// Sorts the table by the column whose heading is clicked (again: the other
// way), empties last, and lights up a row's dot while the row is under the
// pointer or has the focus.
extern const std::string_view kReportScript;

}  // namespace velmora

#endif
