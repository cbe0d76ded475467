// Start-up: only the start window shows; its button opens the main window
// and loads the vocabulary; a key or a click on its frame ends the program.
// Also what the desktop sees at the start: the window platform and the
// message boxes of the real desktop seam.
#include "stuetzen/fensterhilfen.h"
#include "ui/hauptfenster.h"
#include "ui/qtplattform.h"
#include "ui/schriften.h"
#include "version.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QImage>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <memory>

// The program's choice of Qt's window platform, in ui/main.cpp, which this
// test is built with (its main renamed).
namespace olvani {
void waehleFensterplattform();
}

using namespace olvani;

namespace {
const QByteArray zweiVokabeln = "\"zorp\",\"Haus\",\"Heim\",\"@\",\"@\",\"0\"\r\n"
                                "\"-blek\",\"gehen\",\"@\",\"@\",\"@\",\"1\"\r\n";
}

class TestStartfenster : public QObject {
    Q_OBJECT

    std::unique_ptr<Fensterprobe> p;

    frmSplash* start() { return p->fenster.startfenster(); }

private slots:
    void init()
    {
        p = std::make_unique<Fensterprobe>();
        p->fenster.laden();
    }
    void cleanup() { raeumeAuf(p); }

    void nachDemStartNurDasStartfenster()
    {
        QVERIFY(start());
        QVERIFY(start()->isVisible());
        QVERIFY(!p->fenster.isVisible());
        const QLabel* version = steuerelement<QLabel>(start(), "lblVersion");
        QCOMPARE(version->text(), QStringLiteral("Version ") + QLatin1String(versionsnummer));
        // Once on screen, the whole caption shows, its right edge where the
        // layout puts it.
        QVERIFY(QTest::qWaitForWindowExposed(start()));
        QVERIFY(version->width() >= version->fontMetrics().horizontalAdvance(version->text()));
        QCOMPARE(version->geometry().right() + 1, (5970 + 885 + 7) / 15);
        QCOMPARE(start()->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        QCOMPARE(start()->size(), QSize(492, 346));
        QCOMPARE(start()->frameGeometry().center(), start()->screen()->availableGeometry().center());
        // Nothing loaded, so no run: nothing counted yet.
        QVERIFY(!p->fenster.lauf());
    }

    // The button pressed before the start window is on screen builds the
    // main window's controls itself (startWieImProgramm: once it is on screen).
    void hauptfensterVorDemStartfenster()
    {
        p.reset();
        p = std::make_unique<Fensterprobe>(1, frmHauptfenster::Aufbau::NachDemStartfenster);
        p->fenster.laden();
        QVERIFY(!p->fenster.findChild<QLineEdit*>(QStringLiteral("txtDeutsch")));
        startknopfUeber(p->fenster, zweiVokabeln);
        QVERIFY(p->fenster.isVisible());
        QCOMPARE(p->fenster.findChildren<QLineEdit*>().size(), 2);
        QCOMPARE(p->fenster.standardknopf(), steuerelement<QPushButton>(&p->fenster, "cmdStart"));
        QCOMPARE(p->fenster.lauf()->tabelle().Anzahl(), 2);
    }

    void knopfZeigtHauptfensterUndLaedt()
    {
        Vokabelordner ordner(&zweiVokabeln);
        QPointer<frmSplash> splash = start();
        steuerelement<QPushButton>(splash, "Command1")->click();
        QVERIFY(p->fenster.isVisible());
        QCOMPARE(p->fenster.lauf()->tabelle().Anzahl(), 2);
        QCOMPARE(p->fenster.lauf()->tabelle().Wort(2), std::string("-blek"));
        QVERIFY(!splash || !splash->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!splash);
        QCOMPARE(p->fenster.standardknopf(), steuerelement<QPushButton>(&p->fenster, "cmdStart"));
        QVERIFY(p->plattform.meldungen.empty());
        QVERIFY(p->plattform.beendetMit.empty());
    }

    void enterUndLeertasteLaden_data()
    {
        QTest::addColumn<bool>("aufDemKnopf");
        QTest::addColumn<int>("taste");
        QTest::newRow("Enter auf dem Knopf") << true << int(Qt::Key_Return);
        QTest::newRow("Leertaste auf dem Knopf") << true << int(Qt::Key_Space);
        QTest::newRow("Enter auf dem Fenster") << false << int(Qt::Key_Return);
    }

    void enterUndLeertasteLaden()
    {
        QFETCH(bool, aufDemKnopf);
        QFETCH(int, taste);
        Vokabelordner ordner(&zweiVokabeln);
        QWidget* ziel = aufDemKnopf ? steuerelement<QWidget>(start(), "Command1") : start();
        QTest::keyClick(ziel, Qt::Key(taste));
        QCOMPARE(p->fenster.lauf()->tabelle().Anzahl(), 2);
        QVERIFY(p->fenster.isVisible());
        QVERIFY(p->plattform.beendetMit.empty());
    }

    void fehlendeDateiWirdGemeldetUndBeendet()
    {
        Vokabelordner ordner(nullptr);
        bool beideSichtbar = false;
        p->plattform.beiMeldung = [&](const Testplattform::Meldung&) {
            beideSichtbar = p->fenster.isVisible() && start() && start()->isVisible();
        };
        steuerelement<QPushButton>(start(), "Command1")->click();
        QCOMPARE(p->plattform.meldungen.size(), std::size_t(1));
        const QString erwartet = QStringLiteral("Kann die Vokabel-Datei %1%2olvani.txt nicht finden!")
                                     .arg(QDir::toNativeSeparators(QDir::currentPath()), QDir::separator());
        QCOMPARE(QString::fromStdString(p->plattform.meldungen[0].text), erwartet);
        QVERIFY(p->plattform.meldungen[0].symbol == Symbol::Keins);
        QVERIFY(beideSichtbar);
        QCOMPARE(p->plattform.beendetMit, std::vector<int>{0});
        // The program ends first: the start window is not closed.
        QVERIFY(start() && start()->isVisible());
        QVERIFY(!p->fenster.lauf());
    }

    void kaputteDateiIstEinAbbruch()
    {
        const QByteArray abgeschnitten = "\"zorp\",\"Haus\",\"Heim\"\r\n";
        Vokabelordner ordner(&abgeschnitten);
        steuerelement<QPushButton>(start(), "Command1")->click();
        QCOMPARE(p->plattform.meldungen.size(), std::size_t(1));
        QVERIFY(p->plattform.meldungen[0].symbol == Symbol::Kritisch);
        QVERIFY(QString::fromStdString(p->plattform.meldungen[0].text).contains(QStringLiteral("olvani.txt")));
        QCOMPARE(p->plattform.beendetMit, std::vector<int>{1});
    }

    void tasteSchliesstOhneZuLaden_data()
    {
        QTest::addColumn<int>("taste");
        QTest::addColumn<QString>("text");
        QTest::newRow("Buchstabe") << int(Qt::Key_A) << QStringLiteral("a");
        QTest::newRow("Ziffer") << int(Qt::Key_1) << QStringLiteral("1");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b");
    }

    void tasteSchliesstOhneZuLaden()
    {
        QFETCH(int, taste);
        QFETCH(QString, text);
        Vokabelordner ordner(&zweiVokabeln);
        QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, text);
        QApplication::sendEvent(steuerelement<QPushButton>(start(), "Command1"), &druck);
        QVERIFY(!start() || !start()->isVisible());
        QVERIFY(!p->fenster.isVisible());
        QVERIFY(!p->fenster.lauf());
        QCOMPARE(p->plattform.beendetMit, std::vector<int>{0});
    }

