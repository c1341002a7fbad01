// Lets the pending Qt window events run, then yields the processor for a
// moment so that a polling pause costs little processor time. Keeps the
// stop the main window asks for when it closes.
#ifndef VELMORA_APP_QT_EVENT_PUMP_H
#define VELMORA_APP_QT_EVENT_PUMP_H

#include <chrono>

#include "core/edges.h"
#include "core/settings.h"
#include "net/download_page.h"

namespace velmora {

class QtEventPump : public EventPump {
 public:
  explicit QtEventPump(std::chrono::milliseconds yield = std::chrono::milliseconds(2))
      : yield_(yield) {}
  void DoEvents() override;
  // Pending events only, without yielding.
  void Poll() override;
  void AskStop() override { stop_asked_ = true; }
  // Lets the pending events run first (a close among them asks the stop).
  bool StopAsked() override;

 private:
  std::chrono::milliseconds yield_;
  bool stop_asked_ = false;
};

// The downloads of the windows: the settings' time-outs, and abandoned as
// soon as `pump` says the user asked the run to stop. Asking runs the
// window's events about once a second and whenever data moves, so the window
// answers during a download too.
DownloadOptions WindowDownloadOptions(const Settings& settings, EventPump& pump);

}  // namespace velmora

#endif
