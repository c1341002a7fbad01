#include "gpx/log_zone.h"

#include "gpx/bounded_search.h"

namespace velmora {

LogZoneSearch FindLogZone(std::string_view text, Pos from, LogZone& zone) {
  const Pos start = InStr(from, text, kLogZoneStart);
  if (start == 0) return LogZoneSearch::kNoStart;
  const Pos end = ElementEnd(text, start, kLogZoneStart, kLogZoneEnd);
  if (end == 0) return LogZoneSearch::kNoEnd;
  const auto tag_length = static_cast<Pos>(kLogZoneStart.size());
  const bool one_line = end == start + tag_length;
  zone.cut = one_line ? start + tag_length - 1 : start + tag_length;
  zone.end = end;
  return LogZoneSearch::kFound;
}

}  // namespace velmora
