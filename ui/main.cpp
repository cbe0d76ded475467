#include "hauptfenster.h"
#include "qtplattform.h"
#include "schriften.h"
#include "vorlesen.h"

#include <QApplication>
#include <QByteArray>
#include <QTime>
#include <QtGlobal>

#include <random>

namespace olvani {

// Chooses Qt's window platform; call it before the QApplication exists.
// The trainer places its own windows and must end when they end, which a
// Wayland client cannot rely on. So in a Wayland session that offers an X
// display (XWayland) it runs through X, with Wayland as the fallback, unless
// the learner chose a platform in QT_QPA_PLATFORM. Elsewhere (Windows, where
// Wine even passes WAYLAND_DISPLAY on) Qt's own platform stands.
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

int main(int argc, char* argv[])
{
    olvani::waehleFensterplattform();
    olvani::vorlesen::schweigeBruecke();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("de.olvani.trainer"));
    olvani::richteSchriftenEin();
    olvani::QtPlattform plattform;
    // Seeded once per run, from the clock and the system's entropy.
    olvani::Zufallsgenerator zufall(static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay())
                                    ^ std::random_device{}());
    olvani::frmHauptfenster hauptfenster(plattform, zufall, olvani::frmHauptfenster::Aufbau::NachDemStartfenster);
    plattform.setzeFenster(&hauptfenster);
    hauptfenster.laden();
    return app.exec();
}
