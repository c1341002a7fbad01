// The base pause between benchmarks.
#ifndef VELMORA_GPX_SCAN_PAUSE_H
#define VELMORA_GPX_SCAN_PAUSE_H

#include <string>

namespace velmora {

// 5.0 seconds, or 2.5 when the command-line argument text is "quick" in any
// letter case (and nothing else).
float ScanPause(const std::string& command_line);

}  // namespace velmora

#endif
