#include "datasheet/datasheet_reader.h"

#include <algorithm>
#include <cstdio>

#include "core/text.h"
#include "datasheet/datasheet_parse.h"
#include "datasheet/datasheet_stream.h"
#include "datasheet/datasheet_text.h"
#include "logs/log_writer.h"

namespace velmora {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr const char* kUnknownDate = "1899-12-30";

struct DatasheetLog {
  std::string date;
  std::string type;
  std::string finder;
  std::string text;
  std::size_t place = 0;  // rows first, in datasheet order, then blocks of their own
};

// For every row, the index of the block it takes (kNone for none); a block
// goes to the first free row of its year, else the first free row of unknown
// date. Blocks no row takes are flagged in `own`.
std::vector<std::size_t> PairBlocks(const ParsedDatasheet& sheet, std::vector<bool>& own) {
  std::vector<std::size_t> block_of_row(sheet.rows.size(), kNone);
  own.assign(sheet.blocks.size(), true);
  auto first_free = [&](int year) {
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
      if (block_of_row[r] == kNone && sheet.rows[r].year == year) return r;
    }
    return kNone;
  };
  for (std::size_t b = 0; b < sheet.blocks.size(); ++b) {
    std::size_t row = sheet.blocks[b].year != 0 ? first_free(sheet.blocks[b].year) : kNone;
    if (row == kNone) row = first_free(0);
    if (row == kNone) continue;
    block_of_row[row] = b;
    own[b] = false;
  }
  return block_of_row;
}

std::string TypeOfCondition(const std::string& condition) {
  if (condition == "MARK NOT FOUND" || condition == "NOT FOUND" || condition == "DESTROYED") {
    return "Didn't find it";
  }
  if (condition == "GOOD" || condition == "POOR" || condition == "FIRST OBSERVED") {
    return "Found it";
  }
  return "Write note";
}

std::string YearDate(int year) {
  if (year == 0) return kUnknownDate;
  char date[16];
  std::snprintf(date, sizeof date, "%04d-01-01", year);
  return date;
}

DatasheetLog RowLog(const HistoryRow& row, const TextBlock* block, std::size_t place) {
  DatasheetLog log;
  log.date = !row.date.empty() ? row.date : YearDate(block != nullptr ? block->year : 0);
  log.type = TypeOfCondition(row.condition);
  const bool authored = block != nullptr && !block->finder.empty();
  log.finder = authored ? block->finder : row.report_by;
  log.text = block != nullptr ? block->text : row.condition;
  log.place = place;
  return log;
}

std::vector<DatasheetLog> CollectLogs(const ParsedDatasheet& sheet) {
  std::vector<bool> own;
  const std::vector<std::size_t> block_of_row = PairBlocks(sheet, own);
  std::vector<DatasheetLog> logs;
  for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
    const std::size_t b = block_of_row[r];
    logs.push_back(RowLog(sheet.rows[r], b == kNone ? nullptr : &sheet.blocks[b], r));
  }
  for (std::size_t b = 0; b < sheet.blocks.size(); ++b) {
    if (!own[b]) continue;
    const TextBlock& block = sheet.blocks[b];
    logs.push_back({YearDate(block.year), "Write note", block.finder, block.text,
                    sheet.rows.size() + b});
  }
  // Newest first; among equal dates the later one in the datasheet first.
  std::sort(logs.begin(), logs.end(), [](const DatasheetLog& a, const DatasheetLog& b) {
    return a.date != b.date ? a.date > b.date : a.place > b.place;
  });
  return logs;
}

std::string LogId(std::size_t number) {
  char id[24];
  std::snprintf(id, sizeof id, "%07zu", number);
  return id;
}

bool OverLargest(const std::vector<std::string_view>& lines) {
  std::size_t bytes = 0;
  for (const std::string_view line : lines) bytes += line.size() + 1;
  return bytes > kLargestDatasheet;
}

}  // namespace

std::vector<std::string_view> FirstDatasheetOf(const std::vector<std::string>& lines,
                                               std::string_view pid) {
  std::vector<std::string_view> selected;
  DatasheetRuns runs;
  long first_run = -1;
  for (const std::string& line : lines) {
    const long run = runs.Next(line);
    if (!IsLineOf(line, pid)) continue;
    if (first_run < 0) first_run = run;
    if (run == first_run) selected.push_back(line);
  }
  return selected;
}

bool IsAgencyAnswerFor(std::string_view text, std::string_view pid) {
  if (ContainsWord(text, pid)) return true;
  const std::string lower = LowerAscii(text);
  if (Contains(lower, "datasheet retrieval") || Contains(lower, "retrieval complete")) return true;
  return !FirstDatasheetOf(DatasheetLines(text), pid).empty();
}

DatasheetOutcome HarvestDatasheet(std::string_view text, std::string_view pid,
                                  std::string& LogBlock) {
  return HarvestDatasheetLines(DatasheetLines(text), pid, LogBlock);
}

DatasheetOutcome HarvestDatasheetLines(const std::vector<std::string>& lines,
                                       std::string_view pid, std::string& LogBlock) {
  LogBlock.clear();
  const std::vector<std::string_view> datasheet = FirstDatasheetOf(lines, pid);
  if (datasheet.empty()) return DatasheetOutcome::kNoDatasheet;
  if (OverLargest(datasheet)) return DatasheetOutcome::kDamaged;
  const std::vector<DatasheetLog> logs = CollectLogs(ParseDatasheet(datasheet));
  if (logs.empty()) return DatasheetOutcome::kNoLogs;
  std::size_t number = 0;
  for (const DatasheetLog& log : logs) {
    const std::string text = Trim(StripLineBreaks(EscapeLogText(log.text)));
    AppendLogElement(LogBlock, LogId(++number), log.date, log.type,
                     EscapeLogText(log.finder), text);
  }
  return DatasheetOutcome::kLogs;
}

}  // namespace velmora
