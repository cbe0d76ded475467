// The choice of the question against the plain rejection loop it stands
// for: the same distribution, and an answer where the loop never ends.
#include "quiz/fragewahl.h"
#include "stuetzen/testplattform.h"
#include "stuetzen/testtabellen.h"

#include <QtTest>

#include <cmath>
#include <map>
#include <optional>
#include <set>

using namespace olvani;
using namespace olvani::testtabellen;

Q_DECLARE_METATYPE(olvani::Richtungswahl)

namespace {

// ---- The plain rejection loop: pick, count, filters, smart training,
// repeated until a pick is accepted. Deliberately literal and slow; the fast
// selection must match its distribution.

bool rundeFaellig(const Vokabeltabelle& t, const Optionen& o)
{
    int n = 0;
    for (int i = 1; i <= t.Anzahl(); ++i) {
        n += t.Gefragt(i);
        if (t.Wort(i).rfind("-", 0) != 0 && o.ohneMarkierte && o.nurVerben)
            n += 1;
    }
    return n >= t.Anzahl() - 1;
}

bool hatBedeutung(const Vokabeltabelle& t, int i)
{
    for (int k = 1; k <= 5; ++k)
        if (!t.Bedeutung(i, k).empty())
            return true;
    return false;
}

struct Referenzfrage {
    Richtung richtung = Richtung::Deutsch;
    int nummer = 0;
    int spalte = 0; // 0 when the foreign word is shown
    bool rundeVorbei = false;
};

// nullopt where the literal loop would never end (cut off by a safety cap).
std::optional<Referenzfrage> referenzAbfrage(Vokabeltabelle& t, const Durchlauf& lauf, Richtungswahl wahl,
                                             const Optionen& o, Zufallsquelle& z)
{
    constexpr int Grenze = 1'000'000;
    Referenzfrage f;
    int d = int(2 * z.r() + 1);
    if (wahl == Richtungswahl::Deutsch)
        d = 2;
    if (wahl == Richtungswahl::Fremdsprache)
        d = 1;
    f.richtung = d == 1 ? Richtung::Fremdsprache : Richtung::Deutsch;
    for (int schritt = 0; schritt < Grenze; ++schritt) {
        const int nummer = int(t.Anzahl() * z.r() + 1);
        if (rundeFaellig(t, o)) {
            for (int i = 1; i <= t.Anzahl(); ++i)
                t.setzeGefragt(i, false);
            f.rundeVorbei = true;
        }
        if (!bestehtFilter(t, nummer, o))
            continue;
        const double r = std::nearbyint((lauf.Fehler + lauf.Erfolge) / 50.0 + 1); // ties to even
        const int x = int((r + 1) * z.r());
        if (o.klugesTraining && t.FalschZaehler(nummer) < x)
            continue;
        f.nummer = nummer;
        for (int versuch = 0; d == 2 && f.spalte == 0 && versuch < Grenze; ++versuch) {
            const int c = int(5 * z.r() + 1);
            if (!t.Bedeutung(nummer, c).empty())
                f.spalte = c;
        }
        if (d == 2 && f.spalte == 0)
            return std::nullopt;
        if (o.ohneMarkierte)
            t.setzeGefragt(nummer, true);
        return f;
    }
    return std::nullopt;
}

} // namespace

class TestFragewahlReferenz : public QObject {
    Q_OBJECT

private slots:
    void wieReferenzschleife_data();
    void wieReferenzschleife();
    void alleOptionenAufZufallstabellen();
};

