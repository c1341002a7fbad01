// Reads the visitor logs of one benchmark out of the agency's datasheet: the
// history table (one row per visit: date, condition, reporting agency) and
// the description and recovery blocks (what the visitors wrote), paired and
// written as groundspeak:log elements.
#ifndef VELMORA_DATASHEET_DATASHEET_READER_H
#define VELMORA_DATASHEET_DATASHEET_READER_H

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class DatasheetOutcome {
  kNoDatasheet,  // no line of the PID: the no-benchmark outcome
  kNoLogs,       // a datasheet without history rows or blocks: the no-logs outcome
  kLogs,         // LogBlock holds the logs
  kDamaged,      // the PID's datasheet is over 1 MB: damaged, nothing read
};

// Empties LogBlock, reads the datasheet of `pid` out of a served page or an
// archive's text (see DatasheetLines) and appends its logs to LogBlock,
// newest first, with ids from 0000001 up.
DatasheetOutcome HarvestDatasheet(std::string_view text, std::string_view pid,
                                  std::string& LogBlock);

// The same, for text already split into lines by DatasheetLines (or read
// from a datasheet file). Only the first datasheet of the PID counts when the
// lines hold more than one.
DatasheetOutcome HarvestDatasheetLines(const std::vector<std::string>& lines,
                                       std::string_view pid, std::string& LogBlock);

// True when `text` (a served page) is the agency's answer for `pid`: it holds
// the PID's datasheet lines, or the retrieval program's own words
// ("Datasheet Retrieval" or "retrieval complete", in any letter case), or the
// PID as a word of its own. Any other page is some other site's.
bool IsAgencyAnswerFor(std::string_view text, std::string_view pid);

// The lines of the first datasheet of `pid` in `lines`.
std::vector<std::string_view> FirstDatasheetOf(const std::vector<std::string>& lines,
                                               std::string_view pid);

}  // namespace velmora

#endif
