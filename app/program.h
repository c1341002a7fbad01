// One program start of the windows front end: the main window's load step
// and, while the main window stays open, the event loop; the quiet end at a
// use of the closed main window; the report of an untrapped failure.
#ifndef VELMORA_APP_PROGRAM_H
#define VELMORA_APP_PROGRAM_H

#include <exception>
#include <functional>
#include <string>

#include "core/exit_status.h"
#include "core/edges.h"
#include "core/run.h"
#include "app/frm_get_gpx.h"
#include "app/start_folder.h"
#include "core/settings.h"
#include "files/file_error.h"

namespace velmora {

class frmGetGPX;

// What the platform and the rest of the program supply to a program start.
// edges.progress watches the count that the main window shows.
struct ProgramParts {
  Edges edges;
  std::function<void(Run&)> process;  // ProcessGPXfile
  ErrorLogWriter append_error_log;    // AppendErrorLog
  // How the chooser is shown modally; empty: the dialog's own exec().
  std::function<void(frmGetGPX&)> show_chooser;
  // The chooser's "Datasheet file..." dialog; empty: Qt's own file dialog.
  OpenFileDialog choose_datasheet_file = nullptr;
};

// The windows' exit statuses, from the command line's table.
inline constexpr int kExitFailure = kExitUnexpected;
inline constexpr int kExitBadSettings = kExitUsage;

// Runs one program start in the running QApplication, beginning where
// `start` says (PrepareStart). Returns the exit status: 0 for every ordinary
// end, kExitFailure after a failure that no step trapped (reported through
// parts.edges.messages first) or a FILE or FOLDER that cannot be used.
int RunProgram(const Settings& settings, const std::string& command_line,
               const ProgramParts& parts, const StartFolder& start = {});

// The report of an untrapped failure: its number and description.
Message FailureReport(const FileError& error);
Message FailureReport(const std::exception& error);

// The program's argument text: the arguments after the program name,
// joined by single spaces ("quick" for a start with that one argument).
std::string CommandLineText(int argc, const char* const* argv);

// The settings from the environment; an invalid setting is reported through
// `messages` and gives nothing.
bool LoadSettings(Messages& messages, Settings& settings);

}  // namespace velmora

#endif
