// The GPX files of a folder, as the chooser lists them.
#ifndef VELMORA_APP_GPX_FILE_LIST_H
#define VELMORA_APP_GPX_FILE_LIST_H

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

// True when `name` ends in ".gpx" in any letter case (".GPX", ".Gpx", ...).
bool IsGpxFileName(const std::string& name);

// The bare names (bytes as the system gives them) of the files in `folder`
// whose names end in ".gpx" in any letter case, sorted by name without regard
// to letter case. Folders are
// left out. A folder that cannot be read gives no names.
std::vector<std::string> ListGpxFiles(const std::filesystem::path& folder);

}  // namespace velmora

#endif