Vokabeltabelle vergleichstabelle(int art)
{
    if (art == 0)
        return baue({
            {"-a", {"a1", "a2", "", ""}}, {"-b", {"b1", "", "", "b4"}, true, 5, 2},
            {"c", {"c1", "c2", "c3", ""}, false, 1, 1, true}, {"-d", {"d1"}, false, 6, 0},
            {"e", {"", "", "", "e4"}, true, 0, 3}, {"-f", {"f1", "f2"}, false, 2, 7, true},
        });
    if (art == 1) {
        std::vector<Vokabel> v(30, Vokabel{"nomen"});
        v[7] = {"-x", {"x1", "x2"}, false, 0, 0};
        v[22] = {"-y", {"y1"}, false, 0, 4};
        return baue(v);
    }
    return baue({{"p", {"p1"}, false, 0, 0, true}, {"q", {"q1"}, false, 0, 0, true},
                 {"r", {"r1", "r2"}, false, 0, 0, true}, {"s", {"s1"}}});
}

void TestFragewahlReferenz::wieReferenzschleife_data()
{
    QTest::addColumn<int>("tabelle");
    QTest::addColumn<Richtungswahl>("wahl");
    QTest::addColumn<QString>("haken");
    QTest::addColumn<int>("antworten");
    QTest::addColumn<int>("ziehungen");
    QTest::newRow("gemischt, ohne Optionen") << 0 << Richtungswahl::Zufall << "" << 0 << 20000;
    QTest::newRow("gemischt, Deutsch, kluges Training R=3") << 0 << Richtungswahl::Deutsch << "K" << 120 << 20000;
    QTest::newRow("gemischt, Richtig+Wort+klug R=2") << 0 << Richtungswahl::Zufall << "RWK" << 30 << 20000;
    QTest::newRow("gemischt, Neu+NurVerben") << 0 << Richtungswahl::Fremdsprache << "NV" << 0 << 20000;
    QTest::newRow("2 von 30 passen, klug R=11") << 1 << Richtungswahl::Fremdsprache << "VK" << 500 << 6000;
    QTest::newRow("Rundenende, dann Wort") << 2 << Richtungswahl::Zufall << "NW" << 0 << 20000;
}

// The fast selection must draw from the same distribution as the literal
// loop: both run on fresh copies of one table, and a two-sample chi-square
// over (direction, entry, column) must stay far below a loose bound.
void TestFragewahlReferenz::wieReferenzschleife()
{
    QFETCH(int, tabelle);
    QFETCH(Richtungswahl, wahl);
    QFETCH(QString, haken);
    QFETCH(int, antworten);
    QFETCH(int, ziehungen);
    const Vokabeltabelle basis = vergleichstabelle(tabelle);
    Durchlauf basisLauf;
    basisLauf.Erfolge = antworten;
    const Optionen o = optionen(haken);
    Testplattform zufallSchnell(101), zufallReferenz(202);
    std::map<int, std::array<int, 2>> zahl;
    for (int k = 0; k < ziehungen; ++k) {
        Vokabeltabelle a = basis;
        Durchlauf laufA = basisLauf;
        const Frage f = NeueAbfrage(a, laufA, wahl, o, zufallSchnell);
        Vokabeltabelle b = basis;
        const std::optional<Referenzfrage> ref = referenzAbfrage(b, basisLauf, wahl, o, zufallReferenz);
        QVERIFY(f.gefunden && ref);
        QCOMPARE(f.rundeVorbei, ref->rundeVorbei);
        ++zahl[(f.richtung == Richtung::Deutsch ? 1000 : 0) + 10 * laufA.Nummer + gezeigteSpalte(a, laufA, f)][0];
        ++zahl[(ref->richtung == Richtung::Deutsch ? 1000 : 0) + 10 * ref->nummer + ref->spalte][1];
    }
    double chiQuadrat = 0;
    for (const auto& [ausgang, z] : zahl)
        chiQuadrat += double(z[0] - z[1]) * (z[0] - z[1]) / (z[0] + z[1]);
    const double freiheitsgrade = double(zahl.size()) - 1;
    QVERIFY2(chiQuadrat < freiheitsgrade + 6 * std::sqrt(2 * freiheitsgrade) + 6,
             qPrintable(QString("chi² %1 bei %2 Freiheitsgraden").arg(chiQuadrat).arg(freiheitsgrade)));
}

