// Judging an answer against the entry asked, and the solution shown with the
// verdict.
#include "quiz/durchlauf.h"
#include "stuetzen/testzufall.h"

#include <QtTest>

using namespace olvani;

namespace {
// Judging draws nothing; the runs need a source all the same.
Testzufall zufall;
} // namespace

Q_DECLARE_METATYPE(olvani::Seite)

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

} // namespace

class TestAntwortpruefung : public QObject {
    Q_OBJECT

private slots:
    void urteil_data();
    void urteil();
    void vieleGleicheBedeutungen();
};

void TestAntwortpruefung::urteil_data()
{
    QTest::addColumn<int>("nummer");
    QTest::addColumn<bool>("offen"); // a question waits for its answer
    QTest::addColumn<Seite>("richtung");
    QTest::addColumn<QString>("gezeigt");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<bool>("richtig");
    QTest::addColumn<QString>("loesung");
    const QString z = QString::fromStdString(zorp);
    const QString zb = QString::fromStdString(zorp + " oder " + blek);
    const Seite wort = Seite::Olvani, bedeutung = Seite::Deutsch;
    // Foreign word shown: a German meaning is the answer.
    QTest::newRow("Wort gezeigt, leer") << 1 << true << wort << "zorp" << "" << false << z;
    QTest::newRow("Wort gezeigt, 2. Bedeutung") << 1 << true << wort << "zorp" << "Heim" << true << z;
    QTest::newRow("andere Schreibung") << 1 << true << wort << "zorp" << "heim" << false << z;
    QTest::newRow("Leerzeichen hinten") << 1 << true << wort << "zorp" << "Heim " << false << z;
    QTest::newRow("Bedeutung eines gleichen Wortes") << 1 << true << wort << "zorp" << "Bau" << false << z;
    // German meaning shown: the foreign word is the answer.
    QTest::newRow("Haus: zorp") << 1 << true << bedeutung << "Haus" << "zorp" << true << zb;
    QTest::newRow("Haus: blek zählt auch") << 1 << true << bedeutung << "Haus" << "blek" << true << zb;
    QTest::newRow("Haus: leer") << 1 << true << bedeutung << "Haus" << "" << false << zb;
    QTest::newRow("Haus: wub teilt nur Heim") << 1 << true << bedeutung << "Haus" << "wub" << false << zb;
    QTest::newRow("Verb ohne Bindestrich") << 3 << true << bedeutung << "gehen" << "gehen" << false << "-gehen: gehen laufen   ";
    QTest::newRow("Verb mit Bindestrich") << 3 << true << bedeutung << "gehen" << "-gehen" << true << "-gehen: gehen laufen   ";
    QTest::newRow("leeres Wort, leere Antwort") << 4 << true << bedeutung << "leer" << "" << true << ": leer    ";
    QTest::newRow("doppelt gelistet, gleiche Einträge")
        << 7 << true << bedeutung << "Ort" << "quam" << true
        << QString::fromStdString(rund + " oder " + quam + " oder " + quam + " oder " + quam + " oder " + quam);
    QTest::newRow("Nummer selbst nie angehängt")
        << 5 << true << bedeutung << "Ort" << "rund" << true
        << QString::fromStdString(quam + " oder " + quam + " oder " + quam + " oder " + rund);
    // After a verdict no question is open: whatever is typed is wrong.
    QTest::newRow("keine Frage offen") << 1 << false << bedeutung << "Haus" << "zorp" << false << z;
}

void TestAntwortpruefung::urteil()
{
    QFETCH(int, nummer);
    QFETCH(bool, offen);
    QFETCH(Seite, richtung);
    QFETCH(QString, gezeigt);
    QFETCH(QString, getippt);
    QFETCH(bool, richtig);
    QFETCH(QString, loesung);
    Vokabeltabelle t = beispieltabelle();
    std::optional<Frage> frage;
    if (offen)
        frage = Frage{richtung, gezeigt.toStdString()};
    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitFrage(nummer, frage));
    const Urteil u = lauf.pruefeAntwort(getippt.toStdString());

    QCOMPARE(u.richtig, richtig);
    QCOMPARE(QString::fromStdString(u.verdikt), (richtig ? "Richtig! " : "Falsch! Richtig ist ") + loesung);
    // The window finds the entries where the verdict says they begin: the
    // first after the caption, each further one after its " oder ".
    QCOMPARE(qsizetype(u.eintraege.size()), loesung.count(" oder ") + 1);
    QCOMPARE(u.eintraege.front(), u.verdikt.size() - loesung.toStdString().size());
    for (std::size_t i = 1; i < u.eintraege.size(); ++i)
        QCOMPARE(u.verdikt.substr(u.eintraege[i] - 6, 6), std::string(" oder "));
    QVERIFY(u.meldungen.empty());
    QVERIFY(!lauf.offeneFrage());
    QCOMPARE(lauf.Erfolge(), richtig ? 1 : 0);
    QCOMPARE(lauf.Fehler(), richtig ? 0 : 1);
    // Only entry Nummer is counted, whichever entry's word was typed.
    const Vokabeltabelle& gezaehlt = lauf.tabelle();
    for (int i = 1; i <= gezaehlt.Anzahl(); ++i) {
        QCOMPARE(gezaehlt.RichtigZaehler(i), i == nummer && richtig ? 1 : 0);
        QCOMPARE(gezaehlt.FalschZaehler(i), i == nummer && !richtig ? 1 : 0);
    }
}

// Every entry shares the meaning shown: one scan, a solution that lists all
// of them once, in order.
void TestAntwortpruefung::vieleGleicheBedeutungen()
{
    Vokabeltabelle t;
    for (int i = 1; i <= Kapazitaet; ++i)
        t.neuerEintrag(std::string("w").append(std::to_string(i)), {"gleich", "", "", ""}, false);
    Durchlauf lauf(t, zufall, Durchlauf::Stand().mitFrage(5000, Frage{Seite::Deutsch, "gleich"}));
    const Urteil u = lauf.pruefeAntwort("w10000");
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
