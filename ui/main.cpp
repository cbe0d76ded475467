#include "fensterplattform.h"
#include "hauptfenster.h"
#include "qtplattform.h"
#include "schriften.h"
#include "vorlesen.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    olvani::waehleFensterplattform();
    olvani::vorlesen::schweigeBruecke();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("de.olvani.trainer"));
    olvani::richteSchriftenEin();
    olvani::QtPlattform plattform;
    olvani::frmHauptfenster hauptfenster(plattform, plattform, olvani::frmHauptfenster::Aufbau::NachDemStartfenster);
    plattform.setzeFenster(&hauptfenster);
    hauptfenster.laden();
    return app.exec();
}
