// The agency's datasheets read from a downloaded file: datasheet text (one
// datasheet or many one after another, as in the per-state archives) or a
// zip archive of such text files. The file is read once, in fixed-size
// chunks, and only the datasheets of the PIDs asked for are kept, so memory
// follows the number of benchmarks wanted, not the size of the file.
#ifndef VELMORA_DATASHEET_DATASHEET_ARCHIVE_H
#define VELMORA_DATASHEET_DATASHEET_ARCHIVE_H

#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class DatasheetStream;

// A datasheet file that cannot be used; what() is a message for the user
// naming the file and the reason.
class DatasheetArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class DatasheetArchive {
 public:
  // Reads the file at `path` (see ReadDatasheetFile) and keeps the datasheet
  // lines of `pids`; of a PID found in two datasheets the first is kept.
  // With `to_utf8` every line is brought into UTF-8 (for a UTF-8 document).
  static DatasheetArchive Read(const std::string& path, const std::set<std::string>& pids,
                               bool to_utf8 = true);

  // The lines of the PID's datasheet, ready for HarvestDatasheetLines;
  // nullptr when the file holds none.
  const std::vector<std::string>* Find(std::string_view pid) const;

  // How many of the PIDs asked for have a datasheet in the file.
  std::size_t size() const { return sheets_.size(); }

 private:
  std::map<std::string, std::vector<std::string>, std::less<>> sheets_;
  friend class DatasheetCollector;
};

// Feeds the file at `path` to `stream` in one pass, in fixed-size chunks: a
// zip archive (when its name ends in ".zip" or its content starts like one)
// entry by entry, each entry a source of its own, else the file as one
// source. Throws DatasheetArchiveError for a missing, unreadable, empty or
// damaged file, for a datasheet over 1 MB (naming its PID), and for a file
// that holds no datasheet.
void ReadDatasheetFile(const std::string& path, DatasheetStream& stream);

}  // namespace velmora

#endif
