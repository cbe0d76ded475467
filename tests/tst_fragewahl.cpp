// Choosing the question: direction, filters, rounds, smart training, and
// bounded work whatever the options and the random source.
#include "quiz/durchlauf.h"
#include "stuetzen/testtabellen.h"
#include "stuetzen/testzufall.h"
#include "vocab/abbruch.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <map>
#include <set>

using namespace olvani;
using namespace olvani::testtabellen;

Q_DECLARE_METATYPE(olvani::Richtungswahl)

namespace {

class Konstante : public Zufallsquelle {
public:
    explicit Konstante(double wert) : wert_(wert) {}
    double r() override { return wert_; }

private:
    double wert_;
};

} // namespace

class TestFragewahl : public QObject {
    Q_OBJECT

private slots:
    void richtung_data();
    void richtung();
    void filter_data();
    void filter();
    void wortOhneNeuAendertNichts();
    void rundenende_data();
    void rundenende();
    void einEintrag();
    void klugesTrainingR_data();
    void klugesTrainingR();
    void klugesTrainingGewichtet_data();
    void klugesTrainingGewichtet();
    void deutschZeigtNurBelegteSpalten();
    void fehlerhafteZufallsquelle_data();
    void fehlerhafteZufallsquelle();
    void begrenzteSucheBeiGrosserTabelle_data();
    void begrenzteSucheBeiGrosserTabelle();
};

void TestFragewahl::richtung_data()
{
    QTest::addColumn<Richtungswahl>("wahl");
    QTest::addColumn<double>("anteilDeutschMin");
    QTest::addColumn<double>("anteilDeutschMax");
    QTest::newRow("radDeutsch") << Richtungswahl::Deutsch << 1.0 << 1.0;
    QTest::newRow("radOlvani") << Richtungswahl::Olvani << 0.0 << 0.0;
    QTest::newRow("radZufall etwa halb") << Richtungswahl::Zufall << 0.46 << 0.54;
}

void TestFragewahl::richtung()
{
    QFETCH(Richtungswahl, wahl);
    QFETCH(double, anteilDeutschMin);
    QFETCH(double, anteilDeutschMax);
    Vokabeltabelle t = baue({{"-gehen", {"gehen", "laufen", "", ""}}, {"haus", {"Haus", "", "", ""}}, {"baum"}});
    Testzufall zufall(7);
    Durchlauf lauf(t, zufall);
    constexpr int Fragen = 4000;
    int deutsch = 0;
    for (int k = 0; k < Fragen; ++k) {
        const Abfrage a = lauf.NeueAbfrage(wahl, Optionen{});
        QVERIFY(a.gefunden);
        if (a.frage.seite == Seite::Deutsch) {
            ++deutsch;
            QVERIFY(gezeigteSpalte(lauf, a) != 0);
        } else {
            QCOMPARE(a.frage.gezeigt, t.Wort(lauf.Nummer()));
        }
    }
    QVERIFY2(deutsch >= anteilDeutschMin * Fragen && deutsch <= anteilDeutschMax * Fragen,
             qPrintable(QString::number(deutsch)));
}

void TestFragewahl::filter_data()
{
    QTest::addColumn<QString>("haken");
    QTest::addColumn<QList<int>>("erlaubt");
    QTest::newRow("keine") << "" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("chkRichtig: ab 5 richtigen nicht") << "R" << QList<int>{2, 3, 4, 5, 6, 7};
    QTest::newRow("chkWort: gefragte nicht") << "W" << QList<int>{1, 2, 4, 5, 6, 7, 8};
    QTest::newRow("chkNeu: Kennung nicht") << "N" << QList<int>{1, 3, 4, 5, 7, 8};
    QTest::newRow("chkNurVerben") << "V" << QList<int>{1, 2, 3, 4, 7};
    QTest::newRow("chkRichtig + chkNurVerben") << "RV" << QList<int>{2, 3, 4, 7};
    QTest::newRow("alle vier") << "RWNV" << QList<int>{4, 7};
}

