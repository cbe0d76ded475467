#include "fensterplattform.h"
#include "hauptfenster.h"
#include "qtplattform.h"
#include "schriften.h"
#include "vorlesen.h"

#include <QApplication>
#include <QTime>

#include <random>

int main(int argc, char* argv[])
{
    olvani::waehleFensterplattform();
    olvani::vorlesen::schweigeBruecke();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("de.olvani.trainer"));
    olvani::richteSchriftenEin();
    olvani::QtPlattform plattform;
    olvani::Zufallsgenerator zufall(static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay())
                                    ^ std::random_device{}());
    olvani::frmHauptfenster hauptfenster(plattform, zufall, olvani::frmHauptfenster::Aufbau::NachDemStartfenster);
    plattform.setzeFenster(&hauptfenster);
    hauptfenster.laden();
    return app.exec();
}
