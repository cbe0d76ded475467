#include "quiz/antwortpruefung.h"
#include "quiz/statistikzeile.h"
#include "vocab/fehler.h"

#include <QtTest>

using namespace olvani;

Q_DECLARE_METATYPE(olvani::Form)

namespace {

Vokabeltabelle beispieltabelle()
{
    Vokabeltabelle t;
    t.neuerEintrag("zorp", {"Haus", "Heim", "", ""}, false);      // 1
    t.neuerEintrag("blek", {"Gebäude", "Haus", "", ""}, false);   // 2
    t.neuerEintrag("-gehen", {"gehen", "laufen", "", ""}, false); // 3
    t.neuerEintrag("", {"leer", "", "", ""}, false);              // 4
    t.neuerEintrag("quam", {"Ort", "Platz", "Ort", ""}, false);   // 5
    t.neuerEintrag("quam", {"Ort", "Platz", "Ort", ""}, false);   // 6
    t.neuerEintrag("rund", {"Ort", "", "", ""}, false);           // 7
    t.neuerEintrag("wub", {"Heim", "", "", ""}, false);           // 8
    t.neuerEintrag("zorp", {"Bau", "", "", ""}, false);           // 9
    return t;
}

const std::string zorp = "zorp: Haus Heim   ";
const std::string blek = "blek: Gebäude Haus   ";
const std::string quam = "quam: Ort Platz Ort  ";
const std::string rund = "rund: Ort    ";

// The rate as it stands in the line, between " (" and "%)".
std::string prozentIn(const std::string& zeile)
{
    const std::size_t anfang = zeile.find(" (") + 2;
    return zeile.substr(anfang, zeile.find("%)") - anfang);
}

} // namespace

class TestAntwortpruefung : public QObject {
    Q_OBJECT

private slots:
    void urteil_data();
    void urteil();
    void fuenftesMalUndWiederholung();
    void dochRichtig();
    void prozent_data();
    void prozent();
    void langeZeileWieImBeispiel();
    void ueberlauf_data();
    void ueberlauf();
    void vieleGleicheBedeutungen();
};

void TestAntwortpruefung::urteil_data()
{
    QTest::addColumn<int>("nummer");
    QTest::addColumn<bool>("deutschOffen");
    QTest::addColumn<QString>("deutsch");
    QTest::addColumn<bool>("olvaniOffen");
    QTest::addColumn<QString>("olvani");
    QTest::addColumn<bool>("richtig");
    QTest::addColumn<QString>("loesung");
    const QString z = QString::fromStdString(zorp);
    const QString zb = QString::fromStdString(zorp + " oder " + blek);
    // Foreign word shown: the German side takes the answer.
    QTest::newRow("Wort gezeigt, leer") << 1 << true << "" << false << "zorp" << false << z;
    QTest::newRow("Wort gezeigt, 2. Bedeutung") << 1 << true << "Heim" << false << "zorp" << true << z;
    QTest::newRow("andere Schreibung") << 1 << true << "heim" << false << "zorp" << false << z;
    QTest::newRow("Leerzeichen hinten") << 1 << true << "Heim " << false << "zorp" << false << z;
    QTest::newRow("Bedeutung eines gleichen Wortes") << 1 << true << "Bau" << false << "zorp" << false << z;
    // German meaning shown: the foreign side takes the answer.
    QTest::newRow("Haus: zorp") << 1 << false << "Haus" << true << "zorp" << true << zb;
    QTest::newRow("Haus: blek zählt auch") << 1 << false << "Haus" << true << "blek" << true << zb;
    QTest::newRow("Haus: leer") << 1 << false << "Haus" << true << "" << false << zb;
    QTest::newRow("Haus: wub teilt nur Heim") << 1 << false << "Haus" << true << "wub" << false << zb;
    QTest::newRow("Verb ohne Bindestrich") << 3 << false << "gehen" << true << "gehen" << false << "-gehen: gehen laufen   ";
    QTest::newRow("Verb mit Bindestrich") << 3 << false << "gehen" << true << "-gehen" << true << "-gehen: gehen laufen   ";
    QTest::newRow("leeres Wort, leere Antwort") << 4 << false << "leer" << true << "" << true << ": leer    ";
    QTest::newRow("doppelt gelistet, gleiche Einträge")
        << 7 << false << "Ort" << true << "quam" << true
        << QString::fromStdString(rund + " oder " + quam + " oder " + quam + " oder " + quam + " oder " + quam);
    QTest::newRow("Nummer selbst nie angehängt")
        << 5 << false << "Ort" << true << "rund" << true
        << QString::fromStdString(quam + " oder " + quam + " oder " + quam + " oder " + rund);
    QTest::newRow("beide Felder gesperrt") << 1 << false << "Haus" << false << "zorp" << false << z;
}