void TestFragewahl::filter()
{
    QFETCH(QString, haken);
    QFETCH(QList<int>, erlaubt);
    const std::vector<Vokabel> vokabeln{
        {"-gehen", {"gehen"}, false, 5}, {"-laufen", {"laufen"}, true}, {"-sehen", {"sehen"}, false, 0, 0, true},
        {"-essen", {"essen"}, false, 4}, {"haus", {"Haus"}}, {"baum", {"Baum"}, true},
        {"-trinken", {"trinken"}}, {"tisch", {"Tisch"}, false, 7},
    };
    Vokabeltabelle t = baue(vokabeln);
    Testzufall zufall(11);
    std::set<int> gesehen;
    for (int k = 0; k < 2000; ++k) {
        Durchlauf lauf(t, zufall, Durchlauf::Stand().mitGefragt(gefragte(vokabeln)));
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Zufall, optionen(haken));
        QVERIFY(a.gefunden);
        QVERIFY(!a.rundeVorbei);
        QVERIFY2(erlaubt.contains(lauf.Nummer()), qPrintable(QString::number(lauf.Nummer())));
        gesehen.insert(lauf.Nummer());
    }
    QCOMPARE(int(gesehen.size()), int(erlaubt.size()));
}

void TestFragewahl::wortOhneNeuAendertNichts()
{
    Vokabeltabelle t = baue({{"a"}, {"b"}, {"c"}});
    Testzufall zufall(3);
    Durchlauf lauf(t, zufall);
    std::set<int> gesehen;
    for (int k = 0; k < 300; ++k) {
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Zufall, optionen("W"));
        QVERIFY(a.gefunden);
        QVERIFY(!a.rundeVorbei);
        QCOMPARE(lauf.Gefragt(1) + lauf.Gefragt(2) + lauf.Gefragt(3), 0);
        gesehen.insert(lauf.Nummer());
    }
    QCOMPARE(int(gesehen.size()), 3);
}

void TestFragewahl::rundenende_data()
{
    QTest::addColumn<int>("verben");
    QTest::addColumn<int>("nichtVerben");
    QTest::addColumn<int>("mitKennung"); // non-verbs with Kennung, never asked
    QTest::addColumn<QString>("haken");
    QTest::addColumn<int>("fragenJeRunde");
    QTest::newRow("chkNeu + chkWort, 5 Einträge") << 3 << 2 << 0 << "NW" << 4;
    QTest::newRow("dazu chkNurVerben: Nicht-Verben zählen mit") << 4 << 2 << 0 << "NWV" << 3;
    QTest::newRow("zwei Einträge") << 1 << 1 << 0 << "NW" << 1;
    // The count never reaches 4 of 5: the round ends when nothing but the
    // asked marks keeps the entries out.
    QTest::newRow("zwei mit Kennung: Ende, wenn alle anderen gefragt") << 1 << 4 << 2 << "NW" << 3;
}

void TestFragewahl::rundenende()
{
    QFETCH(int, verben);
    QFETCH(int, nichtVerben);
    QFETCH(int, mitKennung);
    QFETCH(QString, haken);
    QFETCH(int, fragenJeRunde);
    std::vector<Vokabel> vokabeln;
    for (int k = 0; k < verben; ++k)
        vokabeln.push_back({std::string("-v").append(std::to_string(k))});
    for (int k = 0; k < nichtVerben; ++k)
        vokabeln.push_back({std::string("n").append(std::to_string(k)), {"eins"}, k < mitKennung});
    Vokabeltabelle t = baue(vokabeln);
    Testzufall zufall(5);
    Durchlauf lauf(t, zufall);
    std::set<int> runde;
    for (int frage = 0; frage < 12 * fragenJeRunde; ++frage) {
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Olvani, optionen(haken));
        QVERIFY(a.gefunden);
        // The first round starts with nothing asked; each later one begins
        // exactly when the previous one has asked fragenJeRunde entries.
        QCOMPARE(a.rundeVorbei, frage > 0 && frage % fragenJeRunde == 0);
        if (a.rundeVorbei)
            runde.clear();
        QVERIFY2(runde.insert(lauf.Nummer()).second, "asked twice in one round");
        int gefragt = 0;
        for (int i = 1; i <= t.Anzahl(); ++i)
            gefragt += lauf.Gefragt(i);
        QCOMPARE(lauf.Gefragt(lauf.Nummer()), 1);
        QCOMPARE(gefragt, int(runde.size()));
    }
}

void TestFragewahl::einEintrag()
{
    for (const QString& haken : {QString(), QString("NW"), QString("RWNVK")}) {
        Vokabeltabelle t = baue({{"-allein", {"allein"}}});
        Testzufall zufall(2);
        Durchlauf lauf(t, zufall);
        for (int k = 0; k < 5; ++k) {
            const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Zufall, optionen(haken));
            QVERIFY(a.rundeVorbei);
            QVERIFY(a.gefunden);
            QCOMPARE(lauf.Nummer(), 1);
        }
    }
    // Round end and no match together: the reset happens, nothing is asked.
    Vokabeltabelle t = baue({{"markiert", {"x"}, true}});
    Testzufall zufall(2);
    Durchlauf lauf(t, zufall);
    const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Zufall, optionen("N"));
    QVERIFY(a.rundeVorbei);
    QVERIFY(!a.gefunden);
    QCOMPARE(lauf.Nummer(), 0);
}

