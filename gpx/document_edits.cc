#include "gpx/document_edits.h"

#include <string>

namespace velmora {

void InsertLogBlock(RunState& state, const LogZone& zone) {
  // Edited in place: the text in front of the zone stays where it is, and
  // the document is not copied whole for every benchmark.
  const auto first = static_cast<std::size_t>(zone.cut);
  const auto last = static_cast<std::size_t>(zone.end - 1);
  std::string block;
  block.reserve(state.LogBlock.size() + 5 + kLogZoneStart.size() + kLogZoneEnd.size());
  if (zone.empty_element) block.append(kLogZoneStart);
  block.append(state.LogBlock).append("\r\n   ");
  if (zone.empty_element) block.append(kLogZoneEnd);
  state.ScanText.replace(first, last - first, block);
}

bool SetTerrain(RunState& state, char value) {
  return SetRatingCharacter(state.ScanText, state.NameEndPos, kTerrainTag, value);
}

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