    // The start as main.cpp makes it: the start window is drawn, the main
    // window builds its controls once it is on screen, then the learner's
    // mouse acts on the start window. The button loads; a label takes no
    // click; the frame closes the program.
    void startWieImProgramm_data()
    {
        QTest::addColumn<QString>("wo");
        QTest::addColumn<bool>("laedt");
        QTest::addColumn<bool>("schliesst");
        QTest::newRow("Knopf") << "Command1" << true << true;
        QTest::newRow("Beschriftung") << "lblProductName" << false << false;
        QTest::newRow("Rahmen") << "Frame1" << false << true;
    }

    void startWieImProgramm()
    {
        QFETCH(QString, wo);
        QFETCH(bool, laedt);
        QFETCH(bool, schliesst);
        p.reset();
        p = std::make_unique<Fensterprobe>(1, frmHauptfenster::Aufbau::NachDemStartfenster);
        p->fenster.laden();
        QVERIFY(!p->fenster.findChild<QLineEdit*>(QStringLiteral("txtDeutsch")));
        QVERIFY(QTest::qWaitForWindowExposed(start()));
        QCoreApplication::processEvents(); // what the first expose queued
        QVERIFY(p->fenster.findChild<QLineEdit*>(QStringLiteral("txtDeutsch")));
        QVERIFY(!p->fenster.isVisible());
        // Drawn on the screen as the window draws itself.
        const QImage gezeigt = start()->screen()->grabWindow(start()->winId()).toImage();
        QCOMPARE(gezeigt.convertToFormat(QImage::Format_RGB32), start()->grab().toImage().convertToFormat(QImage::Format_RGB32));

        Vokabelordner ordner(&zweiVokabeln);
        auto* ziel = steuerelement<QWidget>(start(), qPrintable(wo));
        const QPoint stelle = wo == "Frame1" ? QPoint(4, 4) : ziel->rect().center();
        QTest::mousePress(ziel, Qt::LeftButton, {}, stelle);
        QTest::mouseRelease(ziel, Qt::LeftButton, {}, stelle);
        QCOMPARE(!start() || !start()->isVisible(), schliesst);
        QCOMPARE(p->fenster.isVisible(), laedt);
        QCOMPARE(p->plattform.beendetMit, schliesst && !laedt ? std::vector<int>{0} : std::vector<int>{});
        QCOMPARE(p->fenster.lauf() ? p->fenster.lauf()->tabelle().Anzahl() : 0, laedt ? 2 : 0);
        QCOMPARE(p->fenster.findChildren<QLineEdit*>().size(), 2); // built once only
        QCOMPARE(p->fenster.standardknopf(), steuerelement<QPushButton>(&p->fenster, "cmdStart"));
    }

