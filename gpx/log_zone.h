// A waypoint's log zone: where the harvested log block goes.
#ifndef VELMORA_GPX_LOG_ZONE_H
#define VELMORA_GPX_LOG_ZONE_H

#include <string_view>

#include "core/text.h"

namespace velmora {

inline constexpr std::string_view kLogZoneStart = "<groundspeak:logs>";
inline constexpr std::string_view kLogZoneEnd = "</groundspeak:logs>";

struct LogZone {
  Pos cut = 0;  // count of characters kept in front of the block
  Pos end = 0;  // position of the zone's "</groundspeak:logs>"
};

enum class LogZoneSearch { kFound, kNoStart, kNoEnd };

// Finds the first log zone at or after `from`. The cut keeps the start tag
// and the one character after it (the CR of the line break that normally
// follows), except when that character is not white space (a zone written
// on one line, or old logs right after the tag): there the cut keeps the
// start tag only. kNoEnd: the
// start tag has no end tag after it, or another start tag comes first.
LogZoneSearch FindLogZone(std::string_view text, Pos from, LogZone& zone);

}  // namespace velmora

#endif