void TestAntwortpruefung::urteil()
{
    QFETCH(int, nummer);
    QFETCH(bool, deutschOffen);
    QFETCH(QString, deutsch);
    QFETCH(bool, olvaniOffen);
    QFETCH(QString, olvani);
    QFETCH(bool, richtig);
    QFETCH(QString, loesung);
    Vokabeltabelle t = beispieltabelle();
    Durchlauf lauf;
    lauf.Nummer = nummer;
    const Antwort antwort{deutsch.toStdString(), deutschOffen, olvani.toStdString(), olvaniOffen};
    const Urteil u = pruefeAntwort(t, lauf, antwort, ",");

    QCOMPARE(u.richtig, richtig);
    QCOMPARE(QString::fromStdString(u.verdikt), (richtig ? "Richtig! " : "Falsch! Richtig ist ") + loesung);
    QVERIFY(!u.fuenftesMalRichtig);
    QCOMPARE(int(lauf.Erfolge), richtig ? 1 : 0);
    QCOMPARE(int(lauf.Fehler), richtig ? 0 : 1);
    // Only entry Nummer is counted, whichever entry's word was typed.
    for (int i = 1; i <= t.Anzahl(); ++i) {
        QCOMPARE(t.RichtigZaehler(i), i == nummer && richtig ? 1 : 0);
        QCOMPARE(t.FalschZaehler(i), i == nummer && !richtig ? 1 : 0);
    }
}

void TestAntwortpruefung::fuenftesMalUndWiederholung()
{
    Vokabeltabelle t = beispieltabelle();
    Durchlauf lauf;
    lauf.Nummer = 2;
    const Antwort richtig{"Haus", true, "blek", false};
    for (int mal = 1; mal <= 6; ++mal) {
        const Urteil u = pruefeAntwort(t, lauf, richtig, ",");
        QVERIFY(u.richtig);
        QCOMPARE(u.fuenftesMalRichtig, mal == 5);
    }
    // "Richtig?" again without a new question: both boxes are disabled now.
    const Urteil u = pruefeAntwort(t, lauf, Antwort{}, ",");
    QVERIFY(!u.richtig);
    QCOMPARE(u.verdikt, "Falsch! Richtig ist " + blek);
    QCOMPARE(t.RichtigZaehler(2), 6);
    QCOMPARE(t.FalschZaehler(2), 1);
    QCOMPARE(u.statistikzeile, std::string("Versuche: 7 / Erfolge: 6 (86%) / Fehler: 1 / Wörter: 9"
                                     " / letztes Wort richtig  6 / letztes Wort falsch  1"));
}

void TestAntwortpruefung::dochRichtig()
{
    Vokabeltabelle t = beispieltabelle();
    Durchlauf lauf;
    // Before any answer: nothing to divide by, the rate reads 0.
    QCOMPARE(DochRichtig(t, lauf, ","), std::string("Versuche: 0 / Erfolge: 1 (0%) / Fehler: -1 / Wörter: 9"));

    lauf.Erfolge = 0;
    lauf.Fehler = 0;
    lauf.Nummer = 1;
    QVERIFY(!pruefeAntwort(t, lauf, Antwort{"falsch", true, "", false}, ",").richtig);
    DochRichtig(t, lauf, ",");
    QCOMPARE(DochRichtig(t, lauf, ","), std::string("Versuche: 1 / Erfolge: 2 (200%) / Fehler: -1 / Wörter: 9"));
    // The correction leaves the entry's own counters alone.
    QCOMPARE(t.RichtigZaehler(1), 0);
    QCOMPARE(t.FalschZaehler(1), 1);
}

void TestAntwortpruefung::prozent_data()
{
    QTest::addColumn<int>("erfolge");
    QTest::addColumn<int>("fehler");
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("trenner");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 von 8: 12,5 zu 12") << 1 << 7 << Form::Lang << "," << "12";
    QTest::newRow("3 von 8: 37,5 zu 38") << 3 << 5 << Form::Lang << "," << "38";
    QTest::newRow("5 von 8: 62,5 zu 62") << 5 << 3 << Form::Lang << "," << "62";
    QTest::newRow("1 von 40: 2,5 zu 2") << 1 << 39 << Form::Lang << "," << "2";
    QTest::newRow("2 von 3 lang") << 2 << 1 << Form::Lang << "," << "67";
    QTest::newRow("2 von 3 kurz, deutsch") << 2 << 1 << Form::Kurz << "," << "66,67";
    QTest::newRow("2 von 3 kurz, englisch") << 2 << 1 << Form::Kurz << "." << "66.67";
    QTest::newRow("5 von 8 kurz: keine Null hinten") << 5 << 3 << Form::Kurz << "," << "62,5";
    QTest::newRow("1 von 32 kurz: 3,125 zu 3,12") << 1 << 31 << Form::Kurz << "," << "3,12";
    QTest::newRow("3 von 32 kurz: 9,375 zu 9,38") << 3 << 29 << Form::Kurz << "," << "9,38";
    // 100 / 24 * 15 is 62.50000000000001 in double precision, not 62.5.
    QTest::newRow("15 von 24: erst teilen, dann malnehmen") << 15 << 9 << Form::Lang << "," << "63";
    QTest::newRow("ganz, kurz") << 4 << 0 << Form::Kurz << "," << "100";
    QTest::newRow("nichts richtig") << 0 << 3 << Form::Lang << "," << "0";
}

