// Durable file replacement from one or more byte pieces (the result file is
// the output already made followed by the rest), with a step that runs once
// the new text is safely on the disk and just before it takes the file's
// place (the progress record is written there).
#ifndef VELMORA_FILES_DURABLE_WRITE_H
#define VELMORA_FILES_DURABLE_WRITE_H

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

// Runs after the temporary file is flushed to the disk and before the rename.
using BeforeRename = std::function<void()>;

// Replaces the file `path` with the pieces one after the other: they go to
// "<path>.tmp", which is flushed to the disk, then `before_rename` (when set)
// runs, then the temporary file is renamed over `path`. On failure, and when
// `before_rename` throws, the previous file stays, the temporary file is
// removed, and the exception goes on (FileError for a failed write or rename).
// `flush` false leaves the flush to the disk to the system (for a file whose
// loss after a power cut does no harm, such as the progress record).
void ReplaceFileWithPieces(const std::string& path, std::span<const std::string_view> pieces,
                           const BeforeRename& before_rename = {}, bool flush = true);

// The same for the result file of `gpx_file_name` (see ResultFileName): with
// no step before the rename it writes exactly what WriteResultFile writes
// for the joined pieces, and fails the same way.
void WriteResultPieces(std::span<const std::string_view> pieces, const std::string& gpx_file_name,
                       const BeforeRename& before_rename = {});

}  // namespace velmora

#endif
