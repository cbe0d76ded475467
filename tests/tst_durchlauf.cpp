// The run: a question stays open until its verdict, every answer is counted
// once for its entry and the run, and a 16-bit counter leaving its range
// ends in Abbruch without changing it.
#include "quiz/durchlauf.h"
#include "stuetzen/testzufall.h"
#include "vocab/abbruch.h"

#include <QtTest>

#include <functional>

using namespace olvani;

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
    Durchlauf lauf(t);
    Testzufall zufall(4);
    QVERIFY(!lauf.offeneFrage());
    // Nothing passes before the first question: nothing to judge either.
    const Abfrage keine = lauf.NeueAbfrage(Richtungswahl::Deutsch, {.ohneKennung = true, .nurVerben = true}, zufall);
    QVERIFY(!keine.gefunden && !keine.beurteilbar && keine.meldungen.size() == 1);
    for (int k = 0; k < 3; ++k) {
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Fremdsprache, Optionen{}, zufall);
        QVERIFY(a.gefunden && lauf.offeneFrage());
        QCOMPARE(lauf.offeneFrage()->gezeigt, t.Wort(lauf.Nummer()));
        QVERIFY(lauf.offeneFrage()->richtung == Richtung::Fremdsprache);
    }
    QCOMPARE(lauf.Erfolge() + lauf.Fehler(), 0);
    const int nummer = lauf.Nummer();
    QVERIFY(lauf.pruefeAntwort(t.Bedeutung(nummer, 1)).richtig);
    QVERIFY(!lauf.offeneFrage());

    lauf.NeueAbfrage(Richtungswahl::Deutsch, Optionen{}, zufall);
    const int gefragt = lauf.Nummer();
    // Both verbs have Kennung: nothing passes.
    const Abfrage nichts = lauf.NeueAbfrage(Richtungswahl::Deutsch, {.ohneKennung = true, .nurVerben = true}, zufall);
    QVERIFY(!nichts.gefunden && !nichts.rundeVorbei && nichts.beurteilbar);
    QVERIFY(!lauf.offeneFrage());
    QCOMPARE(lauf.Nummer(), gefragt);
}

void TestDurchlauf::fuenftesMalUndWiederholung()
{
    Vokabeltabelle t;
    t.neuerEintrag("blek", {"Gebäude", "Haus", "", ""}, false);
    Durchlauf lauf(t);
    Testzufall zufall;
    for (int mal = 1; mal <= 6; ++mal) {
        lauf.NeueAbfrage(Richtungswahl::Fremdsprache, Optionen{}, zufall);
        const Urteil u = lauf.pruefeAntwort("Haus");
        QVERIFY(u.richtig);
        QCOMPARE(u.meldungen.size(), std::size_t(mal == 5 ? 1 : 0));
    }
    // "Richtig?" again without a new question.
    const Urteil u = lauf.pruefeAntwort("Haus");
    QVERIFY(!u.richtig);
    QCOMPARE(u.verdikt, std::string("Falsch! Richtig ist blek: Gebäude Haus   "));
    QCOMPARE(t.RichtigZaehler(1), 6);
    QCOMPARE(t.FalschZaehler(1), 1);
    QCOMPARE(u.statistikzeile, std::string("Versuche: 7 / Erfolge: 6 (86%) / Fehler: 1 / Wörter: 1"
                                           " / letztes Wort richtig  6 / letztes Wort falsch  1"));
}

void TestDurchlauf::dochRichtig()
{
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "", "", ""}, false);
    // Before any answer: nothing to divide by, the rate reads 0.
    Durchlauf frisch(t);
    QCOMPARE(frisch.DochRichtig(), std::string("Versuche: 0 / Erfolge: 1 (0%) / Fehler: -1 / Wörter: 1"));

    Durchlauf lauf(t, Durchlauf::Stand().mitFrage(1, Frage{Richtung::Fremdsprache, "zorp"}));
    QVERIFY(!lauf.pruefeAntwort("falsch").richtig);
    lauf.DochRichtig();
    QCOMPARE(lauf.DochRichtig(), std::string("Versuche: 1 / Erfolge: 2 (200%) / Fehler: -1 / Wörter: 1"));
    // The correction leaves the entry's own counters alone.
    QCOMPARE(t.RichtigZaehler(1), 0);
    QCOMPARE(t.FalschZaehler(1), 1);
}