void TestAntwortpruefung::prozent()
{
    QFETCH(int, erfolge);
    QFETCH(int, fehler);
    QFETCH(Form, form);
    QFETCH(QString, trenner);
    QFETCH(QString, text);
    Vokabeltabelle t = beispieltabelle();
    Durchlauf lauf;
    lauf.Erfolge = erfolge;
    lauf.Fehler = fehler;
    QCOMPARE(QString::fromStdString(prozentIn(Statistikzeile(t, lauf, form, trenner.toStdString()))), text);
}

void TestAntwortpruefung::langeZeileWieImBeispiel()
{
    Vokabeltabelle t;
    Durchlauf lauf;
    for (int i = 1; i <= 250; ++i)
        t.neuerEintrag(std::string("w").append(std::to_string(i)), {"b", "", "", ""}, false);
    lauf.Nummer = 17;
    lauf.Erfolge = 4;
    lauf.Fehler = 3;
    t.zaehleRichtig(17);
    t.zaehleFalsch(17);
    const Urteil u = pruefeAntwort(t, lauf, Antwort{"b", true, "", false}, ",");
    QCOMPARE(u.statistikzeile, std::string("Versuche: 8 / Erfolge: 5 (62%) / Fehler: 3 / Wörter: 250"
                                     " / letztes Wort richtig  2 / letztes Wort falsch  1"));
    QCOMPARE(Statistikzeile(t, lauf, Form::Kurz, ","), std::string("Versuche: 8 / Erfolge: 5 (62,5%) / Fehler: 3 / Wörter: 250"));
}

void TestAntwortpruefung::ueberlauf_data()
{
    QTest::addColumn<int>("erfolge");
    QTest::addColumn<int>("fehler");
    QTest::addColumn<bool>("korrektur"); // "Doch Richtig!" instead of a correct answer
    QTest::newRow("Erfolge über 32767") << 32767 << 0 << false;
    QTest::newRow("Versuche über 32767") << 16384 << 16383 << false;
    QTest::newRow("Fehler unter -32768") << 0 << -32768 << true;
    QTest::newRow("Erfolge über 32767 durch Korrektur") << 32767 << -5 << true;
}

void TestAntwortpruefung::ueberlauf()
{
    QFETCH(int, erfolge);
    QFETCH(int, fehler);
    QFETCH(bool, korrektur);
    Vokabeltabelle t = beispieltabelle();
    Durchlauf lauf;
    lauf.Nummer = 1;
    lauf.Erfolge = erfolge;
    lauf.Fehler = fehler;
    if (korrektur)
        QVERIFY_THROWS_EXCEPTION(FatalerFehler, DochRichtig(t, lauf, ","));
    else
        QVERIFY_THROWS_EXCEPTION(FatalerFehler, pruefeAntwort(t, lauf, Antwort{"Haus", true, "", false}, ","));
}

// Every entry shares the meaning shown: one scan, a solution that lists all
// of them once, in order.
void TestAntwortpruefung::vieleGleicheBedeutungen()
{
    Vokabeltabelle t;
    Durchlauf lauf;
    for (int i = 1; i <= Kapazitaet; ++i)
        t.neuerEintrag(std::string("w").append(std::to_string(i)), {"gleich", "", "", ""}, false);
    lauf.Nummer = 5000;
    const Urteil u = pruefeAntwort(t, lauf, Antwort{"gleich", false, "w10000", true}, ",");
    QVERIFY(u.richtig);
    QVERIFY(u.verdikt.starts_with("Richtig! w5000: gleich     oder w1: gleich     oder w2: "));
    QVERIFY(u.verdikt.find(" oder w5000:") == std::string::npos);
    QVERIFY(u.verdikt.ends_with("oder w9999: gleich     oder w10000: gleich    "));
    std::size_t oder = 0;
    for (std::size_t p = u.verdikt.find(" oder "); p != std::string::npos; p = u.verdikt.find(" oder ", p + 1))
        ++oder;
    QCOMPARE(oder, std::size_t(Kapazitaet - 1));
}

QTEST_GUILESS_MAIN(TestAntwortpruefung)
#include "tst_antwortpruefung.moc"
