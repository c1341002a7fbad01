// Listing pages for the harvest tests: the test builder's rows around the
// page of KW1234, and the fixture pages of this folder.
#ifndef VELMORA_TESTS_LOGS_LISTING_ROWS_H
#define VELMORA_TESTS_LOGS_LISTING_ROWS_H

#include <string>

#include "tests/support/builders.h"

namespace velmora::testing {

// KW1234's listing page around the rows (built with LogRow).
inline std::string ListingPage(const std::string& rows) {
  return ListingPageAround("KW1234", rows);
}

// The bytes of a fixture page of tests/logs/fixtures.
std::string FixturePage(const std::string& name);

}  // namespace velmora::testing

#endif