void TestDurchlauf::ueberlauf_data()
{
    QTest::addColumn<QList<int>>("vorher"); // Erfolge, Fehler, RichtigZaehler, FalschZaehler
    QTest::addColumn<QString>("taste");     // "richtig" or "falsch" answered, or "doch" for "Doch Richtig!"
    QTest::addColumn<bool>("ueberlauf");
    QTest::addColumn<QList<int>>("nachher"); // an overflowing counter keeps its value
    using L = QList<int>;
    QTest::newRow("RichtigZaehler 32766") << L{0, 0, 32766, 0} << "richtig" << false << L{1, 0, 32767, 0};
    QTest::newRow("RichtigZaehler 32767") << L{0, 0, 32767, 0} << "richtig" << true << L{0, 0, 32767, 0};
    QTest::newRow("FalschZaehler 32767") << L{0, 0, 0, 32767} << "falsch" << true << L{0, 1, 0, 32767};
    QTest::newRow("Erfolge 32766") << L{32766, 0, 0, 0} << "richtig" << false << L{32767, 0, 1, 0};
    QTest::newRow("Erfolge 32767") << L{32767, 0, 0, 0} << "richtig" << true << L{32767, 0, 1, 0};
    QTest::newRow("Fehler 32767") << L{0, 32767, 0, 0} << "falsch" << true << L{0, 32767, 0, 0};
    // The sum of both is a 16-bit count, too; the answer itself is counted
    // before the sum is formed.
    QTest::newRow("Versuche 32766") << L{16000, 16766, 0, 0} << "falsch" << false << L{16000, 16767, 0, 1};
    QTest::newRow("Versuche 32767") << L{16000, 16767, 0, 0} << "richtig" << true << L{16001, 16767, 1, 0};
    // "Doch Richtig!" as often as the learner likes: Fehler may go below
    // zero, but not below -32768; it is lowered before Erfolge is raised.
    QTest::newRow("Doch: Fehler -32767") << L{0, -32767, 0, 0} << "doch" << false << L{1, -32768, 0, 0};
    QTest::newRow("Doch: Fehler -32768") << L{0, -32768, 0, 0} << "doch" << true << L{0, -32768, 0, 0};
    QTest::newRow("Doch: Erfolge 32767") << L{32767, 0, 0, 0} << "doch" << true << L{32767, -1, 0, 0};
}

void TestDurchlauf::ueberlauf()
{
    QFETCH(QList<int>, vorher);
    QFETCH(QString, taste);
    QFETCH(bool, ueberlauf);
    QFETCH(QList<int>, nachher);
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "", "", ""}, false);
    t.neuerEintrag("blek", {"Baum", "", "", ""}, false);
    for (int k = 0; k < vorher[2]; ++k)
        t.zaehleRichtig(1);
    for (int k = 0; k < vorher[3]; ++k)
        t.zaehleFalsch(1);
    Durchlauf lauf(t, Durchlauf::Stand().mitAntworten(vorher[0], vorher[1]).mitFrage(1, Frage{Richtung::Deutsch, "Haus"}));
    const std::function<void()> druecken = [&] {
        if (taste == "doch")
            lauf.DochRichtig();
        else
            lauf.pruefeAntwort(taste == "richtig" ? "zorp" : "blek");
    };
    if (ueberlauf)
        QVERIFY_THROWS_EXCEPTION(Abbruch, druecken());
    else
        druecken();
    QCOMPARE((QList<int>{lauf.Erfolge(), lauf.Fehler(), t.RichtigZaehler(1), t.FalschZaehler(1)}), nachher);
    QCOMPARE(t.RichtigZaehler(2) + t.FalschZaehler(2), 0);
}

void TestDurchlauf::ungueltigerStand_data()
{
    QTest::addColumn<std::function<void(Vokabeltabelle&)>>("zugriff");
    using Z = std::function<void(Vokabeltabelle&)>;
    QTest::newRow("Gefragt 10001") << Z([](Vokabeltabelle& t) { Durchlauf(t).Gefragt(Kapazitaet + 1); });
    QTest::newRow("Gefragt -1") << Z([](Vokabeltabelle& t) { Durchlauf(t).Gefragt(-1); });
    QTest::newRow("gefragt, nicht geladen") << Z([](Vokabeltabelle& t) { Durchlauf(t, Durchlauf::Stand().mitGefragt({3})); });
    QTest::newRow("Nummer 0 mit offener Frage") << Z([](Vokabeltabelle& t) { Durchlauf(t, Durchlauf::Stand().mitFrage(0, Frage{})); });
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
