#include "datasheet/datasheet_collector.h"

namespace velmora {

bool DatasheetCollector::Wants(std::string_view pid) {
  const std::string key(pid);
  return pids_.contains(key) && !archive_.sheets_.contains(key);
}

void DatasheetCollector::Take(const Datasheet& sheet) {
  archive_.sheets_[std::string(sheet.pid)].assign(sheet.lines.begin(), sheet.lines.end());
}

}  // namespace velmora
