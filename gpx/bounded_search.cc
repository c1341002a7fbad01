#include "gpx/bounded_search.h"

#include <algorithm>

namespace velmora {

Pos InStrBefore(Pos start, std::string_view text, std::string_view what, Pos limit) {
  if (limit < 2) return 0;
  // A match at 1-based position p < limit ends at most at p + size - 1.
  const Pos reach = limit - 2 + static_cast<Pos>(what.size());
  const auto length = static_cast<std::size_t>(std::min<Pos>(reach, static_cast<Pos>(text.size())));
  return InStr(start, text.substr(0, length), what);
}

Pos ElementEnd(std::string_view text, Pos open_pos, std::string_view open_tag,
               std::string_view close_tag) {
  if (open_pos < 1) return 0;
  const Pos inside = open_pos + static_cast<Pos>(open_tag.size());
  const Pos close = InStr(inside, text, close_tag);
  if (close == 0) return 0;
  if (InStrBefore(inside, text, open_tag, close) != 0) return 0;
  return close;
}

}  // namespace velmora
