// Reading a calendar date out of the short text a listing page gives for a
// log's date, the way a general text-to-date conversion does.
//
// Accepted, with an optional weekday in front (full or three-letter English
// name) and an optional time of day behind (dropped):
//   - three numbers joined by one and the same "/", "-" or ".": read in the
//     given numeric order; when that reading is no valid date but the one with
//     day and month exchanged is, that one is taken (so "25/07/2009" still
//     reads as a date under month-first order);
//   - a four-digit year first ("2009-07-04", "2009/7/4"): year, month, day;
//   - English month names, full, three-letter or "Sept", any letter case:
//     "July 4, 2009", "Jul 4 2009", "4 July 2009", "4-Jul-2009".
// One- and two-digit years: 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to
// 1999. Three- and four-digit years are taken as written, from 100 to 9999.
#ifndef VELMORA_LISTING_READ_DATE_TEXT_H
#define VELMORA_LISTING_READ_DATE_TEXT_H

#include <optional>
#include <string_view>

namespace velmora {

enum class DateOrder { kMonthDayYear, kDayMonthYear, kYearMonthDay };

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to the month's length
  bool operator==(const CalendarDate&) const = default;
};

// The date the text names, or nothing when it cannot be read as one.
std::optional<CalendarDate> ReadDateText(std::string_view text, DateOrder order);

// The numeric order a date text can be read in only: day first for three
// numbers whose first is above 12 ("25/7/2009"), month first when the second
// is ("7/25/2009"); nothing for any other text, or when that reading gives no
// valid date.
std::optional<DateOrder> OrderTheDateDecides(std::string_view text);

// The numeric order of a strftime-style date format such as "%m/%d/%y",
// "%d.%m.%Y" or "%Y-%m-%d"; month first when the format does not tell.
DateOrder DateOrderFromFormat(std::string_view format);

}  // namespace velmora

#endif
