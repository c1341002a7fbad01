#include "gpx/scan_pause.h"

#include "core/text.h"

namespace velmora {

float ScanPause(const std::string& command_line) {
  return LowerAscii(command_line) == "quick" ? 2.5f : 5.0f;
}

}  // namespace velmora
