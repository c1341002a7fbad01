// The lines the command line shows about going on from an earlier run.
#ifndef VELMORA_CLI_RESUME_LINES_H
#define VELMORA_CLI_RESUME_LINES_H

#include <string>

namespace velmora {

// When a run starts over although it could resume: "An earlier run over
// FILE stopped after N of M benchmarks; it can be resumed with --resume."
std::string ResumableRunLine(const std::string& file, int completed, int total);

// A fresh run when resuming was asked for: "Starting a fresh run: REASON."
std::string FreshRunLine(const std::string& reason);

// A run that goes on: "Continuing the earlier run over FILE after N of M
// benchmarks."
std::string ContinuingRunLine(const std::string& file, int completed, int total);

}  // namespace velmora

#endif
