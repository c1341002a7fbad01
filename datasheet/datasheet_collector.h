// Cuts a stream of datasheet text, fed in chunks of any size, into lines and
// keeps the lines of the wanted PIDs. Internal to the datasheet archive.
#ifndef VELMORA_DATASHEET_DATASHEET_COLLECTOR_H
#define VELMORA_DATASHEET_DATASHEET_COLLECTOR_H

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "datasheet/datasheet_archive.h"
#include "datasheet/datasheet_text.h"

namespace velmora {

class DatasheetCollector {
 public:
  explicit DatasheetCollector(const std::set<std::string>& pids) : pids_(pids) {}

  // The next bytes of the current file.
  void Feed(std::string_view chunk);
  // The current file has ended (its last line may lack a line end).
  void EndSource();

  // True once any line shaped like a datasheet line was seen.
  bool SawDatasheet() const { return saw_datasheet_; }
  DatasheetArchive Finish() { return std::move(archive_); }

 private:
  // Adds to the line in hand, up to the longest line kept.
  void AppendBounded(std::string_view piece);
  void TakeLine(std::string_view raw);
  void TakeCleanLine(std::string_view line);

  const std::set<std::string>& pids_;
  DatasheetArchive archive_;
  DatasheetRuns runs_;
  std::map<std::string, long, std::less<>> first_run_;
  std::string looked_up_;                 // the PID searched in pids_ last
  const std::string* wanted_ = nullptr;   // and what pids_ holds of it
  std::string line_;
  bool after_cr_ = false;
  bool saw_datasheet_ = false;
};

}  // namespace velmora

#endif
