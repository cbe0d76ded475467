// A long random session through the real main window. After every action
// the invariants of the cycle must hold; a failure prints the seed, and
// OLVANI_SEED=<seed> replays it.
#include "stuetzen/fensterhilfen.h"
#include "ui/hauptfenster.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <random>

using namespace olvani;

namespace {

// A small vocabulary with every awkward kind of entry: verbs, ones with Kennung,
// empty meanings, an entry without any meaning, shared meanings, an empty word.
QByteArray zufallsvokabular(std::mt19937_64& zufall)
{
    const char* silben[] = {"ka", "lo", "vi", "rum", "es", "th", "\xe4", "o"};
    const char* bedeutungen[] = {"Haus", "Baum", "gehen", "Stra\xdf" "e", "M\xfc" "he", "@", "@", "rot", "Tier"};
    QByteArray datei;
    const int anzahl = 2 + int(zufall() % 12);
    for (int i = 0; i < anzahl; ++i) {
        QByteArray wort = (zufall() % 4 == 0) ? "-" : "";
        for (int s = int(zufall() % 3); s >= 0; --s)
            wort += silben[zufall() % std::size(silben)];
        if (zufall() % 25 == 0)
            wort.clear();
        datei += '"' + wort + '"';
        for (int k = 0; k < 4; ++k)
            datei += ",\"" + QByteArray(bedeutungen[zufall() % std::size(bedeutungen)]) + '"';
        datei += zufall() % 5 == 0 ? ",\"1\"\r\n" : ",\"0\"\r\n";
    }
    return datei;
}

} // namespace

class TestDauerlauf : public QObject {
    Q_OBJECT

private slots:
    void zwanzigtausendAktionen()
    {
        const unsigned seed = qEnvironmentVariableIsSet("OLVANI_SEED") ? qEnvironmentVariableIntValue("OLVANI_SEED")
                                                                       : 20261207u;
        // The 64-bit engine: std::mt19937 is also the engine of a static Qt's
        // random generator, and linked into one Windows program with it (MinGW
        // GCC 12) the first temporary folder crashed inside Qt.
        std::mt19937_64 zufall(seed);
        Fensterprobe p(seed);
        p.lade(zufallsvokabular(zufall));
        QVERIFY2(p.plattform.beendetMit.empty(), "the vocabulary did not load");
        Testplattform& plattform = p.plattform;
        frmHauptfenster* f = &p.fenster;
        const Durchlauf& lauf = *f->lauf();
        const Vokabeltabelle& t = lauf.tabelle();
        QLineEdit* txtDeutsch = p.txtDeutsch();
        QLineEdit* txtOlvani = p.txtOlvani();
        QPushButton* cmdStart = p.cmdStart();
        QPushButton* cmdRichtig1 = p.cmdRichtig1();
        QPushButton* cmdRichtig2 = p.cmdRichtig2();
        QLabel* lblInfo = p.lblInfo();

        enum class Knopf { Start, Richtig, Doch };
        std::vector<Knopf> gedrueckt;
        connect(cmdStart, &QPushButton::clicked, this, [&] { gedrueckt.push_back(Knopf::Start); });
        connect(cmdRichtig1, &QPushButton::clicked, this, [&] { gedrueckt.push_back(Knopf::Richtig); });
        connect(cmdRichtig2, &QPushButton::clicked, this, [&] { gedrueckt.push_back(Knopf::Doch); });
        const QList<QCheckBox*> kaestchen = f->findChildren<QCheckBox*>();
        const QList<QRadioButton*> optionen = f->findChildren<QRadioButton*>();
        QCOMPARE(kaestchen.size() * optionen.size(), 5 * 3);

        int pruefungen = 0, richtige = 0, falsche = 0;
        for (int aktion = 0; aktion < 20000; ++aktion) {
            const QByteArray wo = QByteArray("seed ") + QByteArray::number(seed) + " action " + QByteArray::number(aktion);
            gedrueckt.clear();
            plattform.meldungen.clear();
            QLineEdit* offen = p.offenesFeld();
            switch (zufall() % 9) {
            case 0: cmdStart->click(); break;
            case 1: cmdRichtig1->click(); break;
            case 2: cmdRichtig2->click(); break;
            case 3:
            case 4: QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f, Qt::Key_Return); break;
            case 5:
                if (offen) {
                    const int n = lauf.Nummer();
                    // Often the right answer, so that counters climb past five.
                    offen->setText(QString::fromStdString(offen == txtOlvani ? t.Wort(n) : t.Bedeutung(n, 1 + int(zufall() % 4))));
                }
                break;
            case 6:
                if (offen)
                    QTest::keyClicks(offen, QStringLiteral("ka o"));
                break;
            case 7: kaestchen[zufall() % 5]->click(); break;
            default: optionen[zufall() % 3]->click(); break;
            }

            if (!gedrueckt.empty() && gedrueckt.back() == Knopf::Richtig) {
                ++pruefungen;
                const QString verdikt = lblInfo->text();
                QVERIFY2(verdikt.startsWith(QStringLiteral("Richtig! ")) || verdikt.startsWith(QStringLiteral("Falsch! Richtig ist ")), wo.constData());
                verdikt.startsWith(QStringLiteral("Richtig! ")) ? ++richtige : ++falsche;
                QVERIFY2(txtDeutsch->text().isEmpty() && !txtDeutsch->isEnabled(), wo.constData());
                QVERIFY2(txtOlvani->text().isEmpty() && !txtOlvani->isEnabled(), wo.constData());
                QVERIFY2(f->standardknopf() == cmdStart, wo.constData());
            }
            if (!gedrueckt.empty() && gedrueckt.back() == Knopf::Start) {
                const int offeneFelder = int(txtDeutsch->isEnabled()) + int(txtOlvani->isEnabled());
                bool keineVokabel = false;
                for (const auto& m : plattform.meldungen)
                    keineVokabel |= m.text == KeineVokabelMeldung;
                QVERIFY2(keineVokabel ? offeneFelder == 0 : offeneFelder == 1, wo.constData());
            }
            // "Doch Richtig!" moves answers between the two counts, never adds.
            QVERIFY2(lauf.Erfolge() + lauf.Fehler() == pruefungen, wo.constData());
            int summeRichtig = 0, summeFalsch = 0;
            for (int i = 0; i <= t.Anzahl(); ++i) {
                summeRichtig += t.RichtigZaehler(i);
                summeFalsch += t.FalschZaehler(i);
            }
            QVERIFY2(summeRichtig == richtige && summeFalsch == falsche, wo.constData());
            QVERIFY2(plattform.beendetMit.empty(), wo.constData());
        }
        qInfo("seed %u: %d answers judged, %d correct", seed, pruefungen, richtige);
        QVERIFY(pruefungen > 1000);
        QVERIFY(richtige > 100);
    }
};

QTEST_MAIN(TestDauerlauf)
#include "tst_dauerlauf.moc"
