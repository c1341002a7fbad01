#include "gpx/log_zone.h"

#include "gpx/bounded_search.h"

namespace velmora {

LogZoneSearch FindLogZone(std::string_view text, Pos from, LogZone& zone) {
  const Pos start = InStr(from, text, kLogZoneStart);
  if (start == 0) return LogZoneSearch::kNoStart;
  const Pos end = ElementEnd(text, start, kLogZoneStart, kLogZoneEnd);
  if (end == 0) return LogZoneSearch::kNoEnd;
  const auto tag_length = static_cast<Pos>(kLogZoneStart.size());
  // The character after the tag is kept only when it is white space (the
  // line break's CR): in a one-line zone it is the end tag's "<", and where
  // old logs follow the tag directly it is their first "<".
  const char next = text[static_cast<std::size_t>(start - 1 + tag_length)];
  const bool keep_next = next == '\r' || next == '\n' || next == ' ' || next == '\t';
  zone.cut = keep_next ? start + tag_length : start + tag_length - 1;
  zone.end = end;
  return LogZoneSearch::kFound;
}

}  // namespace velmora
