// The datasheet reader under arbitrary bytes: as a served page, as a
// datasheet file in text and in a zip, and as the archive of a new GPX file.
//
// Checked for every input (for a UTF-8 document, as every result here is):
//   - the page's log block, the file's log block and the new file are
//     well-formed UTF-8;
//   - the text file and the zip holding it give the same block;
//   - when the input, read line by line as the file reader reads it (UTF-8
//     as it is, else windows-1252), holds only characters XML allows (the
//     forbidden control bytes aside), the file's log block inside a GPX
//     document and the whole new GPX file are well-formed XML; the same for
//     the page's block when the page brought into UTF-8 holds only those.
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "datasheet/datasheet_archive.h"
#include "datasheet/datasheet_reader.h"
#include "datasheet/datasheet_stream.h"
#include "datasheet/datasheet_text.h"
#include "fuzz_checks.h"
#include "logs/page_charset.h"
#include "newfile/new_file.h"

namespace velmora::fuzz {
namespace {

namespace fs = std::filesystem;

fs::path working_folder;

// The PID the harness asks for: the first one a line of the input has.
std::string PidOf(const std::string& text) {
  for (const std::string& line : DatasheetLines(text)) {
    const std::string_view pid = LinePid(line);
    if (!pid.empty()) return std::string(pid);
  }
  return "AB1234";
}

// The text as the file reader sees it, line by line.
std::string AsFileReaderSeesIt(std::string_view text) {
  std::string seen;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view line = text.substr(0, end);
    seen += IsValidUtf8(line) ? std::string(line) : Windows1252ToUtf8(line);
    seen += '\n';
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return seen;
}

// The lines of the text with tags removed and references decoded, as a page.
std::string PageText(std::string_view text) {
  std::string joined;
  for (const std::string& line : DatasheetLines(text)) joined += line + "\n";
  return joined;
}

void CheckBlock(const std::string& block, bool xml_characters, const char* where) {
  Require(IsValidUtf8(block), where);
  if (xml_characters) Require(IsWellFormedXml(WrapLogBlock(block)), where);
}

void CheckPage(const std::string& input, const std::string& pid) {
  const std::string page = PageToUtf8(input, "text/html; charset=iso-8859-1");
  std::string block;
  HarvestDatasheet(page, pid, block);
  CheckBlock(block, IsXmlCharacters(PageText(page), true),
             "the page's block is not well-formed UTF-8 XML");
}

// The block of the file at `path`; "(refused)" when the reader refuses it.
std::string FileBlock(const fs::path& path, const std::string& pid) {
  try {
    const DatasheetArchive archive = DatasheetArchive::Read(path.string(), {pid});
    std::string block;
    if (const std::vector<std::string>* lines = archive.Find(pid)) {
      HarvestDatasheetLines(*lines, pid, block);
    }
    return block;
  } catch (const DatasheetArchiveError&) {
    return "(refused)";
  }
}

void WriteZip(const fs::path& path, const std::string& bytes) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  Require(zip != nullptr, "no zip could be made");
  zip_file_add(zip, "TX.txt", zip_source_buffer(zip, bytes.data(), bytes.size(), 0), 0);
  Require(zip_close(zip) == 0, "no zip could be written");
}

void CheckNewFile(const fs::path& path, bool xml_characters) {
  const MarkSelection everything;  // every mark with a position
  const Settings settings;
  MarkCollector collector(everything, settings);
  DatasheetStream stream(collector, true);
  try {
    ReadDatasheetFile(path.string(), stream);
  } catch (const DatasheetArchiveError&) {
    return;
  }
  NewFileCounts counts;
  const std::vector<NewMark> marks = collector.Finish(counts);
  std::string document = NewDocumentStart("fuzz", "2026-01-01T00:00:00Z", marks);
  for (const NewMark& mark : marks) document += mark.waypoint + "\r\n";
  document += NewDocumentEnd();
  Require(IsValidUtf8(document), "the new file is not UTF-8");
  if (xml_characters) Require(IsWellFormedXml(document), "the new file is not well-formed XML");
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  namespace fs = std::filesystem;
  using velmora::fuzz::Require;
  const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string folder = (base / "velmora-datasheet-fuzz-XXXXXX").string();
  Require(mkdtemp(folder.data()) != nullptr, "no temporary folder");
  velmora::fuzz::working_folder = folder;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(velmora::fuzz::working_folder, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora::fuzz;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string pid = PidOf(input);
  CheckPage(input, pid);
  const auto text = working_folder / "TX.txt";
  const auto zip = working_folder / "TX.zip";
  std::ofstream(text, std::ios::binary) << input;
  WriteZip(zip, input);
  const std::string block = FileBlock(text, pid);
  // A text that starts like a zip is read as one.
  if (!input.starts_with("PK")) {
    Require(FileBlock(zip, pid) == block, "the zip and the text it holds differ");
  }
  const std::string seen = AsFileReaderSeesIt(input);
  const bool xml_characters = IsXmlCharacters(seen, true) && IsXmlCharacters(PageText(seen), true);
  if (block != "(refused)") CheckBlock(block, xml_characters, "the file's block is not UTF-8 XML");
  CheckNewFile(text, xml_characters);
  return 0;
}
