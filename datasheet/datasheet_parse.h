// The parts of one datasheet that its logs are made of. Internal to the
// datasheet reader.
#ifndef VELMORA_DATASHEET_DATASHEET_PARSE_H
#define VELMORA_DATASHEET_DATASHEET_PARSE_H

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One row of the history table.
struct HistoryRow {
  int year = 0;           // 0 when the date is UNK or unreadable
  std::string date;       // "YYYY-MM-DD"; empty when the date is not known
  std::string condition;  // as written, trimmed
  std::string report_by;  // the agency code, trimmed
};

// One description or recovery block that holds text.
struct TextBlock {
  int year = 0;         // 0 when neither its section line nor its author line names one
  std::string finder;   // "AGENCY (INITIALS)" or "AGENCY"; empty without an author line
  std::string text;     // the joined text lines after the author line
};

struct ParsedDatasheet {
  std::vector<HistoryRow> rows;    // in datasheet order
  std::vector<TextBlock> blocks;   // in datasheet order
};

// Reads the rows and blocks out of the lines of one datasheet (each line
// starts with a blank and the 6-character PID).
ParsedDatasheet ParseDatasheet(const std::vector<std::string_view>& lines);

}  // namespace velmora

#endif
