#include "gpx/append_listing_name.h"

#include <string>
#include <string_view>

#include "gpx/bounded_search.h"

namespace velmora {
namespace {

constexpr std::string_view kListingNameStart = "<groundspeak:name>";
constexpr std::string_view kListingNameEnd = "</groundspeak:name>";

}  // namespace

ListingName AppendListingName(RunState& state) {
  std::string& text = state.DocumentText;
  const Pos tag = InStr(state.NameEndPos, text, kListingNameStart);
  if (tag == 0) return ListingName::kMissing;
  const Pos close = ElementEnd(text, tag, kListingNameStart, kListingNameEnd);
  if (close == 0) return ListingName::kUnclosed;
  const Pos value = tag + static_cast<Pos>(kListingNameStart.size());
  // The name text, a space, the listing name, then "</name>" and the rest.
  const std::string addition = " " + Mid(text, value, close - value);
  text.insert(static_cast<std::size_t>(state.NameEndPos - 1), addition);
  return ListingName::kAppended;
}

}  // namespace velmora
