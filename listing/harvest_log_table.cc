#include "listing/harvest_log_table.h"

#include <algorithm>

#include "core/text.h"
#include "logs/character_references.h"
#include "listing/convert_log_date.h"
#include "listing/log_row_reader.h"
#include "logs/log_writer.h"

namespace velmora {

std::string LogId(int log_number) {
  return Right("0000000" + std::to_string(log_number), 7);
}

bool HarvestLogTable(std::string_view page, std::string& LogBlock, DateOrder date_order,
                     PageReferences references) {
  const auto decoded = [references](const std::string& field) {
    return references == PageReferences::kDecode ? DecodeCharacterReferences(field) : field;
  };
  const Pos first_row = InStr(1, page, kLogRowMarker);
  if (first_row == 0) return false;
  LogRowReader reader(Mid(page, std::max<Pos>(1, first_row - 10)));
  std::string& field = reader.field();
  int log_number = 0;
  while (reader.NextRow(kLogRowMarker)) {
    ++log_number;
    // The previous row's text marks the end of the log table.
    if (field == kEndOfTable) return true;
    reader.ExtractField(kTypeStart, kTypeEnd);
    const std::string type = decoded(field);
    reader.ExtractField(kDateStart, kDateEnd);
    const std::string date = ConvertLogDate(field, date_order);
    reader.ExtractField(kFinderStart, kFinderEnd);
    field = EscapeLogText(decoded(field));
    const std::string finder = field;
    reader.ExtractLogText(kTextStart, kTextEnd);
    if (!field.empty() && field.back() == '<') field.pop_back();
    field = StripLineBreaks(EscapeLogText(decoded(field)));
    AppendLogElement(LogBlock, LogId(log_number), date, type, finder, Trim(field));
  }
  return true;
}

}  // namespace velmora
