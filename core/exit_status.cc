#include "core/exit_status.h"

namespace velmora {

ExitStatus ExitStatusFor(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kNoWaypointLeft: return kExitFinished;
    case RunOutcome::kNoPage: return kExitNoPage;
    case RunOutcome::kNotSourcePage: return kExitNoPage;
    case RunOutcome::kNoBenchmark: return kExitNoBenchmark;
    case RunOutcome::kMalformed: return kExitMalformed;
    case RunOutcome::kNotGpx: return kExitNotGpx;
    case RunOutcome::kStopped: return kExitInterrupted;
    case RunOutcome::kNotStarted: break;
  }
  return kExitUnexpected;
}

std::string ExitStatusHelp() {
  return "Exit status:\n"
         "  0  the run went through every waypoint (skipped and passed-over waypoints included)\n"
         "  1  an unexpected failure inside the program\n"
         "  2  usage error: wrong arguments, or an invalid setting\n"
         "  3  stopped early: no listing page could be had, or the host answered with\n"
         "     another page (\"Cannot Continue\"); new: a datasheet page could not be\n"
         "     had or was not the agency's\n"
         "  4  the file holds no benchmark (no waypoint whose name begins with a PID and\n"
         "     that has a log zone): nothing was written\n"
         "  5  stopped early: a malformed document\n"
         "  6  not a GPX 1.0 or 1.1 document: nothing was changed\n"
         "  7  a file could not be read or written (its error number and description\n"
         "     are shown); a missing FILE, or a --datasheets FILE that is missing,\n"
         "     unreadable or damaged, is refused this way and nothing is created;\n"
         "     new: FILE.gpx exists already\n"
         "  8  new: no mark matched the selection; nothing was written\n"
         "  130  stopped by Ctrl-C (SIGINT)\n"
         "  143  stopped by SIGTERM\n";
}

}  // namespace velmora
