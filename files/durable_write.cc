#include "files/durable_write.h"

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

namespace velmora {
namespace {

// Writes the pieces to `path`, flushed to the disk when `flush`; throws FileError.
void WriteAndSync(const std::string& path, std::span<const std::string_view> pieces, bool flush) {
  std::FILE* raw = std::fopen(path.c_str(), "wb");
  if (raw == nullptr) throw FileError::FromErrno(path);
  bool ok = true;
  for (const std::string_view piece : pieces) {
    if (piece.empty()) continue;
    ok = std::fwrite(piece.data(), 1, piece.size(), raw) == piece.size();
    if (!ok) break;
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
}

}  // namespace

void ReplaceFileWithPieces(const std::string& path, std::span<const std::string_view> pieces,
                           const BeforeRename& before_rename, bool flush) {
  const std::string temporary = path + ".tmp";
  try {
    WriteAndSync(temporary, pieces, flush);
    if (before_rename) before_rename();
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
}

void WriteResultPieces(std::span<const std::string_view> pieces, const std::string& gpx_file_name,
                       const BeforeRename& before_rename) {
  ReplaceFileWithPieces(ResultFileName(gpx_file_name), pieces, before_rename);
}

}  // namespace velmora
