#include "listing/listing_page.h"

#include <string>
#include <vector>

#include "core/text.h"
#include "listing/harvest_log_table.h"
#include "logs/page_text.h"

namespace velmora {

bool IsListingPageOf(std::string_view page, std::string_view pid) {
  if (Contains(page, kNoBenchmarkNotice)) return true;
  const std::vector<std::string> texts =
      ElementTexts(page, {"title", "h1", "h2", "h3", "h4", "h5", "h6"});
  for (const std::string& text : texts) {
    if (ContainsWord(text, pid)) return true;
  }
  return false;
}

}  // namespace velmora