void TestFragewahl::klugesTrainingR_data()
{
    QTest::addColumn<int>("erfolge");
    QTest::addColumn<int>("fehler");
    QTest::addColumn<int>("r");
    QTest::newRow("keine Antwort") << 0 << 0 << 1;
    QTest::newRow("24: 1.48") << 20 << 4 << 1;
    QTest::newRow("25: 1.5 zu 2") << 25 << 0 << 2;
    QTest::newRow("75: 2.5 zu 2") << 70 << 5 << 2;
    QTest::newRow("76") << 76 << 0 << 3;
    QTest::newRow("125: 3.5 zu 4") << 100 << 25 << 4;
    QTest::newRow("175: 4.5 zu 4") << 175 << 0 << 4;
    QTest::newRow("korrigiert: Fehler negativ") << 26 << -1 << 2;
    QTest::newRow("32767") << 32767 << 0 << 656;
    QTest::newRow("32768: Überlauf") << 32767 << 1 << -1;
}

void TestFragewahl::klugesTrainingR()
{
    QFETCH(int, erfolge);
    QFETCH(int, fehler);
    QFETCH(int, r);
    if (r < 0)
        QVERIFY_THROWS_EXCEPTION(Abbruch, olvani::klugesTrainingR(erfolge, fehler));
    else
        QCOMPARE(olvani::klugesTrainingR(erfolge, fehler), r);
}

void TestFragewahl::klugesTrainingGewichtet_data()
{
    QTest::addColumn<QString>("haken");
    QTest::addColumn<int>("antworten");
    QTest::addColumn<QList<double>>("anteile"); // entries with 0, 1 and 5 wrong answers
    QTest::newRow("aus: gleichverteilt") << "" << 0 << QList<double>{1 / 3.0, 1 / 3.0, 1 / 3.0};
    QTest::newRow("R=1: ohne Fehler halb so oft") << "K" << 0 << QList<double>{1 / 5.0, 2 / 5.0, 2 / 5.0};
    QTest::newRow("R=2 nach 75") << "K" << 75 << QList<double>{1 / 6.0, 2 / 6.0, 3 / 6.0};
    QTest::newRow("R=21 nach 1000") << "K" << 1000 << QList<double>{1 / 9.0, 2 / 9.0, 6 / 9.0};
    QTest::newRow("R=641 nach 32000") << "K" << 32000 << QList<double>{1 / 9.0, 2 / 9.0, 6 / 9.0};
}

void TestFragewahl::klugesTrainingGewichtet()
{
    QFETCH(QString, haken);
    QFETCH(int, antworten);
    QFETCH(QList<double>, anteile);
    Vokabeltabelle t = baue({{"null"}, {"eins", {"x"}, false, 0, 1}, {"fuenf", {"x"}, false, 0, 5}});
    Testzufall zufall(13);
    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(antworten, 0));
    constexpr int Fragen = 12000;
    std::array<int, 3> zahl{};
    for (int k = 0; k < Fragen; ++k) {
        QVERIFY(lauf.NeueAbfrage(Richtungswahl::Olvani, optionen(haken)).gefunden);
        ++zahl[std::size_t(lauf.Nummer() - 1)];
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const double anteil = double(zahl[i]) / Fragen;
        QVERIFY2(std::abs(anteil - anteile[qsizetype(i)]) < 0.02, qPrintable(QString::number(anteil)));
    }
}

void TestFragewahl::deutschZeigtNurBelegteSpalten()
{
    Vokabeltabelle t = baue({{"zwei", {"", "B", "", "D"}}, {"drei", {"", "", "C", ""}}, {"leer", {"", "", "", ""}}});
    Testzufall zufall(17);
    Durchlauf lauf(t, zufall);
    std::map<std::string, int> gezeigt;
    for (int k = 0; k < 4000; ++k) {
        const Abfrage a = lauf.NeueAbfrage(Richtungswahl::Deutsch, Optionen{});
        QVERIFY(a.gefunden);
        QVERIFY(lauf.Nummer() != 3);
        ++gezeigt[a.frage.gezeigt];
    }
    QCOMPARE(int(gezeigt.size()), 3);
    QVERIFY(std::abs(gezeigt["B"] - gezeigt["D"]) < 200);
    QVERIFY(std::abs(gezeigt["C"] - 2000) < 200);

    // Only meaningless entries: nothing can be shown in German, but the
    // foreign word can.
    Vokabeltabelle leer = baue({{"a", {"", "", "", ""}}, {"b", {"", "", "", ""}}});
    Durchlauf ohneBedeutung(leer, zufall);
    QVERIFY(!ohneBedeutung.NeueAbfrage(Richtungswahl::Deutsch, Optionen{}).gefunden);
    QVERIFY(ohneBedeutung.NeueAbfrage(Richtungswahl::Olvani, Optionen{}).gefunden);
}

