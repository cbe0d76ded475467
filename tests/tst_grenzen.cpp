// The limits of the table: more than 10000 entries and a 16-bit counter
// leaving its range end in the one fatal error path (a message with the error
// symbol, then the end with status 1), never in a wrapped counter. And the
// vocabulary file is closed again whatever it holds.
#include "stuetzen/fensterhilfen.h"
#include "stuetzen/testplattform.h"
#include "ui/hauptfenster.h"
#include "vocab/fehler.h"
#include "vocab/vokabeldatei.h"

#include <QLabel>
#include <QLineEdit>
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

    std::unique_ptr<Testplattform> plattform;
    std::unique_ptr<frmHauptfenster> f;
    QLineEdit* txtDeutsch = nullptr;
    QLineEdit* txtOlvani = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdRichtig1 = nullptr;
    QPushButton* cmdRichtig2 = nullptr;
    QLabel* lblInfo2 = nullptr;

    // Asks a question and types a right or wrong answer; returns the entry.
    int frageUndAntworte(bool richtig)
    {
        cmdStart->click();
        const int n = f->lauf().Nummer;
        QLineEdit* antwort = txtDeutsch->isEnabled() ? txtDeutsch : txtOlvani;
        const std::string& loesung = antwort == txtDeutsch ? f->tabelle().Bedeutung(n, 1) : f->tabelle().Wort(n);
        antwort->setText(richtig ? QString::fromStdString(loesung) : QStringLiteral("falsch"));
        return n;
    }

    void erwarteFatalenFehler(const char* imText)
    {
        QCOMPARE(plattform->meldungen.size(), std::size_t(1));
        QVERIFY(plattform->meldungen[0].symbol == Symbol::Fehler);
        QVERIFY2(plattform->meldungen[0].text.find(imText) != std::string::npos, plattform->meldungen[0].text.c_str());
        QCOMPARE(plattform->beendetMit, std::vector<int>{1});
    }

