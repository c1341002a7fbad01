// The run state: the values through which the steps of one run hand work to
// one another. A plain record; each value keeps its historical name.
#ifndef VELMORA_CORE_RUN_STATE_H
#define VELMORA_CORE_RUN_STATE_H

#include <string>

#include "core/text.h"

namespace velmora {

struct RunState {
  // Program-wide values: they live for the whole process.
  std::string GPXFileName;   // bare name of the chosen GPX file
  std::string DocumentText;  // the whole GPX document, as bytes
  std::string LogBlock;      // log elements built for the benchmark in hand
  bool MainClosing = false;  // the main window has closed

  // Main window fields: created with the main window, never reset between
  // benchmarks except where the scan says so.
  bool RunFinished = false;     // the benchmark scan came to its end
  bool MoreBenchmarks = false;  // the scan goes on while true
  std::string CurrentPID;       // first 6 characters of the waypoint's name
  Pos NameEndPos = 0;           // position of the waypoint's "</name>"
  Pos BenchmarkEnd = 0;         // end of the description range; 0 if none
  // Waypoints with a log zone, counted when the scan starts; -1 before.
  // During the scan DocumentText holds the output made so far and the
  // waypoint in hand only; it is whole again when the scan has ended.
  int BenchmarkTotal = -1;
};

}  // namespace velmora

#endif
