#include "cli/new_command.h"

#include <cerrno>
#include <chrono>

#include "core/exit_status.h"
#include "cli/status_line.h"
#include "cli/stop_signal.h"
#include "core/run.h"
#include "core/system_clock.h"
#include "datasheet/datasheet_archive.h"
#include "files/file_error.h"
#include "files/file_utils.h"
#include "newfile/new_file.h"

namespace velmora {
namespace {

constexpr const char* kProgramName = "velmora-cli: ";

struct ValueOption {
  const char* name;
  std::string NewArguments::*text = nullptr;
  std::optional<std::string> NewArguments::*optional = nullptr;
};

constexpr ValueOption kValueOptions[] = {
    {"--datasheets", &NewArguments::datasheets, nullptr},
    {"--near", nullptr, &NewArguments::near},
    {"--within", nullptr, &NewArguments::within},
    {"--county", nullptr, &NewArguments::county},
    {"--pids", nullptr, &NewArguments::pids},
};

// "--NAME VALUE" or "--NAME=VALUE" into `result`; false when arguments[i] is
// none of the options that take a value.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, NewArguments& result) {
  const std::string& argument = arguments[i];
  for (const ValueOption& option : kValueOptions) {
    const std::string name = option.name;
    std::string value;
    if (argument.rfind(name + "=", 0) == 0) {
      value = argument.substr(name.size() + 1);
    } else if (argument == name && i + 1 < arguments.size()) {
      value = arguments[++i];
    } else if (argument != name) {
      continue;
    }
    if (value.empty()) result.error = name + " needs a value";
    if (option.text != nullptr) result.*option.text = value;
    if (option.optional != nullptr) result.*option.optional = value;
    return true;
  }
  return false;
}

// What is wrong with a complete set of arguments; empty when nothing.
std::string CheckNewArguments(const NewArguments& arguments, std::size_t files) {
  if (files == 0) return "new: no GPX file to make given";
  if (files > 1) return "new: one GPX file at a time (got " + std::to_string(files) + ")";
  if (arguments.near.has_value() != arguments.within.has_value()) {
    return "new: --near and --within go together";
  }
  if (!arguments.near && !arguments.county && !arguments.pids) {
    return "new: no selection: give --near LAT,LON --within DIST, --county ST/COUNTY or "
           "--pids LIST";
  }
  if (arguments.datasheets.empty() && !arguments.pids) {
    return "new: without --datasheets the datasheets come from the web: --pids LIST is needed";
  }
  return "";
}

// The PID list of --pids: as written, or one PID a line from @FILE.
std::string PidListText(const std::string& text) {
  if (text.empty() || text.front() != '@') return text;
  const std::string path = text.substr(1);
  if (!FileExists(path)) throw FileError(ENOENT, "the PID list cannot be read", path);
  std::string list = ReadWholeFile(path);
  for (char& c : list) {
    if (c == '\n' || c == '\r') c = ',';
  }
  return list;
}

MarkSelection SelectionOf(const NewArguments& arguments) {
  MarkSelection selection;
  if (arguments.near) {
    selection.near = NearSelection{ReadNear(*arguments.near), *arguments.near,
                                   ReadDistance(*arguments.within), *arguments.within};
  }
  if (arguments.county) selection.county = ReadCounty(*arguments.county);
  if (arguments.pids) selection.pids = ReadPidList(PidListText(*arguments.pids));
  selection.include_destroyed = arguments.include_destroyed;
  return selection;
}

int StatusOf(NewFileOutcome outcome) {
  switch (outcome) {
    case NewFileOutcome::kWritten: return kExitFinished;
    case NewFileOutcome::kExists: return kExitFileError;
    case NewFileOutcome::kNothingSelected: return kExitNothingSelected;
    case NewFileOutcome::kNoPage:
    case NewFileOutcome::kNotAgencyPage:
    case NewFileOutcome::kDamaged: return kExitNoPage;
  }
  return kExitUnexpected;
}

// The terminal's pump, stopping the waits at Ctrl-C or SIGTERM.
class StoppingPump : public EventPump {
 public:
  explicit StoppingPump(EventPump& pump) : pump_(pump) {}
  void DoEvents() override {
    pump_.DoEvents();
    ThrowIfStopRequested();
  }

