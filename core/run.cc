#include "core/run.h"

namespace velmora {

void FinishRun(Run& run, const ErrorLogWriter& append_error_log) {
  if (!run.state.RunFinished) return;
  append_error_log("");
  run.edges.messages.Show(Message{kFinishedText, "", MessageIcon::kNone});
}

}  // namespace velmora
