// The windows' own 32 x 32 icons, shipped as Qt resources.
#ifndef VELMORA_APP_WINDOW_ICON_H
#define VELMORA_APP_WINDOW_ICON_H

#include <QIcon>

namespace velmora {

// The icon of the window with this object name ("frmQuilletMain", "frmGetGPX").
QIcon WindowIcon(const char* window_name);

}  // namespace velmora

#endif
