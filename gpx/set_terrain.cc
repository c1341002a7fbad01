#include "gpx/set_terrain.h"

#include "gpx/rating_edit.h"

namespace velmora {

bool SetTerrain(RunState& state, char value) {
  return SetRatingCharacter(state.DocumentText, state.NameEndPos, kTerrainTag, value);
}

}  // namespace velmora
