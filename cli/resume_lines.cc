#include "cli/resume_lines.h"

namespace velmora {

std::string ResumableRunLine(const std::string& file, int completed, int total) {
  return "An earlier run over " + file + " stopped after " + std::to_string(completed) + " of " +
         std::to_string(total) + " benchmarks; it can be resumed with --resume.";
}

std::string FreshRunLine(const std::string& reason) {
  return "Starting a fresh run: " + reason + ".";
}

std::string ContinuingRunLine(const std::string& file, int completed, int total) {
  return "Continuing the earlier run over " + file + " after " + std::to_string(completed) +
         " of " + std::to_string(total) + " benchmarks.";
}

}  // namespace velmora
