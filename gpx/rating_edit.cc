#include "gpx/rating_edit.h"

namespace velmora {

bool SetRatingCharacter(std::string& text, Pos from, std::string_view tag, char value) {
  const Pos tag_pos = InStr(from, text, tag);
  if (tag_pos == 0) return false;
  // 0-based index of the character right after the tag's ">".
  const auto first = static_cast<std::size_t>(tag_pos - 1) + tag.size();
  if (first >= text.size() || text[first] == '<') return false;
  // A value that starts with a non-ASCII byte is no rating; one byte of it
  // would tear a multi-byte character.
  if (static_cast<unsigned char>(text[first]) >= 0x80) return false;
  text[first] = value;
  return true;
}

}  // namespace velmora