 private:
  EventPump& pump_;
};

// The file made from the web, a line (or the status line) per page.
NewFileReport FromWeb(const NewFileRequest& request, CliEdges& edges, StatusLine& line) {
  const Settings& settings = edges.settings.settings;
  StoppingPump pump(edges.pump);
  const Pacing pacing{edges.clock, pump, settings.pause_scale};
  return MakeNewFileFromWeb(
      request, settings, edges.pages, pacing,
      [&line](std::size_t number, std::size_t count, const std::string& pid) {
        ThrowIfStopRequested();
        const std::string text = "Datasheet " + std::to_string(number) + "/" +
                                 std::to_string(count) + " " + pid;
        if (line.terminal()) {
          line.ShowStatus(text);
        } else {
          line.PrintLine(text);
        }
      });
}

int MakeFile(const NewArguments& arguments, CliEdges& edges) {
  StatusLine line(edges.err, edges.err_is_terminal);
  const NewFileRequest request{arguments.file, arguments.datasheets, SelectionOf(arguments),
                               UtcTimeText(std::chrono::system_clock::now()),
                               ThrowIfStopRequested};
  const NewFileReport report = request.archive.empty()
                                   ? FromWeb(request, edges, line)
                                   : MakeNewFileFromArchive(request, edges.settings.settings);
  line.Keep();
  edges.err << (report.outcome == NewFileOutcome::kWritten ? "" : kProgramName) << report.message
            << '\n';
  return StatusOf(report.outcome);
}

}  // namespace

NewArguments ParseNewArguments(const std::vector<std::string>& arguments) {
  NewArguments result;
  std::size_t files = 0;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
    const std::string& argument = arguments[i];
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && argument == "--include-destroyed") {
      result.include_destroyed = true;
    } else if (!options_ended && TakeValue(arguments, i, result)) {
    } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      result.error = "new: unknown option '" + argument + "'";
    } else {
      ++files;
      result.file = argument;
    }
  }
  if (result.error.empty()) result.error = CheckNewArguments(result, files);
  return result;
}

int RunNewCommand(const std::vector<std::string>& arguments, CliEdges& edges) {
  const NewArguments parsed = ParseNewArguments(arguments);
  if (!parsed.error.empty()) {
    edges.err << kProgramName << parsed.error << "\nTry 'velmora-cli --help' for more information.\n";
    return kExitUsage;
  }
  try {
    return MakeFile(parsed, edges);
  } catch (const SelectionError& error) {
    edges.err << kProgramName << "new: " << error.what() << '\n';
    return kExitUsage;
  } catch (const DatasheetArchiveError& error) {
    edges.err << kProgramName << error.what() << " Nothing was written.\n";
    return kExitFileError;
  } catch (const FileError& error) {
    edges.err << kProgramName << "file error " << error.number() << ": " << error.what()
              << "; nothing was written.\n";
    return kExitFileError;
  } catch (const RunStopped& stop) {
    edges.err << "Stopped (" << stop.reason << "); nothing was written.\n";
    return StopExitStatus(StopSignal());
  }
}

std::string NewCommandHelp() {
  return "Making a new file of benchmarks from the agency's datasheets:\n"
         "  velmora-cli new FILE.gpx --datasheets ARCHIVE SELECTION...\n"
         "  velmora-cli new FILE.gpx --pids LIST [SELECTION...]   (datasheets from the web)\n"
         "writes FILE.gpx (never in place of an existing file) with the selected marks,\n"
         "their logs and ratings as a run with the datasheets would leave them. Every\n"
         "selection given must hold:\n"
         "  --near LAT,LON --within DIST\n"
         "                 marks within DIST (800m, 10km, 5mi) of the point in decimal\n"
         "                 degrees, nearest first\n"
         "  --county ST/COUNTY   the datasheet's STATE/COUNTY (TX/BEXAR), any case\n"
         "  --pids LIST    PIDs separated by commas, or @FILE with one PID a line\n"
         "  --include-destroyed  also marks whose newest history row says DESTROYED\n"
         "Without --near the marks keep the archive's order (the list's on the web).\n"
         "\n";
}

}  // namespace velmora