private slots:
    void init()
    {
        plattform = std::make_unique<Testplattform>(3);
        f = std::make_unique<frmHauptfenster>(*plattform, *plattform);
        f->laden();
        txtDeutsch = steuerelement<QLineEdit>(f.get(), "txtDeutsch");
        txtOlvani = steuerelement<QLineEdit>(f.get(), "txtOlvani");
        cmdStart = steuerelement<QPushButton>(f.get(), "cmdStart");
        cmdRichtig1 = steuerelement<QPushButton>(f.get(), "cmdRichtig1");
        cmdRichtig2 = steuerelement<QPushButton>(f.get(), "cmdRichtig2");
        lblInfo2 = steuerelement<QLabel>(f.get(), "lblInfo2");
    }

    void cleanup()
    {
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(sichtbareFenster(), 0);
    }

    void kapazitaet_data()
    {
        QTest::addColumn<int>("anzahl");
        QTest::newRow("10000 passen") << 10000;
        QTest::newRow("10001 sind zu viel") << 10001;
    }

    void kapazitaet()
    {
        QFETCH(int, anzahl);
        startknopfUeber(*f, datensaetze(anzahl));
        if (anzahl <= Kapazitaet) {
            QVERIFY(plattform->meldungen.empty() && plattform->beendetMit.empty());
            QCOMPARE(f->tabelle().Anzahl(), anzahl);
            return;
        }
        erwarteFatalenFehler("10000");
        // Nothing of the file is kept.
        QCOMPARE(f->tabelle().Anzahl(), 0);
    }

    void zaehlerBeimPruefen_data()
    {
        QTest::addColumn<QString>("zaehler");
        QTest::addColumn<int>("vorher");
        QTest::addColumn<bool>("richtig");
        QTest::addColumn<bool>("ueberlauf");
        QTest::addColumn<int>("nachher"); // an overflowing counter keeps its value

        QTest::newRow("RichtigZaehler 32766") << "RichtigZaehler" << 32766 << true << false << 32767;
        QTest::newRow("RichtigZaehler 32767") << "RichtigZaehler" << 32767 << true << true << 32767;
        QTest::newRow("FalschZaehler 32767") << "FalschZaehler" << 32767 << false << true << 32767;
        QTest::newRow("Erfolge 32766") << "Erfolge" << 32766 << true << false << 32767;
        QTest::newRow("Erfolge 32767") << "Erfolge" << 32767 << true << true << 32767;
        QTest::newRow("Fehler 32767") << "Fehler" << 32767 << false << true << 32767;
        // The sum of both is a 16-bit count, too; the answer itself is counted
        // before the sum is formed.
        QTest::newRow("Versuche 32766") << "Versuche" << 32766 << false << false << 32767;
        QTest::newRow("Versuche 32767") << "Versuche" << 32767 << true << true << 32768;
    }

    // "Richtig?" counts for the entry and for the run.
    void zaehlerBeimPruefen()
    {
        QFETCH(QString, zaehler);
        QFETCH(int, vorher);
        QFETCH(bool, richtig);
        QFETCH(bool, ueberlauf);
        QFETCH(int, nachher);
        startknopfUeber(*f, dreiVokabeln);
        QCOMPARE(f->tabelle().Anzahl(), 3);
        const int n = frageUndAntworte(richtig);

        const Vokabeltabelle& t = f->tabelle();
        const Durchlauf& lauf = f->lauf();
        if (zaehler == "RichtigZaehler") {
            Zaehlerstand::zaehleEintrag(*f, n, vorher, 0);
        } else if (zaehler == "FalschZaehler") {
            Zaehlerstand::zaehleEintrag(*f, n, 0, vorher);
        } else if (zaehler == "Erfolge") {
            Zaehlerstand::setzeLauf(*f, vorher, int(lauf.Fehler));
        } else if (zaehler == "Fehler") {
            Zaehlerstand::setzeLauf(*f, int(lauf.Erfolge), vorher);
        } else {
            Zaehlerstand::setzeLauf(*f, 16000, vorher - 16000);
        }
        const auto wert = [&] {
            if (zaehler == "RichtigZaehler")
                return t.RichtigZaehler(n);
            if (zaehler == "FalschZaehler")
                return t.FalschZaehler(n);
            if (zaehler == "Erfolge")
                return int(lauf.Erfolge);
            if (zaehler == "Fehler")
                return int(lauf.Fehler);
            return int(lauf.Erfolge) + int(lauf.Fehler);
        };

        cmdRichtig1->click();
        if (ueberlauf) {
            erwarteFatalenFehler("32767");
        } else {
            QVERIFY(plattform->meldungen.empty() && plattform->beendetMit.empty());
            QVERIFY(lblInfo2->text().startsWith(QStringLiteral("Versuche: %1").arg(int(lauf.Erfolge) + int(lauf.Fehler))));
        }
        QCOMPARE(wert(), nachher);
    }

    void dochRichtig_data()
    {
        QTest::addColumn<int>("fehler");
        QTest::addColumn<int>("erfolge");
        QTest::addColumn<bool>("ueberlauf");
        QTest::addColumn<int>("fehlerDanach");
        QTest::addColumn<int>("erfolgeDanach");
        QTest::newRow("Fehler -32767") << -32767 << 0 << false << -32768 << 1;
        QTest::newRow("Fehler -32768") << -32768 << 0 << true << -32768 << 0;
        // Fehler is lowered first, then Erfolge overflows.
        QTest::newRow("Erfolge 32767") << 0 << 32767 << true << -1 << 32767;
    }

    // "Doch Richtig!" moves one answer from Fehler to Erfolge, as often as
    // the learner likes: Fehler may go below zero, but not below -32768.
    void dochRichtig()
    {
        QFETCH(int, fehler);
        QFETCH(int, erfolge);
        QFETCH(bool, ueberlauf);
        QFETCH(int, fehlerDanach);
        QFETCH(int, erfolgeDanach);
        startknopfUeber(*f, dreiVokabeln);
        frageUndAntworte(false);
        cmdRichtig1->click();
        QVERIFY(plattform->beendetMit.empty());
        Zaehlerstand::setzeLauf(*f, erfolge, fehler);
        cmdRichtig2->click();
        if (ueberlauf)
            erwarteFatalenFehler("-32768");
        else
            QVERIFY(plattform->meldungen.empty() && plattform->beendetMit.empty());
        QCOMPARE(int(f->lauf().Fehler), fehlerDanach);
        QCOMPARE(int(f->lauf().Erfolge), erfolgeDanach);
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
        } catch (const FatalerFehler&) {
            geworfen = true;
        }
        QCOMPARE(geworfen, fehler);
        QCOMPARE(offeneDateien(), vorher);
    }
};

QTEST_MAIN(TestGrenzen)
#include "tst_grenzen.moc"
