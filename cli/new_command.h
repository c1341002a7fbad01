// velmora-cli new: a new GPX file of the marks a selection takes from the
// agency's datasheets, from a datasheet file or from the datasheet host.
#ifndef VELMORA_CLI_NEW_COMMAND_H
#define VELMORA_CLI_NEW_COMMAND_H

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line_run.h"

namespace velmora {

inline constexpr const char* kNewCommand = "new";

struct NewArguments {
  std::string file;        // the GPX file to make
  std::string datasheets;  // --datasheets ARCHIVE; empty: the web
  std::optional<std::string> near, within, county, pids;  // as written
  bool include_destroyed = false;
  std::string error;  // what is wrong; empty when the arguments are right
};

// Reads the arguments that follow "new".
NewArguments ParseNewArguments(const std::vector<std::string>& arguments);

// Runs "velmora-cli new ..." (the arguments after "new") and returns the
// exit status: the one line "Wrote FILE: N marks; ..." on standard error and
// 0, or a message and a status that says why nothing was written.
int RunNewCommand(const std::vector<std::string>& arguments, CliEdges& edges);

// The part of --help about "new".
std::string NewCommandHelp();

}  // namespace velmora

#endif
