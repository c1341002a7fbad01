#include "files/hashed_write.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "files/file_error.h"
#include "files/file_utils.h"
#include "files/sha256.h"

namespace velmora {
namespace {

// Writes the pieces to `path`, flushed to the disk when `flush`, and returns their hash;
// throws FileError.
std::string WriteSyncAndHash(const std::string& path, std::span<const std::string_view> pieces,
                             bool flush) {
  Sha256 hasher;
  std::FILE* raw = std::fopen(path.c_str(), "wb");
  if (raw == nullptr) throw FileError::FromErrno(path);
  bool ok = true;
  for (const std::string_view piece : pieces) {
    if (piece.empty()) continue;
    ok = std::fwrite(piece.data(), 1, piece.size(), raw) == piece.size();
    if (!ok) break;
    hasher.Update(piece);
  }
  ok = ok && std::fflush(raw) == 0;
#ifdef _WIN32
  ok = ok && (!flush || _commit(_fileno(raw)) == 0);
#else
  ok = ok && (!flush || fsync(fileno(raw)) == 0);
#endif
  if (!ok) {
    const FileError error = FileError::FromErrno(path);
    std::fclose(raw);
    throw error;
  }
  if (std::fclose(raw) != 0) throw FileError::FromErrno(path);
  return hasher.Final();
}

}  // namespace

std::string ReplaceFileHashed(const std::string& path, std::span<const std::string_view> pieces,
                              const BeforeRename& before_rename, bool flush) {
  const std::string temporary = path + ".tmp";
  std::string sha256;
  try {
    sha256 = WriteSyncAndHash(temporary, pieces, flush);
    if (before_rename) before_rename(sha256);
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::remove(temporary.c_str());
    throw FileError(error.value(), error.message(), path);
  }
  return sha256;
}

std::string WriteResultFileHashed(std::span<const std::string_view> pieces,
                                  const std::string& gpx_file_name,
                                  const BeforeRename& before_rename) {
  return ReplaceFileHashed(ResultFileName(gpx_file_name), pieces, before_rename);
}

}  // namespace velmora
