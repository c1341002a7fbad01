// The exit statuses of velmora-cli: one for each way a run can end.
#ifndef VELMORA_CORE_EXIT_STATUS_H
#define VELMORA_CORE_EXIT_STATUS_H

#include <string>

#include "core/run.h"

namespace velmora {

enum ExitStatus : int {
  kExitFinished = 0,         // the run went through every waypoint
  kExitUnexpected = 1,       // an unexpected failure inside the program
  kExitUsage = 2,            // wrong arguments or an invalid setting
  kExitNoPage = 3,           // stopped early: no listing page could be had, or another page came
  kExitNoBenchmark = 4,      // the document names no benchmark; nothing written
  kExitMalformed = 5,        // stopped early: the document is malformed
  kExitNotGpx = 6,           // not a GPX 1.0 or 1.1 document; nothing changed
  kExitFileError = 7,        // a file could not be read or written
  kExitNothingSelected = 8,  // new: no mark matched the selection; nothing written
  kExitInterrupted = 130,    // stopped by Ctrl-C (SIGINT)
  kExitTerminated = 143,     // stopped by SIGTERM
};

// The status that a run ending with `outcome` exits with.
ExitStatus ExitStatusFor(RunOutcome outcome);

// The table of statuses, as --help shows it.
std::string ExitStatusHelp();

}  // namespace velmora

#endif
