// Where a program start of the windows begins: `velmora [quick] [FILE | FOLDER]`.
// A FILE makes its folder the working folder and is run as if chosen in the
// chooser; a FOLDER opens the chooser there; without either, a working folder
// with no GPX file makes the program ask for a folder.
#ifndef VELMORA_APP_START_FOLDER_H
#define VELMORA_APP_START_FOLDER_H

#include <functional>
#include <string>

#include "core/edges.h"
#include "core/run_state.h"

namespace velmora {

inline constexpr const char* kChooseFolderTitle = "Choose the folder that holds your GPX files";

// Asks the user for a folder under the given title; empty when cancelled.
using FolderDialog = std::function<std::string(const std::string& title)>;

// The program's arguments split: the run's command-line text (every argument
// but the FILE or FOLDER, joined by single spaces, so "quick" in any letter
// case still selects short pauses) and the FILE or FOLDER (the first argument
// that is not "quick"; empty when there is none).
struct StartArguments {
  std::string command_line;
  std::string path;
};
StartArguments ParseStartArguments(int argc, const char* const* argv);

// The FILE or FOLDER of the start (empty: the working folder) and the dialog
// that asks for a folder (empty: as if the user cancelled).
struct StartFolder {
  std::string path;
  FolderDialog choose_folder;
};

enum class StartStep {
  kChooser,  // show the chooser in the (new) working folder
  kRunFile,  // state.GPXFileName holds the file to run
  kEnd,      // end quietly (after a message, if one was due)
  kRefused,  // the named FILE or FOLDER cannot be used (a message said why)
};

// Changes the working folder as the start asks and says what comes next.
StartStep PrepareStart(const StartFolder& start, RunState& state, Messages& messages);

// The message of a folder that holds no GPX file.
std::string NoGpxFilesText(const std::string& folder);
// The question that offers to make a first GPX file in such a folder.
std::string NoGpxFilesQuestion(const std::string& folder);

}  // namespace velmora

#endif
