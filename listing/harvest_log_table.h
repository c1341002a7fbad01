// Cutting the log table out of a listing page: the markers the page carries
// around each log row, and the row loop that turns every row into a log
// element.
#ifndef VELMORA_LISTING_HARVEST_LOG_TABLE_H
#define VELMORA_LISTING_HARVEST_LOG_TABLE_H

#include <string>
#include <string_view>

#include "listing/read_date_text.h"

namespace velmora {

inline constexpr std::string_view kNoBenchmarkNotice =
    "No Benchmark was found with that Point ID";
inline constexpr std::string_view kLogRowMarker = "height=\"16\"";
inline constexpr std::string_view kTypeStart = " title=\"";
inline constexpr std::string_view kTypeEnd = "\">";
inline constexpr std::string_view kDateStart = ">&nbsp;";
inline constexpr std::string_view kDateEnd = "</td>";
inline constexpr std::string_view kFinderStart = "\">";
inline constexpr std::string_view kFinderEnd = "</a>";
inline constexpr std::string_view kTextStart = "<td colspan=\"4\">";
inline constexpr std::string_view kTextEnd = "</p>";
inline constexpr std::string_view kEndOfTable = "dlgClipboard";

// The log id of the n-th log of a page: seven digits, 1 gives "0000001".
std::string LogId(int log_number);

// What becomes of the character references ("&amp;", "&#233;") of a log's
// type, finder and text: kept as written (and so escaped once more), or
// decoded first (for a page in UTF-8 going into a UTF-8 document).
enum class PageReferences { kKeep, kDecode };

// Appends one element per log row of `page` to LogBlock, in page order, with
// ids from 0000001. False, with nothing added, when the page holds no row
// marker. The page is read from 10 characters before its first row marker
// (from its first character when the marker is nearer the start than that).
// Numeric log dates are read in the order the page's own dates decide
// (PageDateOrder), else in `date_order` (the harvest of a run passes
// UserDateOrder()). With PageReferences::kDecode, the character references of
// the type, the finder and the text are decoded before they are escaped.
bool HarvestLogTable(std::string_view page, std::string& LogBlock, DateOrder date_order,
                     PageReferences references = PageReferences::kKeep);

}  // namespace velmora

#endif
