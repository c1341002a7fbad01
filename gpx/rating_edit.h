// The one-character edit of a waypoint's terrain or difficulty rating.
#ifndef VELMORA_GPX_RATING_EDIT_H
#define VELMORA_GPX_RATING_EDIT_H

#include <string>
#include <string_view>

#include "core/text.h"

namespace velmora {

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
