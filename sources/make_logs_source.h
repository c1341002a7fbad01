// The one place that picks the source of logs from the settings.
#ifndef VELMORA_SOURCES_MAKE_LOGS_SOURCE_H
#define VELMORA_SOURCES_MAKE_LOGS_SOURCE_H

#include <memory>

#include "core/logs_source.h"
#include "core/settings.h"

namespace velmora {

// The listing website (the default), the agency's datasheets on the web, or
// a downloaded datasheet file when the datasheet source names one. The
// source keeps a reference to `settings`, which must outlive it.
std::unique_ptr<LogsSource> MakeLogsSource(const Settings& settings);

}  // namespace velmora

#endif
