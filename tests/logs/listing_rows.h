// Listing-page markup for harvest tests: log rows as the website writes them,
// and the fixture pages of this folder.
#ifndef VELMORA_TESTS_LOGS_LISTING_ROWS_H
#define VELMORA_TESTS_LOGS_LISTING_ROWS_H

#include <string>

namespace velmora::testing {

// One log: its icon row (type, date, finder) and its text row, whose cell
// holds `cell` followed by a line break and the indented "</td>".
std::string LogRow(const std::string& type, const std::string& date,
                   const std::string& finder, const std::string& cell);

// A page around the rows: header, description, log table, footer.
std::string ListingPage(const std::string& rows);

// The bytes of a fixture page of tests/logs/fixtures.
std::string FixturePage(const std::string& name);

}  // namespace velmora::testing

#endif
