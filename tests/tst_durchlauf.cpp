// The run: a question stays open until its verdict, every answer is counted
// once for its entry and the run, and a 16-bit counter leaving its range
// ends in Abbruch without wrapping.
#include "quiz/durchlauf.h"
#include "stuetzen/testzufall.h"
#include "vocab/abbruch.h"

#include <QtTest>

#include <functional>

using namespace olvani;

namespace {
// For the runs that ask no question, which draw nothing.
Testzufall zufall;
} // namespace

class TestDurchlauf : public QObject {
    Q_OBJECT

private slots:
    void frageBisZumUrteil();
    void fuenftesMalUndWiederholung();
    void dochRichtig();
    void ueberlauf_data();
    void ueberlauf();
    void ungueltigerStand_data();
    void ungueltigerStand();
};

// "Abfragen" opens a question and replaces one left unanswered; "Richtig?"
// closes it; a choice that finds nothing leaves none open and Nummer alone.
void TestDurchlauf::frageBisZumUrteil()
{
    Vokabeltabelle t;
    t.neuerEintrag("-geh", {"gehen", "", "", ""}, true);
    t.neuerEintrag("-lauf", {"laufen", "", "", ""}, true);
    t.neuerEintrag("haus", {"Haus", "", "", ""}, false);
    t.neuerEintrag("baum", {"Baum", "", "", ""}, false);
    Testzufall zufall(4);
    Durchlauf lauf(t, zufall);
    QVERIFY(!lauf.offeneFrage());
    // Nothing passes before the first question: nothing to judge either.
    const Abfrage keine = lauf.NeueAbfrage(Richtungswahl::Deutsch, {.ohneKennung = true, .nurVerben = true});
    QVERIFY(!keine.gefunden && !keine.beurteilbar && keine.meldungen.size() == 1);
    for (int k = 0; k < 3; ++k) {
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Olvani, Optionen{});
        QVERIFY(a.gefunden && lauf.offeneFrage());
        QCOMPARE(lauf.offeneFrage()->gezeigt, t.Wort(lauf.Nummer()));
        QVERIFY(lauf.offeneFrage()->seite == Seite::Olvani);
    }
    QCOMPARE(lauf.Erfolge() + lauf.Fehler(), 0);
    const int nummer = lauf.Nummer();
    QVERIFY(lauf.pruefeAntwort(t.Bedeutung(nummer, 1)).richtig);
    QVERIFY(!lauf.offeneFrage());

    lauf.NeueAbfrage(Richtungswahl::Deutsch, Optionen{});
    const int gefragt = lauf.Nummer();
    // Both verbs have Kennung: nothing passes.
    const Abfrage nichts = lauf.NeueAbfrage(Richtungswahl::Deutsch, {.ohneKennung = true, .nurVerben = true});
    QVERIFY(!nichts.gefunden && !nichts.rundeVorbei && nichts.beurteilbar);
    QVERIFY(!lauf.offeneFrage());
    QCOMPARE(lauf.Nummer(), gefragt);
}

void TestDurchlauf::fuenftesMalUndWiederholung()
{
    Vokabeltabelle t;
    t.neuerEintrag("blek", {"Gebäude", "Haus", "", ""}, false);
    Testzufall zufall;
    Durchlauf lauf(t, zufall);
    for (int mal = 1; mal <= 6; ++mal) {
        lauf.NeueAbfrage(Richtungswahl::Olvani, Optionen{});
        const Urteil u = lauf.pruefeAntwort("Haus");
        QVERIFY(u.richtig);
        QCOMPARE(u.meldungen.size(), std::size_t(mal == 5 ? 1 : 0));
    }
    // "Richtig?" again without a new question.
    const Urteil u = lauf.pruefeAntwort("Haus");
    QVERIFY(!u.richtig);
    QCOMPARE(u.verdikt, std::string("Falsch! Richtig ist blek: Gebäude Haus   "));
    QCOMPARE(lauf.tabelle().RichtigZaehler(1), 6);
    QCOMPARE(lauf.tabelle().FalschZaehler(1), 1);
    QCOMPARE(u.statistikzeile, std::string("Versuche: 7 / Erfolge: 6 (86%) / Fehler: 1 / Wörter: 1"
                                           " / letztes Wort richtig  6 / letztes Wort falsch  1"));
}

void TestDurchlauf::dochRichtig()
{
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "", "", ""}, false);
    // Before any answer: nothing to divide by, the rate reads 0.
    Durchlauf frisch(t, zufall);
    QCOMPARE(frisch.DochRichtig(), std::string("Versuche: 0 / Erfolge: 1 (0%) / Fehler: -1 / Wörter: 1"));

    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitFrage(1, Frage{Seite::Olvani, "zorp"}));
    QVERIFY(!lauf.pruefeAntwort("falsch").richtig);
    lauf.DochRichtig();
    QCOMPARE(lauf.DochRichtig(), std::string("Versuche: 1 / Erfolge: 2 (200%) / Fehler: -1 / Wörter: 1"));
    // The correction leaves the entry's own counters alone.
    QCOMPARE(lauf.tabelle().RichtigZaehler(1), 0);
    QCOMPARE(lauf.tabelle().FalschZaehler(1), 1);
}