    // A click is a left press and release on the frame's free area, as the
    // desktop delivers them; a label or the margin outside the frame takes
    // no click, and a press dragged off the frame is no click either.
    void klickAufDenRahmen_data()
    {
        QTest::addColumn<QString>("wo");      // where the press goes: the frame's corner or a label
        QTest::addColumn<QPoint>("losDa");     // where it is released, from the press
        QTest::addColumn<int>("knopf");
        QTest::addColumn<bool>("schliesst");
        QTest::newRow("Rahmen links") << "Frame1" << QPoint() << int(Qt::LeftButton) << true;
        QTest::newRow("Rahmen rechts") << "Frame1" << QPoint() << int(Qt::RightButton) << false;
        QTest::newRow("vom Rahmen gezogen") << "Frame1" << QPoint(-8, -8) << int(Qt::LeftButton) << false;
        QTest::newRow("Label") << "lblProductName" << QPoint() << int(Qt::LeftButton) << false;
    }

    void klickAufDenRahmen()
    {
        QFETCH(QString, wo);
        QFETCH(QPoint, losDa);
        QFETCH(int, knopf);
        QFETCH(bool, schliesst);
        QVERIFY(QTest::qWaitForWindowExposed(start()));
        auto* ziel = steuerelement<QWidget>(start(), qPrintable(wo));
        const QPoint druck = ziel->mapTo(start(), wo == "Frame1" ? QPoint(4, 4) : ziel->rect().center());
        QWindow* fenster = start()->windowHandle();
        QTest::mousePress(fenster, Qt::MouseButton(knopf), {}, druck);
        QTest::mouseRelease(fenster, Qt::MouseButton(knopf), {}, druck + losDa);
        QCOMPARE(!start() || !start()->isVisible(), schliesst);
        QVERIFY(!p->fenster.isVisible());
        QCOMPARE(p->plattform.beendetMit, schliesst ? std::vector<int>{0} : std::vector<int>{});
    }

    void meldungIstKlartextUeberDemHauptfenster()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows allows no < or > in a folder name");
#endif
        richteSchriftenEin(); // as the program does at its start
        Vokabelordner aussen(nullptr);
        QVERIFY(QDir().mkpath(QStringLiteral("<h1>GROSS</h1>"))); // the folders "<h1>GROSS<" and "h1>"
        QDir::setCurrent(QStringLiteral("<h1>GROSS</h1>"));
        QtPlattform desktop;
        Testzufall zufall;
        frmHauptfenster haupt(desktop, zufall);
        desktop.setzeFenster(&haupt);
        haupt.laden();
        // Copies what the open box shows, then closes it: no box stays open.
        QWidget* eltern = nullptr;
        QLabel gesehen;
        QTimer schliesser;
        connect(&schliesser, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                eltern = box->parentWidget();
                const auto* label = steuerelement<QLabel>(box, "qt_msgbox_label");
                gesehen.setTextFormat(label->textFormat());
                gesehen.setText(label->text());
                gesehen.setFont(label->font());
                box->accept();
            }
        });
        schliesser.start(0);
        steuerelement<QPushButton>(haupt.startfenster(), "Command1")->click();
        QCOMPARE(eltern, &haupt);
        QCOMPARE(gesehen.textFormat(), Qt::PlainText);
        QCOMPARE(gesehen.text(), QStringLiteral("Kann die Vokabel-Datei %1/olvani.txt nicht finden!").arg(QDir::currentPath()));
        QCOMPARE(QFontInfo(gesehen.font()).family(), QStringLiteral("Liberation Sans"));
    }

    void waylandSitzungLaeuftUeberX_data()
    {
        QTest::addColumn<QByteArray>("gewaehlt"); // QT_QPA_PLATFORM as the learner left it
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("erwartet");
        QTest::newRow("mit XWayland") << QByteArray() << QByteArray(":0") << QByteArray("xcb;wayland");
        QTest::newRow("ohne X") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("vom Lerner gewählt") << QByteArray("wayland") << QByteArray(":0") << QByteArray("wayland");
    }

    void waylandSitzungLaeuftUeberX()
    {
        QFETCH(QByteArray, gewaehlt);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, erwartet);
#ifndef Q_OS_LINUX
        QSKIP("Only on Linux does the trainer choose the window platform");
#endif
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        gewaehlt.isEmpty() ? qunsetenv("QT_QPA_PLATFORM") : qputenv("QT_QPA_PLATFORM", gewaehlt);
        display.isEmpty() ? qunsetenv("DISPLAY") : qputenv("DISPLAY", display);
        waehleFensterplattform();
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), erwartet);
    }
};

QTEST_MAIN(TestStartfenster)
#include "tst_startfenster.moc"
