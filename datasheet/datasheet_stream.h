// One pass over datasheet text, fed in chunks of any size: the text is cut
// into lines, each line is made ready to read (brought into UTF-8 when asked,
// freed of its markup in a page, cut at kLongestDatasheetLine bytes), and the
// lines are grouped into datasheets. Each datasheet of a PID the visitor
// wants is handed to it whole, then forgotten; the others are only measured.
// Memory follows the largest datasheet wanted, never the size of the text.
#ifndef VELMORA_DATASHEET_DATASHEET_STREAM_H
#define VELMORA_DATASHEET_DATASHEET_STREAM_H

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "datasheet/datasheet_text.h"

namespace velmora {

// A real datasheet is some kilobytes; one over a megabyte is damaged.
inline constexpr std::size_t kLargestDatasheet = 1024 * 1024;

// The datasheet of `pid` exceeds kLargestDatasheet.
class DatasheetTooLarge : public std::runtime_error {
 public:
  explicit DatasheetTooLarge(const std::string& pid)
      : std::runtime_error("the datasheet of " + pid + " is over 1 MB"), pid_(pid) {}
  const std::string& pid() const { return pid_; }

 private:
  std::string pid_;
};

// One datasheet as the pass hands it over; the views last until the visitor
// returns.
struct Datasheet {
  std::string_view pid;
  std::string_view header;             // its "1" line; empty when it had none
  std::span<const std::string> lines;  // every line of the PID, in order
};

class DatasheetVisitor {
 public:
  virtual ~DatasheetVisitor() = default;
  // Whether the datasheet of `pid` that begins now is to be gathered.
  virtual bool Wants(std::string_view pid) = 0;
  // A whole datasheet that Wants asked for, in the order of the text.
  virtual void Take(const Datasheet& sheet) = 0;
};

// Groups ready lines into datasheets (see DatasheetRuns): a datasheet is the
// lines of one PID between two boundaries.
class DatasheetSplitter {
 public:
  explicit DatasheetSplitter(DatasheetVisitor& visitor) : visitor_(visitor) {}
  // Throws DatasheetTooLarge.
  void Line(std::string_view line);
  // The end of one source (a file, a zip entry, a page): hands over the
  // datasheet in hand.
  void EndSource();
  // True once any line shaped like a datasheet line was seen.
  bool SawDatasheet() const { return saw_datasheet_; }

 private:
  void Close();

  DatasheetVisitor& visitor_;
  DatasheetRuns runs_;
  long run_ = -1;
  std::string pid_;     // of the datasheet in hand; empty: none
  std::string header_;  // the last "1" line, until a datasheet takes it
  bool wanted_ = false;
  std::vector<std::string> lines_;  // reused from datasheet to datasheet
  std::size_t count_ = 0;           // lines_ in use
  std::size_t bytes_ = 0;
  bool saw_datasheet_ = false;
};

// Cuts text into lines for a splitter. Per source, a text whose first
// non-blank character is "<" is a page: its tags are removed and its
// character references decoded (DatasheetLines); any other text is read as
// written. With `to_utf8`, a line that is not valid UTF-8 is read as
// windows-1252.
class DatasheetStream {
 public:
  DatasheetStream(DatasheetVisitor& visitor, bool to_utf8)
      : splitter_(visitor), to_utf8_(to_utf8) {}

  // The next bytes of the current source. Throws DatasheetTooLarge.
  void Feed(std::string_view chunk);
  // The current source has ended (its last line may lack a line end).
  void EndSource();
  bool SawDatasheet() const { return splitter_.SawDatasheet(); }

 private:
  void TakeLine(std::string_view raw);
  void TakeReadyLine(std::string_view line);

  DatasheetSplitter splitter_;
  bool to_utf8_;
  enum class Kind { kUnknown, kText, kPage } kind_ = Kind::kUnknown;
  std::string line_;  // a line begun in an earlier chunk
  std::string converted_;
  bool after_cr_ = false;
};

}  // namespace velmora

#endif