void TestFragewahl::fehlerhafteZufallsquelle_data()
{
    QTest::addColumn<double>("wert");
    QTest::newRow("0") << 0.0;
    QTest::newRow("knapp unter 1") << std::nextafter(1.0, 0.0);
    QTest::newRow("1") << 1.0;
    QTest::newRow("7") << 7.0;
    QTest::newRow("negativ") << -0.5;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("unendlich") << std::numeric_limits<double>::infinity();
}

// Whatever the source returns, the choice ends, stays inside the table and
// still obeys the filters.
void TestFragewahl::fehlerhafteZufallsquelle()
{
    QFETCH(double, wert);
    Konstante zufall(wert);
    // The options and the entries that pass them.
    const std::vector<std::pair<QString, std::set<int>>> faelle{
        {"", {1, 2, 3}}, {"K", {1, 2, 3}}, {"VK", {2}}, {"RN", {1, 2}}};
    Vokabeltabelle t = baue({{"a", {"", "", "", "a4"}}, {"-b", {"b1", "b2"}}, {"c", {"c1"}, true}});
    for (const auto& [haken, erlaubt] : faelle) {
        for (Richtungswahl wahl : {Richtungswahl::Deutsch, Richtungswahl::Olvani, Richtungswahl::Zufall}) {
            Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(1000, 0));
            const Abfrage a = lauf.NeueAbfrage(wahl, optionen(haken));
            QVERIFY(a.gefunden);
            QVERIFY2(erlaubt.count(lauf.Nummer()), qPrintable(haken));
            QVERIFY(a.frage.seite == Seite::Olvani || gezeigteSpalte(lauf, a) != 0);
        }
    }
}

// The work of one question is bounded whatever the options: the plain loop
// would draw some 20000 values to find the one verb among 10000 entries.
// Counted in random draws, not time, so a busy machine cannot fail it.
void TestFragewahl::begrenzteSucheBeiGrosserTabelle_data()
{
    QTest::addColumn<QString>("haken");
    QTest::addColumn<int>("verben");
    QTest::addColumn<int>("antworten");
    QTest::addColumn<bool>("gefunden");
    QTest::addColumn<int>("hoechstensZuege");
    // One draw for the direction, one for the entry, one for the meaning
    // shown, whatever the options.
    QTest::newRow("ein Verb unter 10000") << "V" << 1 << 0 << true << 3;
    QTest::newRow("ein Verb, vier Filter") << "RWNV" << 1 << 0 << true << 3;
    QTest::newRow("kein Verb") << "V" << 0 << 0 << false << 1;
    QTest::newRow("klug, R = 601, keine Fehler") << "K" << 0 << 30000 << true << 3;
}

void TestFragewahl::begrenzteSucheBeiGrosserTabelle()
{
    QFETCH(QString, haken);
    QFETCH(int, verben);
    QFETCH(int, antworten);
    QFETCH(bool, gefunden);
    QFETCH(int, hoechstensZuege);
    Vokabeltabelle t;
    for (int i = 1; i <= Kapazitaet; ++i)
        t.neuerEintrag(i == 5000 && verben > 0 ? "-verb" : "nomen", {"Bedeutung", "", "", ""}, false);
    Testzufall zufall(9);
    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(antworten, 0));
    long long meisteZuege = 0;
    for (int k = 0; k < 200; ++k) {
        const long long vorher = zufall.gezogeneZufallswerte;
        const Abfrage abfrage = lauf.NeueAbfrage(Richtungswahl::Zufall, optionen(haken));
        QCOMPARE(abfrage.gefunden, gefunden);
        if (gefunden && verben > 0)
            QCOMPARE(lauf.Nummer(), 5000);
        meisteZuege = std::max(meisteZuege, zufall.gezogeneZufallswerte - vorher);
    }
    QVERIFY2(meisteZuege <= hoechstensZuege, qPrintable(QString::number(meisteZuege)));
}

QTEST_GUILESS_MAIN(TestFragewahl)
#include "tst_fragewahl.moc"
