// Where Help PDF finds the user's guide "Velmora.pdf": in the working folder
// (a guide of the user's own), else where the package installs it, else
// beside the built program.
#ifndef VELMORA_APP_HELP_DOCUMENT_H
#define VELMORA_APP_HELP_DOCUMENT_H

#include <filesystem>
#include <vector>

namespace velmora {

inline constexpr const char* kHelpDocument = "Velmora.pdf";

// The places tried, in order, for a program in `program_folder`: the working
// folder's guide; share/doc/velmora beside the program's bin folder; the
// install prefix's share/doc/velmora (when the build names one); the
// program's own folder.
std::vector<std::filesystem::path> HelpDocumentPlaces(const std::filesystem::path& working_folder,
                                                      const std::filesystem::path& program_folder);

// The first of `places` that is a file; empty when none is.
std::filesystem::path FindHelpDocument(const std::vector<std::filesystem::path>& places);

}  // namespace velmora

#endif
