// Keeps the datasheets of the wanted PIDs out of a stream of datasheet text
// fed in chunks of any size: the PID filter of the datasheet archive.
#ifndef VELMORA_DATASHEET_DATASHEET_COLLECTOR_H
#define VELMORA_DATASHEET_DATASHEET_COLLECTOR_H

#include <set>
#include <string>
#include <string_view>

#include "datasheet/datasheet_archive.h"
#include "datasheet/datasheet_stream.h"

namespace velmora {

class DatasheetCollector : public DatasheetVisitor {
 public:
  explicit DatasheetCollector(const std::set<std::string>& pids, bool to_utf8 = true)
      : pids_(pids), stream_(*this, to_utf8) {}

  // The next bytes of the current file. Throws DatasheetTooLarge.
  void Feed(std::string_view chunk) { stream_.Feed(chunk); }
  // The current file has ended (its last line may lack a line end).
  void EndSource() { stream_.EndSource(); }
  DatasheetStream& stream() { return stream_; }

  // True once any line shaped like a datasheet line was seen.
  bool SawDatasheet() const { return stream_.SawDatasheet(); }
  DatasheetArchive Finish() { return std::move(archive_); }

  // The first datasheet of each wanted PID.
  bool Wants(std::string_view pid) override;
  void Take(const Datasheet& sheet) override;

 private:
  const std::set<std::string>& pids_;
  DatasheetArchive archive_;
  DatasheetStream stream_;
};

}  // namespace velmora

#endif
