// Durable file replacement that hashes what it writes in the same pass: the
// result file written from one or more byte pieces (output already made and
// the rest), with a step that runs once the new text is safely on the disk
// and just before it takes the result's place (the progress record is written
// there).
#ifndef VELMORA_FILES_HASHED_WRITE_H
#define VELMORA_FILES_HASHED_WRITE_H

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

// Called with the SHA-256 (lowercase hex) of the new text, after the
// temporary file is flushed to the disk and before the rename.
using BeforeRename = std::function<void(const std::string& sha256)>;

// Replaces the file `path` with the pieces one after the other: they go to
// "<path>.tmp", which is flushed to the disk, then `before_rename` (when set)
// runs, then the temporary file is renamed over `path`. Returns the SHA-256 of
// the written text. On failure, and when `before_rename` throws, the previous
// file stays, the temporary file is removed, and the exception goes on
// (FileError for a failed write or rename).
// `flush` false leaves the flush to the disk to the system (for a file whose
// loss after a power cut does no harm, such as the progress record).
std::string ReplaceFileHashed(const std::string& path, std::span<const std::string_view> pieces,
                              const BeforeRename& before_rename = {}, bool flush = true);

// The same for the result file of `gpx_file_name` (see ResultFileName): with
// no step before the rename it writes exactly what WriteResultFile writes
// for the joined pieces, and fails the same way.
std::string WriteResultFileHashed(std::span<const std::string_view> pieces,
                                  const std::string& gpx_file_name,
                                  const BeforeRename& before_rename = {});

}  // namespace velmora

#endif
