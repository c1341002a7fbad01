#include "listing/listing_page.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/listing/listing_rows.h"

namespace velmora::testing {
namespace {

TEST(ListingPage, OnlyAPageThatNamesThePidInItsTitleOrAHeadingIsItsListingPage) {
  const std::pair<std::string, bool> pages[] = {
      {ListingPage(""), true},  // KW1234's page, without logs
      {NoBenchmarkPage(), true},
      {"<h2><span id=\"lbPointID\">KW1234</span> <span>HANOVER</span></h2>", true},
      {"<HTML><TITLE>\r\n  KW1234  </TITLE></HTML>", true},
      {ListingPageAround("KW1235", ""), false},  // another benchmark's
      {"<title>KW12345 - Benchmark Details</title>", false},
      {"<html><head><title>Sign in</title></head><body><h1>Sign in</h1>"
       "<a href=\"/account/signin?returnUrl=/mark/details.aspx?PID=KW1234\">KW1234</a>"
       "</body></html>", false},
      {"<title>Benchmark pages retired</title><h1>Benchmarks have moved</h1>", false},
      {"<h1>KW1234", false}};  // a heading never closed
  for (const auto& [page, listing] : pages) {
    EXPECT_EQ(IsListingPageOf(page, "KW1234"), listing) << page;
  }
}

}  // namespace
}  // namespace velmora::testing
