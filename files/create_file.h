// Making a new file whole, never in place of another: the text goes to a
// temporary file flushed to the disk, which then takes the new name only when
// no file holds it.
#ifndef VELMORA_FILES_CREATE_FILE_H
#define VELMORA_FILES_CREATE_FILE_H

#include <span>
#include <string>
#include <string_view>

namespace velmora {

// Creates `path` holding the pieces one after the other. Throws FileError
// (EEXIST when `path` exists, before or by the time the text is ready); the
// temporary file is removed and an existing file is never touched.
void CreateFileWhole(const std::string& path, std::span<const std::string_view> pieces);

}  // namespace velmora

#endif
