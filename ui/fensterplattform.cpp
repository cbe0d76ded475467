#include "fensterplattform.h"

#include <QByteArray>
#include <QtGlobal>

namespace olvani {

void waehleFensterplattform()
{
#ifdef Q_OS_LINUX
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                         || qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
    // Without an X display Qt's own choice stands: trying X first would only
    // print a warning before falling back.
    if (wayland && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
#endif
}

} // namespace olvani
