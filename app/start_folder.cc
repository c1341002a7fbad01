#include "app/start_folder.h"

#include <filesystem>
#include <system_error>

#include "app/gpx_file_list.h"
#include "core/run.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

bool IsQuickWord(const std::string& argument) { return PaceOf(argument) == Pace::kQuick; }

bool HasGpxFiles(const fs::path& folder) { return !ListGpxFiles(folder).empty(); }

// Makes `folder` the working folder; a failure is reported.
bool EnterFolder(const fs::path& folder, Messages& messages) {
  std::error_code error;
  fs::current_path(folder, error);
  if (!error) return true;
  messages.Show(Message{"Cannot open the folder " + folder.string() + ": " + error.message(), "",
                        MessageIcon::kError});
  return false;
}

// The chooser's folder after a FOLDER or a folder chosen in the dialog. A
// folder without GPX files still gets the chooser: it offers to make one.
StartStep ChooserIn(const fs::path& folder, Messages& messages) {
  if (!EnterFolder(folder, messages)) return StartStep::kRefused;
  return StartStep::kChooser;
}

StartStep AskForFolder(const StartFolder& start, Messages& messages) {
  const std::string folder = start.choose_folder ? start.choose_folder(kChooseFolderTitle) : "";
  if (folder.empty()) return StartStep::kEnd;  // cancelled
  return ChooserIn(folder, messages);
}

}  // namespace

StartArguments ParseStartArguments(int argc, const char* const* argv) {
  StartArguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (arguments.path.empty() && !argument.empty() && !IsQuickWord(argument)) {
      arguments.path = argument;
      continue;
    }
    if (!arguments.command_line.empty()) arguments.command_line += ' ';
    arguments.command_line += argument;
  }
  return arguments;
}

std::string NoGpxFilesText(const std::string& folder) {
  return "There is no GPX file in the folder " + folder +
         ". Start Velmora in the folder that holds your GPX files, or give it a GPX file to "
         "open.";
}

std::string NoGpxFilesQuestion(const std::string& folder) {
  return NoGpxFilesText(folder) +
         "\n\nMake a GPX file of benchmarks here from the agency's datasheets now?";
}

StartStep PrepareStart(const StartFolder& start, RunState& state, Messages& messages) {
  if (start.path.empty()) {
    if (HasGpxFiles(".")) return StartStep::kChooser;
    return AskForFolder(start, messages);
  }
  const fs::path path(start.path);
  std::error_code error;
  if (fs::is_directory(path, error)) return ChooserIn(path, messages);
  if (!fs::is_regular_file(path, error)) {
    messages.Show(Message{"Cannot find the file or folder " + start.path, "",
                          MessageIcon::kError});
    return StartStep::kRefused;
  }
  const fs::path absolute = fs::absolute(path, error);
  if (error || !EnterFolder(absolute.parent_path(), messages)) return StartStep::kRefused;
  state.GPXFileName = absolute.filename().string();
  return StartStep::kRunFile;
}

}  // namespace velmora
