#include "listing/harvest_log_table.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/text.h"
#include "logs/character_references.h"
#include "listing/convert_log_date.h"
#include "listing/log_row_reader.h"
#include "logs/log_writer.h"

namespace velmora {

std::string LogId(int log_number) {
  return Right("0000000" + std::to_string(log_number), 7);
}

namespace {

// One log row as the page gives it, its date not yet read.
struct LogRow {
  std::string type;
  std::string date;
  std::string finder;
  std::string text;
};

// Every log row of `page`, read from 10 characters before `first_row`.
std::vector<LogRow> ReadLogRows(std::string_view page, Pos first_row, PageReferences references) {
  const auto decoded = [references](const std::string& field) {
    return references == PageReferences::kDecode ? DecodeCharacterReferences(field) : field;
  };
  LogRowReader reader(Mid(page, std::max<Pos>(1, first_row - 10)));
  std::string& field = reader.field();
  std::vector<LogRow> rows;
  while (reader.NextRow(kLogRowMarker)) {
    // The previous row's text marks the end of the log table.
    if (field == kEndOfTable) break;
    LogRow row;
    reader.ExtractField(kTypeStart, kTypeEnd);
    row.type = decoded(field);
    reader.ExtractField(kDateStart, kDateEnd);
    row.date = field;
    reader.ExtractField(kFinderStart, kFinderEnd);
    field = EscapeLogText(decoded(field));
    row.finder = field;
    reader.ExtractLogText(kTextStart, kTextEnd);
    if (!field.empty() && field.back() == '<') field.pop_back();
    field = StripLineBreaks(EscapeLogText(decoded(field)));
    row.text = Trim(field);
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

bool HarvestLogTable(std::string_view page, std::string& LogBlock, DateOrder date_order,
                     PageReferences references) {
  const Pos first_row = InStr(1, page, kLogRowMarker);
  if (first_row == 0) return false;
  const std::vector<LogRow> rows = ReadLogRows(page, first_row, references);
  std::vector<std::string> dates;
  for (const LogRow& row : rows) dates.push_back(row.date);
  const DateOrder order = PageDateOrder(dates, date_order);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const LogRow& row = rows[i];
    AppendLogElement(LogBlock, LogId(static_cast<int>(i) + 1), ConvertLogDate(row.date, order),
                     row.type, row.finder, row.text);
  }
  return true;
}

}  // namespace velmora
