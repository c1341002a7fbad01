#include "cli/stop_signal.h"

#include <csignal>

#include "core/exit_status.h"
#include "core/run.h"

namespace velmora {
namespace {

volatile std::sig_atomic_t stop_signal = 0;

extern "C" void NoteStopSignal(int signal) { stop_signal = signal; }

}  // namespace

void InstallStopHandlers() {
#ifdef _WIN32
  std::signal(SIGINT, NoteStopSignal);
  std::signal(SIGTERM, NoteStopSignal);
#else
  struct sigaction action {};
  action.sa_handler = NoteStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocked wait returns at once
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
#endif
}

int StopSignal() { return stop_signal; }

void RequestStop(int signal) { stop_signal = signal; }

void ClearStopRequest() { stop_signal = 0; }

std::string StopReason(int signal) { return signal == SIGTERM ? "terminated" : "interrupted"; }

void ThrowIfStopRequested() {
  const int signal = stop_signal;
  if (signal != 0) throw RunStopped{StopReason(signal)};
}

int StopExitStatus(int signal) { return signal == SIGTERM ? kExitTerminated : kExitInterrupted; }

}  // namespace velmora
