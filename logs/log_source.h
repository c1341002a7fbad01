// Where the logs of a benchmark come from: the listing website's pages (the
// default), the agency's datasheets on the web, or a downloaded datasheet
// archive. The settings choose; every source reports through the same run
// state flags as the listing harvest.
#ifndef VELMORA_LOGS_LOG_SOURCE_H
#define VELMORA_LOGS_LOG_SOURCE_H

#include <string>
#include <string_view>

#include "core/run.h"

namespace velmora {

// "http://" + datasheet host + "/cgi-bin/ds_mark.prl?PidBox=" + pid.
std::string DatasheetUrl(const Settings& settings, const std::string& pid);

// The text of a datasheet page in the document's character set: in a UTF-8
// document (DocumentIsUtf8) the page brought into UTF-8 from its declared
// charset (PageToUtf8); otherwise the page as it came.
std::string DatasheetPageText(const PageAnswer& answer, std::string_view document);

// The message that stops a run at a datasheet over 1 MB from the web.
std::string DamagedDatasheetMessage(const Settings& settings, const std::string& pid);

// Empties run.state.LogBlock and harvests the logs of `pid` from the source
// the settings choose: fills LogBlock, or sets NoBenchmark, or sets NoLogs,
// or (no page could be had) shows "Cannot Continue" and clears
// MoreBenchmarks. The archive source reads run.datasheet_archive.
void HarvestLogs(const std::string& pid, Run& run);

// Reads the datasheet archive of the settings, when they name one, for the
// PIDs of run.state.DocumentText into run.datasheet_archive. Call once the
// document is loaded and before anything is written. Throws
// DatasheetArchiveError (a message for the user) for a file that cannot be
// used.
void PrepareLogSource(Run& run);

// False for the archive source: its benchmarks spare no server, so the scan
// does not pause between them.
bool PausesBetweenBenchmarks(const Run& run);

}  // namespace velmora

#endif
