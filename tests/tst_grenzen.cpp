// The limits of the table: more than 10000 entries and a 16-bit counter
// leaving its range end in the one fatal error path (a message with the error
// symbol, then the end with status 1), never in a wrapped counter. The run
// checks every counter (tst_durchlauf); here the window takes the way there
// that a learner can go. And the vocabulary file is closed again whatever it
// holds.
#include "stuetzen/fensterhilfen.h"
#include "ui/hauptfenster.h"
#include "vocab/abbruch.h"
#include "vocab/vokabeldatei.h"

#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace olvani;

namespace {

// Three entries, so that no question ends a round (no other message).
const QByteArray dreiVokabeln = "\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n"
                                "\"blek\",\"Baum\",\"@\",\"@\",\"@\",\"0\"\r\n"
                                "\"murn\",\"Tisch\",\"@\",\"@\",\"@\",\"0\"\r\n";

QByteArray datensaetze(int anzahl)
{
    QByteArray inhalt;
    inhalt.reserve(anzahl * 40);
    for (int i = 1; i <= anzahl; ++i)
        inhalt += "\"wort" + QByteArray::number(i) + "\",\"Haus\",\"@\",\"@\",\"@\",\"0\"\r\n";
    return inhalt;
}

int offeneDateien()
{
#ifdef Q_OS_WIN
    DWORD anzahl = 0; // every open handle, files among them
    GetProcessHandleCount(GetCurrentProcess(), &anzahl);
    return static_cast<int>(anzahl);
#else
    int anzahl = 0;
    for ([[maybe_unused]] const auto& eintrag : std::filesystem::directory_iterator("/proc/self/fd"))
        ++anzahl;
    return anzahl;
#endif
}

} // namespace

class TestGrenzen : public QObject {
    Q_OBJECT

    std::unique_ptr<Fensterprobe> p;

    void erwarteFatalenFehler(const char* imText)
    {
        const auto& meldungen = p->plattform.meldungen;
        QCOMPARE(meldungen.size(), std::size_t(1));
        QVERIFY(meldungen[0].symbol == Symbol::Kritisch);
        QVERIFY2(meldungen[0].text.find(imText) != std::string::npos, meldungen[0].text.c_str());
        QCOMPARE(p->plattform.beendetMit, std::vector<int>{1});
    }

private slots:
    void init()
    {
        p = std::make_unique<Fensterprobe>(3);
        p->fenster.laden();
    }
    void cleanup() { raeumeAuf(p); }

    void kapazitaet_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::newRow("10000 passen") << 10000;
        QTest::newRow("10001 sind zu viel") << 10001;
    }

    void kapazitaet()
    {
        QFETCH(int, anzahl);
        startknopfUeber(p->fenster, datensaetze(anzahl));
        if (anzahl <= Kapazitaet) {
            QVERIFY(p->plattform.meldungen.empty() && p->plattform.beendetMit.empty());
            QCOMPARE(p->fenster.lauf()->tabelle().Anzahl(), anzahl);
            return;
        }
        erwarteFatalenFehler("10000");
        // Nothing of the file is kept.
        QVERIFY(!p->fenster.lauf());
    }

    // "Doch Richtig!" needs no answer, so it is the one counter a learner can
    // take to its limit in a test's time: Fehler reaches -32768 as Erfolge
    // reaches 32768, one past the top.
    void dochRichtigBisZumUeberlauf()
    {
        startknopfUeber(p->fenster, dreiVokabeln);
        p->cmdStart()->click();
        QPushButton* cmdRichtig2 = p->cmdRichtig2();
        for (int mal = 1; mal < 32768; ++mal)
            cmdRichtig2->click();
        QVERIFY(p->plattform.meldungen.empty() && p->plattform.beendetMit.empty());
        QVERIFY(p->lblInfo2()->text().startsWith(QStringLiteral("Versuche: 0 / Erfolge: 32767 (0%) / Fehler: -32767 ")));
        p->cmdRichtig2()->click();
        erwarteFatalenFehler("Zählerüberlauf");
        QCOMPARE(p->fenster.lauf()->Erfolge(), 32767);
        QCOMPARE(p->fenster.lauf()->Fehler(), -32768);
    }

    void dateiWirdGeschlossen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<bool>("alsVerzeichnis");
        QTest::addColumn<bool>("fehler");
        QTest::newRow("gut") << QByteArray("\"zorp\",\"Haus\",\"@\",\"@\",\"@\",\"1\"\r\n") << false << false;
        QTest::newRow("abgeschnitten") << QByteArray("\"zorp\",\"Haus\",\"@\"") << false << true;
        QTest::newRow("leer") << QByteArray() << false << true;
        QTest::newRow("10001 Datensaetze") << datensaetze(10001) << false << true;
        QTest::newRow("Verzeichnis olvani.txt") << QByteArray() << true << true;
    }

    void dateiWirdGeschlossen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(bool, alsVerzeichnis);
        QFETCH(bool, fehler);
        Vokabelordner ordner(alsVerzeichnis ? nullptr : &inhalt);
        if (alsVerzeichnis)
            QVERIFY(QDir(ordner.pfad()).mkdir(QStringLiteral("olvani.txt")));
        const std::string pfad = (ordner.pfad() + QStringLiteral("/olvani.txt")).toStdString();

        const int vorher = offeneDateien();
        bool geworfen = false;
        try {
            ladeVokabeldatei(pfad);
        } catch (const Abbruch&) {
            geworfen = true;
        }
        QCOMPARE(geworfen, fehler);
        QCOMPARE(offeneDateien(), vorher);
    }
};

QTEST_MAIN(TestGrenzen)
#include "tst_grenzen.moc"
