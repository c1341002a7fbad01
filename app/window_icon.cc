#include "app/window_icon.h"

#include <QString>

// The resources live in a static library: register them before first use.
// (The registration macro must stand outside any namespace.)
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace velmora {

QIcon WindowIcon(const char* window_name) {
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(window_name) +
               QStringLiteral(".png"));
}

}  // namespace velmora
