#include "app/qt_event_pump.h"

#include <QCoreApplication>
#include <thread>

namespace velmora {

void QtEventPump::DoEvents() {
  QCoreApplication::processEvents();
  if (yield_.count() > 0) std::this_thread::sleep_for(yield_);
}

void QtEventPump::Poll() { QCoreApplication::processEvents(); }

bool QtEventPump::StopAsked() {
  QCoreApplication::processEvents();
  return stop_asked_;
}

DownloadOptions WindowDownloadOptions(const Settings& settings, EventPump& pump) {
  DownloadOptions options = DownloadOptionsFor(settings);
  options.should_abort = [&pump] { return pump.StopAsked(); };
  return options;
}

}  // namespace velmora
