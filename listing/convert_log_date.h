// The log date of a listing page written as year-month-day.
//
// The page's date text is read as a calendar date (see read_date_text.h) with
// numeric dates in the order the page's own dates show (PageDateOrder), else
// in the order that the user's locale writes dates: the date format of
// LC_TIME as the user's environment sets it (LC_ALL, LC_TIME, LANG); month
// first under the C or POSIX locale and on platforms without that
// information, as the listing website writes its dates.
//
// A date text that cannot be read does not stop the harvest: the log is kept
// and its date becomes kUnreadableLogDate, 1899-12-30, the day from which the
// platform's date values count (date value zero). It is a valid date, so the
// result file stays readable, and far enough from any real log to stand out.
#ifndef VELMORA_LISTING_CONVERT_LOG_DATE_H
#define VELMORA_LISTING_CONVERT_LOG_DATE_H

#include <string>
#include <string_view>
#include <vector>

#include "listing/read_date_text.h"

namespace velmora {

inline constexpr std::string_view kUnreadableLogDate = "1899-12-30";

// Year (not padded), "-", month (two digits), "-", day (two digits), e.g.
// 2009-07-04; kUnreadableLogDate when the text cannot be read as a date.
std::string ConvertLogDate(std::string_view text, DateOrder order);

// The same in the user's numeric date order (UserDateOrder).
std::string ConvertLogDate(std::string_view text);

// The numeric order of one page's dates: that of the first date that can be
// read only one way (OrderTheDateDecides); `regional` when none can.
DateOrder PageDateOrder(const std::vector<std::string>& dates, DateOrder regional);

// The numeric date order of the user's LC_TIME, read anew at every call.
DateOrder ReadUserDateOrder();

// ReadUserDateOrder as read at the first call; the same for the whole process.
DateOrder UserDateOrder();

}  // namespace velmora

#endif
