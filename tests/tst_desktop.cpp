// What the desktop sees of the trainer: windows centred frame and all,
// message boxes over the main window in plain text and the windows' font,
// and the window platform chosen in a Wayland session.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
#include "ui/fensterplattform.h"
#include "ui/hauptfenster.h"
#include "ui/qtplattform.h"
#include "ui/schriften.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

using namespace olvani;

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { richteSchriftenEin(); } // as at the program's start

    void fensterSindZentriert_data()
    {
        QTest::addColumn<bool>("hauptfenster");
        QTest::newRow("Startfenster") << false;
        QTest::newRow("Hauptfenster") << true;
    }

    void fensterSindZentriert()
    {
        QFETCH(bool, hauptfenster);
        Testplattform plattform;
        frmHauptfenster haupt(plattform);
        haupt.laden();
        QWidget* fenster = hauptfenster ? static_cast<QWidget*>(&haupt) : haupt.startfenster();
        fenster->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenster));
        const QPoint abstand = fenster->frameGeometry().center() - fenster->screen()->availableGeometry().center();
        QVERIFY2(abstand.manhattanLength() <= 1, qPrintable(QStringLiteral("%1, %2").arg(abstand.x()).arg(abstand.y())));
    }

    void meldungenSindKlartextUeberDemHauptfenster_data()
    {
        QTest::addColumn<QByteArray>("datei"); // empty: no olvani.txt
        QTest::addColumn<QString>("erwartet");
        QTest::addColumn<int>("status");
        QTest::newRow("fehlende Datei") << QByteArray() << QStringLiteral("Kann die Vokabel-Datei %1/olvani.txt nicht finden!")
                                        << 0;
        QTest::newRow("kaputte Datei") << QByteArray("<i>a</i>,b\r\n") << QStringLiteral("Die Vokabel-Datei %1/olvani.txt ist")
                                       << 1;
    }

    void meldungenSindKlartextUeberDemHauptfenster()
    {
        QFETCH(QByteArray, datei);
        QFETCH(QString, erwartet);
        QFETCH(int, status);
        Vokabelordner aussen(nullptr);
        QVERIFY(QDir().mkpath(QStringLiteral("<h1>GROSS</h1>"))); // two folders: "<h1>GROSS<", "h1>"
        QDir::setCurrent(QStringLiteral("<h1>GROSS</h1>"));
        const QString ordner = QDir::currentPath();
        if (!datei.isEmpty()) {
            QFile f(QStringLiteral("olvani.txt"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(datei) == datei.size());
        }
        QtPlattform plattform;
        frmHauptfenster haupt(plattform);
        plattform.setzeFenster(&haupt);
        haupt.laden();

        // Looks at the box while it is open and closes it; no box stays open.
        int boxen = 0;
        QWidget* eltern = nullptr;
        Qt::TextFormat format = Qt::AutoText;
        QString titel, text, schrift;
        QTimer schliesser;
        connect(&schliesser, &QTimer::timeout, [&] {
            if (auto* offen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxen;
                eltern = offen->parentWidget();
                titel = offen->windowTitle();
                if (auto* label = offen->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                    format = label->textFormat();
                    text = label->text();
                    schrift = QFontInfo(label->font()).family();
                }
                offen->accept();
            }
        });
        schliesser.start(0);
        // The click runs in the event loop, as in the program, which the
        // message ends with its status.
        QTimer::singleShot(0, [&] {
            haupt.startfenster()->Command1->click();
            if (sichtbareFenster() > 0)
                QCoreApplication::exit(-1); // not ended: the test must not hang
        });
        QCOMPARE(QCoreApplication::exec(), status);
        schliesser.stop();
        QCOMPARE(boxen, 1);
        QCOMPARE(eltern, &haupt);
        QCOMPARE(titel, QStringLiteral("Olvani"));
        QCOMPARE(format, Qt::PlainText);
        QVERIFY2(text.startsWith(erwartet.arg(ordner)), qPrintable(text));
        QCOMPARE(schrift, QStringLiteral("Liberation Sans"));
    }

    void waylandSitzungLaeuftUeberX_data()
    {
        QTest::addColumn<QByteArrayList>("umgebung"); // QT_QPA_PLATFORM, WAYLAND_DISPLAY, XDG_SESSION_TYPE, DISPLAY
        QTest::addColumn<QByteArray>("erwartet");
        QTest::newRow("X11") << QByteArrayList{"", "", "x11", ":0"} << QByteArray();
        QTest::newRow("Wayland mit XWayland") << QByteArrayList{"", "wayland-0", "", ":0"} << QByteArray("xcb;wayland");
        QTest::newRow("Wayland nur als Sitzungstyp") << QByteArrayList{"", "", "wayland", ":1"} << QByteArray("xcb;wayland");
        QTest::newRow("Wayland ohne X") << QByteArrayList{"", "wayland-0", "wayland", ""} << QByteArray();
        QTest::newRow("vom Lerner gewählt") << QByteArrayList{"wayland", "wayland-0", "wayland", ":0"} << QByteArray("wayland");
    }

    void waylandSitzungLaeuftUeberX()
    {
        QFETCH(QByteArrayList, umgebung);
        QFETCH(QByteArray, erwartet);
        const char* namen[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"};
        QByteArrayList vorher;
        for (int i = 0; i < 4; ++i) {
            vorher << qgetenv(namen[i]);
            umgebung[i].isEmpty() ? qunsetenv(namen[i]) : qputenv(namen[i], umgebung[i]);
        }
        waehleFensterplattform();
        const QByteArray gewaehlt = qgetenv("QT_QPA_PLATFORM");
        for (int i = 0; i < 4; ++i)
            vorher[i].isEmpty() ? qunsetenv(namen[i]) : qputenv(namen[i], vorher[i]);
        QCOMPARE(gewaehlt, erwartet);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
