#include "sources/make_logs_source.h"

#include "sources/datasheet_file_source.h"
#include "sources/datasheet_web_source.h"
#include "sources/listing_source.h"

namespace velmora {

std::unique_ptr<LogsSource> MakeLogsSource(const Settings& settings) {
  switch (settings.log_source) {
    case LogSource::kListing:
      return std::make_unique<ListingSource>(settings);
    case LogSource::kDatasheet:
      if (!settings.datasheet_file.empty()) return std::make_unique<DatasheetFileSource>(settings);
      return std::make_unique<DatasheetWebSource>(settings);
  }
  return std::make_unique<ListingSource>(settings);
}

}  // namespace velmora