void TestDurchlauf::ueberlauf_data()
{
    QTest::addColumn<QList<int>>("vorher"); // Erfolge, Fehler, RichtigZaehler, FalschZaehler
    QTest::addColumn<QString>("taste");     // "richtig" or "falsch" answered, or "doch" for "Doch Richtig!"
    QTest::addColumn<QList<int>>("nachher"); // all four counters; empty when the step overflows
    QTest::addColumn<int>("haelt");          // the counter that overflows and keeps its value; -1: none of the four
    using L = QList<int>;
    QTest::newRow("RichtigZaehler 32766") << L{0, 0, 32766, 0} << "richtig" << L{1, 0, 32767, 0} << -1;
    QTest::newRow("RichtigZaehler 32767") << L{0, 0, 32767, 0} << "richtig" << L{} << 2;
    QTest::newRow("FalschZaehler 32767") << L{0, 0, 0, 32767} << "falsch" << L{} << 3;
    QTest::newRow("Erfolge 32766") << L{32766, 0, 0, 0} << "richtig" << L{32767, 0, 1, 0} << -1;
    QTest::newRow("Erfolge 32767") << L{32767, 0, 0, 0} << "richtig" << L{} << 0;
    QTest::newRow("Fehler 32767") << L{0, 32767, 0, 0} << "falsch" << L{} << 1;
    // The sum of both is a 16-bit count, too.
    QTest::newRow("Versuche 32766") << L{16000, 16766, 0, 0} << "falsch" << L{16000, 16767, 0, 1} << -1;
    QTest::newRow("Versuche 32767") << L{16000, 16767, 0, 0} << "richtig" << L{} << -1;
    // "Doch Richtig!" as often as the learner likes: Fehler may go below
    // zero, but not below -32768.
    QTest::newRow("Doch: Fehler -32767") << L{0, -32767, 0, 0} << "doch" << L{1, -32768, 0, 0} << -1;
    QTest::newRow("Doch: Fehler -32768") << L{0, -32768, 0, 0} << "doch" << L{} << 1;
    QTest::newRow("Doch: Erfolge 32767") << L{32767, 0, 0, 0} << "doch" << L{} << 0;
}

// An overflow ends the program with the error; what the run holds after it
// is never shown, except that the counter at its limit did not wrap.
void TestDurchlauf::ueberlauf()
{
    QFETCH(QList<int>, vorher);
    QFETCH(QString, taste);
    QFETCH(QList<int>, nachher);
    QFETCH(int, haelt);
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "", "", ""}, false);
    t.neuerEintrag("blek", {"Baum", "", "", ""}, false);
    for (int k = 0; k < vorher[2]; ++k)
        t.zaehleRichtig(1);
    for (int k = 0; k < vorher[3]; ++k)
        t.zaehleFalsch(1);
    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(vorher[0], vorher[1]).mitFrage(1, Frage{Seite::Deutsch, "Haus"}));
    const auto zaehler = [&] {
        return QList<int>{lauf.Erfolge(), lauf.Fehler(), lauf.tabelle().RichtigZaehler(1), lauf.tabelle().FalschZaehler(1)};
    };
    QString fehler;
    try {
        if (taste == "doch")
            lauf.DochRichtig();
        else
            lauf.pruefeAntwort(taste == "richtig" ? "zorp" : "blek");
    } catch (const Abbruch& abbruch) {
        fehler = QString::fromUtf8(abbruch.what());
    }
    if (nachher.isEmpty()) {
        QVERIFY2(fehler.startsWith(QStringLiteral("Zählerüberlauf")), qPrintable(fehler));
        if (haelt >= 0)
            QCOMPARE(zaehler()[haelt], vorher[haelt]);
    } else {
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler));
        QCOMPARE(zaehler(), nachher);
    }
    QCOMPARE(lauf.tabelle().RichtigZaehler(2) + lauf.tabelle().FalschZaehler(2), 0);
}

void TestDurchlauf::ungueltigerStand_data()
{
    QTest::addColumn<std::function<void(Vokabeltabelle&)>>("zugriff");
    using Z = std::function<void(Vokabeltabelle&)>;
    QTest::newRow("Gefragt 10001") << Z([](Vokabeltabelle& t) { Durchlauf(t, zufall).Gefragt(Kapazitaet + 1); });
    QTest::newRow("Gefragt -1") << Z([](Vokabeltabelle& t) { Durchlauf(t, zufall).Gefragt(-1); });
    QTest::newRow("gefragt, nicht geladen") << Z([](Vokabeltabelle& t) { Durchlauf(t, zufall, Durchlauf::Stand().mitGefragt({3})); });
    QTest::newRow("Nummer 0 mit offener Frage") << Z([](Vokabeltabelle& t) { Durchlauf(t, zufall, Durchlauf::Stand().mitFrage(0, Frage{})); });
}

// An index outside the table is an internal error, never a silent clamp.
void TestDurchlauf::ungueltigerStand()
{
    QFETCH(std::function<void(Vokabeltabelle&)>, zugriff);
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "", "", ""}, false);
    t.neuerEintrag("blek", {"Baum", "", "", ""}, false);
    QVERIFY_THROWS_EXCEPTION(Abbruch, zugriff(t));
}

QTEST_GUILESS_MAIN(TestDurchlauf)
#include "tst_durchlauf.moc"
