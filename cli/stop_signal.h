// Ctrl-C and SIGTERM for the command line: the signal handler only notes
// which signal came; the run notices at its next check (the event pump in
// pauses and retry waits, the page source around each download, the
// download's own progress callback) and stops with RunStopped.
#ifndef VELMORA_CLI_STOP_SIGNAL_H
#define VELMORA_CLI_STOP_SIGNAL_H

#include <string>

namespace velmora {

// Makes SIGINT and SIGTERM request a stop instead of ending the process.
void InstallStopHandlers();

// The signal that asked for a stop; 0 when none has.
int StopSignal();

// Notes a stop request as the handler does (for SIGINT or SIGTERM).
void RequestStop(int signal);

// Forgets a stop request (a new run in the same process, e.g. a test).
void ClearStopRequest();

// "interrupted" for SIGINT, "terminated" for SIGTERM.
std::string StopReason(int signal);

// Throws RunStopped when a stop has been requested.
void ThrowIfStopRequested();

// The exit status after a stop by `signal`: 128 + its number (130, 143).
int StopExitStatus(int signal);

}  // namespace velmora

#endif
