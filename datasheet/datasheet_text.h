// The agency's datasheet as lines: a served page or an archive's text with its
// markup removed, and the few facts about a single line that every reader of
// datasheets needs (whose line it is, where a new datasheet begins).
//
// A datasheet is fixed-column text; every one of its lines holds a blank in
// column 1 and the 6-character PID in columns 2-7. Archives hold many
// datasheets one after another, each starting with a line holding "1" in
// column 1.
#ifndef VELMORA_DATASHEET_DATASHEET_TEXT_H
#define VELMORA_DATASHEET_DATASHEET_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Datasheet lines hold 80 columns; a longer line is cut, which also bounds
// memory on text without line ends.
inline constexpr std::size_t kLongestDatasheetLine = 4096;

// The line cut to at most kLongestDatasheetLine bytes, never inside a UTF-8
// character.
std::string_view CutDatasheetLine(std::string_view line);

// The text with its tags removed (a "<br>" tag not already followed by a line
// end becomes one), its character references decoded, split at LF, CR LF or
// CR, each line cut by CutDatasheetLine. The line ends are not part of the
// lines; a final line end does not start another line. A "<" that does not
// open a tag closed within the same kilobyte stays as written. For pages:
// the text of a datasheet file is read as written.
std::vector<std::string> DatasheetLines(std::string_view text);

// True when the line belongs to the datasheet of `pid`: a blank, the PID, then
// the end of the line or anything but a letter or digit.
bool IsLineOf(std::string_view line, std::string_view pid);

// The PID of a line shaped like a datasheet line (a blank, then a PID as
// LeadingPid reads it); empty for any other line.
std::string_view LinePid(std::string_view line);

// Follows a run of lines and tells which datasheet each belongs to: the count
// goes up at a line holding "1" in column 1, at a line of another PID than
// the previous datasheet line's, and at every NewSource.
class DatasheetRuns {
 public:
  // The number of the datasheet the line belongs to.
  long Next(std::string_view line) { return Next(line, LinePid(line)); }
  // The same for a line whose LinePid the caller already has.
  long Next(std::string_view line, std::string_view pid);
  // A new file starts: its first line belongs to a new datasheet.
  void NewSource();

 private:
  long run_ = 0;
  std::string last_pid_;
};

}  // namespace velmora

#endif