// Every option combination and direction on small random tables, including
// ones where nothing can qualify: a question or gefunden = false, never a
// hang, and gefunden = false exactly when no entry passes the filters.
void TestFragewahlReferenz::alleOptionenAufZufallstabellen()
{
    std::mt19937 gen(2024);
    const auto wuerfel = [&gen](int n) { return int(gen() % unsigned(n)); };
    const std::vector<std::string> woerter{"-geh", "haus", "", " -kein", "-"};
    for (int tabelle = 0; tabelle < 60; ++tabelle) {
        const int art = tabelle % 5; // 0 mixed, 1 no verbs, 2 all flagged, 3 all five times right, 4 no meanings
        std::vector<Vokabel> vokabeln(std::size_t(1 + wuerfel(6)));
        for (Vokabel& v : vokabeln) {
            v.wort = art == 1 ? "wort" : woerter[std::size_t(wuerfel(5))];
            for (std::string& b : v.bedeutung)
                b = art == 4 || wuerfel(5) < 2 ? "" : std::string("m").append(std::to_string(wuerfel(3)));
            v.kennung = art == 2 || wuerfel(3) == 0;
            v.richtig = art == 3 ? 5 + wuerfel(2) : wuerfel(7);
            v.falsch = wuerfel(4);
            v.gefragt = wuerfel(3) == 0;
        }
        const Vokabeltabelle basis = baue(vokabeln);
        Durchlauf basisLauf;
        basisLauf.Erfolge = wuerfel(200);
        basisLauf.Nummer = wuerfel(basis.Anzahl() + 1);
        for (int maske = 0; maske < 32; ++maske) {
            const Optionen o{bool(maske & 1), bool(maske & 2), bool(maske & 4), bool(maske & 8), bool(maske & 16)};
            for (Richtungswahl wahl : {Richtungswahl::Deutsch, Richtungswahl::Fremdsprache, Richtungswahl::Zufall}) {
                const QString fall = QString("Tabelle %1, Optionen %2, Wahl %3").arg(tabelle).arg(maske).arg(int(wahl));
                Vokabeltabelle erwartet = basis;
                const bool faellig = rundeFaellig(erwartet, o);
                if (faellig)
                    erwartet.setzeGefragtZurueck();
                Vokabeltabelle t = basis;
                Durchlauf lauf = basisLauf;
                Testplattform zufall(unsigned(tabelle * 100 + maske));
                const Frage f = NeueAbfrage(t, lauf, wahl, o, zufall);

                const bool deutsch = f.richtung == Richtung::Deutsch;
                if (wahl != Richtungswahl::Zufall)
                    QVERIFY2(deutsch == (wahl == Richtungswahl::Deutsch), qPrintable(fall));
                bool passt = false;
                for (int i = 1; i <= erwartet.Anzahl(); ++i)
                    passt = passt || (bestehtFilter(erwartet, i, o) && (!deutsch || hatBedeutung(erwartet, i)));
                QVERIFY2(f.rundeVorbei == faellig, qPrintable(fall));
                QVERIFY2(f.gefunden == passt, qPrintable(fall));
                const int n = lauf.Nummer;
                if (!f.gefunden) {
                    QVERIFY2(n == basisLauf.Nummer, qPrintable(fall));
                    continue;
                }
                QVERIFY2(n >= 1 && n <= t.Anzahl() && bestehtFilter(erwartet, n, o), qPrintable(fall));
                QVERIFY2(f.olvani == (deutsch ? "" : t.Wort(n)), qPrintable(fall));
                QVERIFY2(deutsch ? gezeigteSpalte(t, lauf, f) != 0 && !f.deutsch.empty() : f.deutsch.empty(),
                         qPrintable(fall));
                QVERIFY2(t.Gefragt(n) == (o.ohneMarkierte ? 1 : erwartet.Gefragt(n)), qPrintable(fall));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestFragewahlReferenz)
#include "tst_fragewahl_referenz.moc"
