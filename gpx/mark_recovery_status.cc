#include "gpx/mark_recovery_status.h"

#include "gpx/benchmark_search.h"
#include "gpx/document_edits.h"

namespace velmora {
namespace {

// True when a recovery phrase starts after the report at `report` and
// before `end`: the mark was found again later.
bool RecoveredAfter(const std::string& text, Pos report, Pos end) {
  return InStrBefore(report + 1, text, kRecoveredInGoodCondition, end) > 0 ||
         InStrBefore(report + 1, text, kFoundAsDescribed, end) > 0;
}

}  // namespace

void MarkRecoveryStatus(RunState& state) {
  const std::string& text = state.DocumentText;
  const Pos end = state.BenchmarkEnd;
  // Only reports that start inside the range count; none of the phrases can
  // start on the range's end marker, so they end before it too.
  int count = 0;
  Pos report = InStrBefore(state.NameEndPos, text, kMarkNotFound, end);
  while (report != 0) {
    if (count < 3) ++count;
    if (RecoveredAfter(text, report, end)) count = 0;
    report = InStrBefore(report + 1, text, kMarkNotFound, end);
  }
  if (count == 0) return;
  SetRatingCharacter(state.DocumentText, state.NameEndPos, kDifficultyTag,
                     static_cast<char>('0' + count + 2));
}

}  // namespace velmora
