#include "datasheet/datasheet_archive.h"

#include <zip.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/text.h"
#include "datasheet/datasheet_collector.h"

namespace velmora {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
  throw DatasheetArchiveError("The datasheet file \"" + path + "\" cannot be used: " + reason +
                              ".");
}

void CheckIsFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(std::filesystem::path(path), error);
  if (status.type() == std::filesystem::file_type::not_found) Refuse(path, "it does not exist");
  if (error) Refuse(path, "it cannot be reached (" + error.message() + ")");
  if (std::filesystem::is_directory(status)) Refuse(path, "it is a folder, not a file");
}

// True when the name ends in ".zip" or the file starts with a zip signature.
bool LooksLikeZip(const std::string& path, std::ifstream& file) {
  if (LowerAscii(Right(path, 4)) == ".zip") return true;
  char head[4] = {};
  file.read(head, sizeof head);
  const bool zip = file.gcount() == 4 && head[0] == 'P' && head[1] == 'K' &&
                   ((head[2] == 3 && head[3] == 4) || (head[2] == 5 && head[3] == 6));
  file.clear();
  file.seekg(0);
  return zip;
}

void ReadText(const std::string& path, std::ifstream& file, DatasheetStream& stream) {
  std::vector<char> buffer(kChunk);
  std::size_t total = 0;
  while (file) {
    file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::size_t got = static_cast<std::size_t>(file.gcount());
    stream.Feed(std::string_view(buffer.data(), got));
    total += got;
  }
  if (file.bad()) Refuse(path, "reading it failed");
  if (total == 0) Refuse(path, "it is empty");
  stream.EndSource();
}

std::string ZipReason(int code) {
  if (code == ZIP_ER_NOZIP) return "it is not a zip archive";
  if (code == ZIP_ER_INCONS) return "the zip archive is damaged (its directory is inconsistent)";
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  const std::string reason = std::string("the zip archive cannot be read (") +
                             zip_error_strerror(&error) + ")";
  zip_error_fini(&error);
  return reason;
}

using ZipArchive = std::unique_ptr<zip_t, decltype(&zip_discard)>;
using ZipFile = std::unique_ptr<zip_file_t, decltype(&zip_fclose)>;

void ReadZipEntry(const std::string& path, zip_t* archive, zip_uint64_t index,
                  DatasheetStream& stream) {
  const char* name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
  const std::string entry = name != nullptr ? name : "?";
  if (!entry.empty() && entry.back() == '/') return;  // a folder
  ZipFile file(zip_fopen_index(archive, index, 0), &zip_fclose);
  if (!file) {
    Refuse(path, "its file \"" + entry + "\" cannot be read (" + zip_strerror(archive) + ")");
  }
  std::vector<char> buffer(kChunk);
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
    if (got < 0) {
      Refuse(path, "its file \"" + entry + "\" is damaged (" + zip_file_strerror(file.get()) +
                       ")");
    }
    if (got == 0) break;
    stream.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
  stream.EndSource();
}

void ReadZip(const std::string& path, DatasheetStream& stream) {
  int code = 0;
  ZipArchive archive(zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code), &zip_discard);
  if (!archive) Refuse(path, ZipReason(code));
  const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
  if (entries <= 0) Refuse(path, "the zip archive is empty");
  for (zip_int64_t i = 0; i < entries; ++i) {
    ReadZipEntry(path, archive.get(), static_cast<zip_uint64_t>(i), stream);
  }
}

}  // namespace

void ReadDatasheetFile(const std::string& path, DatasheetStream& stream) {
  CheckIsFile(path);
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) Refuse(path, std::string("it cannot be opened (") + std::strerror(errno) + ")");
  try {
    if (LooksLikeZip(path, file)) {
      file.close();
      ReadZip(path, stream);
    } else {
      ReadText(path, file, stream);
    }
  } catch (const DatasheetTooLarge& error) {
    Refuse(path, "the datasheet of " + error.pid() + " is damaged (it is over 1 MB)");
  }
  if (!stream.SawDatasheet()) Refuse(path, "it holds no datasheet");
}

DatasheetArchive DatasheetArchive::Read(const std::string& path,
                                        const std::set<std::string>& pids, bool to_utf8) {
  DatasheetCollector collector(pids, to_utf8);
  ReadDatasheetFile(path, collector.stream());
  return collector.Finish();
}

const std::vector<std::string>* DatasheetArchive::Find(std::string_view pid) const {
  const auto found = sheets_.find(pid);
  return found == sheets_.end() ? nullptr : &found->second;
}

}  // namespace velmora
