// Start-up: only the start window shows; its button opens the main window
// and loads the vocabulary; a key or a click on its frame ends the program.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
#include "ui/hauptfenster.h"
#include "version.h"

#include <QLabel>
#include <QPushButton>

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
        fenster = std::make_unique<frmHauptfenster>(*plattform);
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
        QCOMPARE(start()->lblVersion->text(), QStringLiteral("Version ") + QLatin1String(versionsnummer));
        // The whole caption shows, its right edge where the layout puts it.
        const QLabel* version = start()->lblVersion;
        QVERIFY(version->width() >= version->fontMetrics().horizontalAdvance(version->text()));
        QCOMPARE(version->geometry().right() + 1, (5970 + 885 + 7) / 15);
        QCOMPARE(start()->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        QCOMPARE(start()->size(), QSize(492, 346));
        QCOMPARE(fenster->tabelle().Anzahl(), 0);
        QCOMPARE(int(fenster->tabelle().Erfolge), 0);
        QCOMPARE(int(fenster->tabelle().Fehler), 0);
    }

    void knopfZeigtHauptfensterUndLaedt()
    {
        Vokabelordner ordner(&zweiVokabeln);
        QPointer<frmSplash> splash = start();
        splash->Command1->click();
        QVERIFY(fenster->isVisible());
        QCOMPARE(fenster->tabelle().Anzahl(), 2);
        QCOMPARE(fenster->tabelle().Wort(2), std::string("-blek"));
        QVERIFY(!splash || !splash->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!splash);
        QCOMPARE(fenster->standardknopf(), fenster->cmdStart);
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
        QWidget* ziel = aufDemKnopf ? static_cast<QWidget*>(start()->Command1) : start();
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
        start()->Command1->click();
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        const QString erwartet = QStringLiteral("Kann die Vokabel-Datei %1/olvani.txt nicht finden!")
                                     .arg(QDir::current().absolutePath());
        QCOMPARE(QString::fromStdString(plattform->meldungen[0].text), erwartet);
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Keins);
        QVERIFY(beideSichtbar);
        QCOMPARE(plattform->beendetMit, std::vector<int>{0});
        QCOMPARE(fenster->tabelle().Anzahl(), 0);
    }

    void kaputteDateiIstEinFatalerFehler()
    {
        const QByteArray abgeschnitten = "\"zorp\",\"Haus\",\"Heim\"\r\n";
        Vokabelordner ordner(&abgeschnitten);
        start()->Command1->click();
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Fehler);
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
        QApplication::sendEvent(start()->Command1, &druck);
        QVERIFY(!start() || !start()->isVisible());
        QVERIFY(!fenster->isVisible());
        QCOMPARE(fenster->tabelle().Anzahl(), 0);
        QCOMPARE(plattform->beendetMit, std::vector<int>{0});
    }

    void klickAufDenRahmenSchliesst()
    {
        auto* rahmen = start()->findChild<QFrame*>(QStringLiteral("Frame1"));
        QVERIFY(rahmen);
        QTest::mouseClick(rahmen, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!start() || !start()->isVisible());
        QVERIFY(!fenster->isVisible());
        QCOMPARE(plattform->beendetMit, std::vector<int>{0});
    }

    void klickAufEinLabelTutNichts()
    {
        auto* titel = start()->findChild<QLabel*>(QStringLiteral("lblProductName"));
        QVERIFY(titel);
        QTest::mouseClick(titel, Qt::LeftButton, {}, titel->rect().center());
        QVERIFY(start() && start()->isVisible());
        QVERIFY(plattform->beendetMit.empty());
    }
};

QTEST_MAIN(TestStartfenster)
#include "tst_startfenster.moc"
