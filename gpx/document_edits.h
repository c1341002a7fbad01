// Edits of the GPX document: the log block, the terrain and the ratings.
#ifndef VELMORA_GPX_DOCUMENT_EDITS_H
#define VELMORA_GPX_DOCUMENT_EDITS_H

#include <string>
#include <string_view>

#include "core/run_state.h"
#include "core/text.h"
#include "gpx/waypoints.h"

namespace velmora {

// ScanText becomes its first zone.cut characters, LogBlock, CR LF and
// three spaces, then the text from the zone's end tag on. Whatever stood in
// the zone before (logs of an earlier run) is dropped, not repeated. An empty
// element ("<groundspeak:logs/>") becomes the start tag, the block, CR LF,
// three spaces and the end tag.
void InsertLogBlock(RunState& state, const LogZone& zone);

// Writes `value` over the first character of the terrain value that follows
// NameEndPos. Leaves the document untouched (and returns false) when no
// terrain value follows. The scan writes the result file afterwards.
bool SetTerrain(RunState& state, char value);

inline constexpr std::string_view kTerrainTag = "<groundspeak:terrain>";
inline constexpr std::string_view kDifficultyTag = "<groundspeak:difficulty>";

// Replaces the first character of the value of the first `tag` at or after
// `from` by `value`, in place; the length of the text never changes. Leaves
// the text untouched and returns false when there is no such tag, or when
// its value is empty (the next character starts a tag, or the text ends):
// replacing that character would break the markup. A value that starts
// with a non-ASCII byte (the first byte of a multi-byte character) is left
// alone too.
bool SetRatingCharacter(std::string& text, Pos from, std::string_view tag, char value);

}  // namespace velmora

#endif
