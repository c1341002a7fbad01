#include "gpx/insert_log_block.h"

#include <string>

namespace velmora {

void InsertLogBlock(RunState& state, const LogZone& zone) {
  // Edited in place: the text in front of the zone stays where it is, and
  // the document is not copied whole for every benchmark.
  const auto first = static_cast<std::size_t>(zone.cut);
  const auto last = static_cast<std::size_t>(zone.end - 1);
  std::string block;
  block.reserve(state.LogBlock.size() + 5);
  block.append(state.LogBlock).append("\r\n   ");
  state.DocumentText.replace(first, last - first, block);
}

}  // namespace velmora
