// Lets the pending Qt window events run, then yields the processor for a
// moment so that a polling pause costs little processor time.
#ifndef VELMORA_APP_QT_EVENT_PUMP_H
#define VELMORA_APP_QT_EVENT_PUMP_H

#include <chrono>

#include "core/edges.h"

namespace velmora {

class QtEventPump : public EventPump {
 public:
  explicit QtEventPump(std::chrono::milliseconds yield = std::chrono::milliseconds(2))
      : yield_(yield) {}
  void DoEvents() override;
  // Pending events only, without yielding.
  void Poll() override;

 private:
  std::chrono::milliseconds yield_;
};

}  // namespace velmora

#endif
