// Start-up: only the start window shows; its button opens the main window
// and loads the vocabulary; a key or a click on its frame ends the program.
// Also what the desktop sees at the start: the window platform and the
// message boxes of the real desktop seam.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
#include "ui/fensterplattform.h"
#include "ui/hauptfenster.h"
#include "ui/qtplattform.h"
#include "ui/schriften.h"
#include "version.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <memory>

using namespace olvani;

namespace {
const QByteArray zweiVokabeln = "\"zorp\",\"Haus\",\"Heim\",\"@\",\"@\",\"0\"\r\n"
                                "\"-blek\",\"gehen\",\"@\",\"@\",\"@\",\"1\"\r\n";
}

class TestStartfenster : public QObject {
    Q_OBJECT

    std::unique_ptr<Testplattform> plattform;
    std::unique_ptr<frmHauptfenster> fenster;

    frmSplash* start() { return fenster->startfenster(); }

private slots:
    void init()
    {
        plattform = std::make_unique<Testplattform>();
        fenster = std::make_unique<frmHauptfenster>(*plattform, *plattform);
        fenster->laden();
    }

    void cleanup()
    {
        fenster.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(sichtbareFenster(), 0);
    }

    void nachDemStartNurDasStartfenster()
    {
        QVERIFY(start());
        QVERIFY(start()->isVisible());
        QVERIFY(!fenster->isVisible());
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
        QCOMPARE(fenster->tabelle().Anzahl(), 0);
        QCOMPARE(fenster->lauf().Erfolge(), 0);
        QCOMPARE(fenster->lauf().Fehler(), 0);
    }

    // The program builds the main window's controls only once the start
    // window is on screen, or when the button is pressed before that.
    void hauptfensterNachDemStartfenster_data()
    {
        QTest::addColumn<bool>("erstGezeigt");
        QTest::newRow("Startfenster gezeigt, dann Knopf") << true;
        QTest::newRow("Knopf sofort") << false;
    }

    void hauptfensterNachDemStartfenster()
    {
        QFETCH(bool, erstGezeigt);
        fenster.reset();
        fenster = std::make_unique<frmHauptfenster>(*plattform, *plattform, frmHauptfenster::Aufbau::NachDemStartfenster);
        fenster->laden();
        QVERIFY(!fenster->findChild<QLineEdit*>(QStringLiteral("txtDeutsch")));
        if (erstGezeigt) {
            QVERIFY(QTest::qWaitForWindowExposed(start()));
            QCoreApplication::processEvents();
            QVERIFY(fenster->findChild<QLineEdit*>(QStringLiteral("txtDeutsch")));
            QVERIFY(!fenster->isVisible());
        }
        startknopfUeber(*fenster, zweiVokabeln);
        QVERIFY(fenster->isVisible());
        QCOMPARE(fenster->findChildren<QLineEdit*>().size(), 2);
        QCOMPARE(fenster->standardknopf(), steuerelement<QPushButton>(fenster.get(), "cmdStart"));
        QCOMPARE(fenster->tabelle().Anzahl(), 2);
    }

    void knopfZeigtHauptfensterUndLaedt()
    {
        Vokabelordner ordner(&zweiVokabeln);
        QPointer<frmSplash> splash = start();
        steuerelement<QPushButton>(splash, "Command1")->click();
        QVERIFY(fenster->isVisible());
        QCOMPARE(fenster->tabelle().Anzahl(), 2);
        QCOMPARE(fenster->tabelle().Wort(2), std::string("-blek"));
        QVERIFY(!splash || !splash->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!splash);
        QCOMPARE(fenster->standardknopf(), steuerelement<QPushButton>(fenster.get(), "cmdStart"));
        QVERIFY(plattform->meldungen.empty());
        QVERIFY(plattform->beendetMit.empty());
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
        QCOMPARE(fenster->tabelle().Anzahl(), 2);
        QVERIFY(fenster->isVisible());
        QVERIFY(plattform->beendetMit.empty());
    }

    void fehlendeDateiWirdGemeldetUndBeendet()
    {
        Vokabelordner ordner(nullptr);
        bool beideSichtbar = false;
        plattform->beiMeldung = [&](const Testplattform::Meldung&) {
            beideSichtbar = fenster->isVisible() && start() && start()->isVisible();
        };
        steuerelement<QPushButton>(start(), "Command1")->click();
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        const QString erwartet = QStringLiteral("Kann die Vokabel-Datei %1%2olvani.txt nicht finden!")
                                     .arg(QDir::toNativeSeparators(QDir::currentPath()), QDir::separator());
        QCOMPARE(QString::fromStdString(plattform->meldungen[0].text), erwartet);
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Keins);
        QVERIFY(beideSichtbar);
        QCOMPARE(plattform->beendetMit, std::vector<int>{0});
        QCOMPARE(fenster->tabelle().Anzahl(), 0);
    }

    void kaputteDateiIstEinAbbruch()
    {
        const QByteArray abgeschnitten = "\"zorp\",\"Haus\",\"Heim\"\r\n";
        Vokabelordner ordner(&abgeschnitten);
        steuerelement<QPushButton>(start(), "Command1")->click();
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Kritisch);
        QVERIFY(QString::fromStdString(plattform->meldungen[0].text).contains(QStringLiteral("olvani.txt")));
        QCOMPARE(plattform->beendetMit, std::vector<int>{1});
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
        QVERIFY(!fenster->isVisible());
        QCOMPARE(fenster->tabelle().Anzahl(), 0);
        QCOMPARE(plattform->beendetMit, std::vector<int>{0});
    }

    void klickAufDenRahmenSchliesst()
    {
        auto* rahmen = steuerelement<QFrame>(start(), "Frame1");
        QTest::mouseClick(rahmen, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!start() || !start()->isVisible());
        QVERIFY(!fenster->isVisible());
        QCOMPARE(plattform->beendetMit, std::vector<int>{0});
    }

    void klickAufEinLabelTutNichts()
    {
        auto* titel = steuerelement<QLabel>(start(), "lblProductName");
        QTest::mouseClick(titel, Qt::LeftButton, {}, titel->rect().center());
        QVERIFY(start() && start()->isVisible());
        QVERIFY(plattform->beendetMit.empty());
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
        frmHauptfenster haupt(desktop, desktop);
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
