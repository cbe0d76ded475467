// The choice of the question against the plain rejection loop it stands
// for: the same distribution, and an answer where the loop never ends.
#include "quiz/durchlauf.h"
#include "stuetzen/testtabellen.h"
#include "stuetzen/testzufall.h"

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

// The asked marks by entry, 0 unused.
using Marken = std::vector<bool>;

bool rundeFaellig(const Vokabeltabelle& t, const Marken& gefragt, const Optionen& o)
{
    int n = 0;
    for (int i = 1; i <= t.Anzahl(); ++i) {
        n += gefragt[std::size_t(i)];
        if (t.Wort(i).rfind("-", 0) != 0 && o.ohneKennung && o.nurVerben)
            n += 1;
    }
    return n >= t.Anzahl() - 1;
}

// The check-box tests of one pick.
bool bestehtFilter(const Vokabeltabelle& t, const Marken& gefragt, int i, const Optionen& o)
{
    const bool verb = t.Wort(i).rfind("-", 0) == 0;
    return !(o.ohneFuenfmalRichtige && t.RichtigZaehler(i) > 4) && !(o.jedesWortEinmal && gefragt[std::size_t(i)])
           && !(o.ohneKennung && t.Kennung(i)) && !(o.nurVerben && !verb);
}

bool hatBedeutung(const Vokabeltabelle& t, int i)
{
    for (int k = 1; k <= 5; ++k)
        if (!t.Bedeutung(i, k).empty())
            return true;
    return false;
}

struct Referenzfrage {
    Seite seite = Seite::Deutsch;
    int nummer = 0;
    int spalte = 0; // 0 when the foreign word is shown
    bool rundeVorbei = false;
};

// nullopt where the literal loop would never end (cut off by a safety cap).
std::optional<Referenzfrage> referenzAbfrage(const Vokabeltabelle& t, Marken& gefragt, int antworten,
                                             Richtungswahl wahl, const Optionen& o, Zufallsquelle& z)
{
    constexpr int Grenze = 1'000'000;
    Referenzfrage f;
    int d = int(2 * z.r() + 1);
    if (wahl == Richtungswahl::Deutsch)
        d = 2;
    if (wahl == Richtungswahl::Olvani)
        d = 1;
    f.seite = d == 1 ? Seite::Olvani : Seite::Deutsch;
    for (int schritt = 0; schritt < Grenze; ++schritt) {
        const int nummer = int(t.Anzahl() * z.r() + 1);
        if (rundeFaellig(t, gefragt, o)) {
            gefragt.assign(gefragt.size(), false);
            f.rundeVorbei = true;
        }
        if (!bestehtFilter(t, gefragt, nummer, o))
            continue;
        const double r = std::nearbyint(antworten / 50.0 + 1); // ties to even
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
        if (o.ohneKennung)
            gefragt[std::size_t(nummer)] = true;
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

std::vector<Vokabel> vergleichstabelle(int art)
{
    if (art == 0)
        return {
            {"-a", {"a1", "a2", "", ""}}, {"-b", {"b1", "", "", "b4"}, true, 5, 2},
            {"c", {"c1", "c2", "c3", ""}, false, 1, 1, true}, {"-d", {"d1"}, false, 6, 0},
            {"e", {"", "", "", "e4"}, true, 0, 3}, {"-f", {"f1", "f2"}, false, 2, 7, true},
        };
    if (art == 1) {
        std::vector<Vokabel> v(30, Vokabel{"nomen"});
        v[7] = {"-x", {"x1", "x2"}, false, 0, 0};
        v[22] = {"-y", {"y1"}, false, 0, 4};
        return v;
    }
    return {{"p", {"p1"}, false, 0, 0, true}, {"q", {"q1"}, false, 0, 0, true},
            {"r", {"r1", "r2"}, false, 0, 0, true}, {"s", {"s1"}}};
}

Marken marken(const std::vector<Vokabel>& vokabeln)
{
    Marken gefragt(vokabeln.size() + 1);
    for (const int i : gefragte(vokabeln))
        gefragt[std::size_t(i)] = true;
    return gefragt;
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
    QTest::newRow("gemischt, Neu+NurVerben") << 0 << Richtungswahl::Olvani << "NV" << 0 << 20000;
    QTest::newRow("2 von 30 passen, klug R=11") << 1 << Richtungswahl::Olvani << "VK" << 500 << 6000;
    QTest::newRow("Rundenende, dann Wort") << 2 << Richtungswahl::Zufall << "NW" << 0 << 20000;
}

// The fast selection must draw from the same distribution as the literal
// loop: both start each draw from the same table and marks, and a two-sample chi-square
// over (direction, entry, column) must stay far below a loose bound.
void TestFragewahlReferenz::wieReferenzschleife()
{
    QFETCH(int, tabelle);
    QFETCH(Richtungswahl, wahl);
    QFETCH(QString, haken);
    QFETCH(int, antworten);
    QFETCH(int, ziehungen);
    const std::vector<Vokabel> vokabeln = vergleichstabelle(tabelle);
    Vokabeltabelle t = baue(vokabeln);
    const Optionen o = optionen(haken);
    Testzufall zufallSchnell(101), zufallReferenz(202);
    std::map<int, std::array<int, 2>> zahl;
    for (int k = 0; k < ziehungen; ++k) {
        Durchlauf lauf(t, zufallSchnell, Durchlauf::Stand().mitAntworten(antworten, 0).mitGefragt(gefragte(vokabeln)));
        const Abfrage a = lauf.NeueAbfrage(wahl, o);
        Marken gefragt = marken(vokabeln);
        const std::optional<Referenzfrage> ref = referenzAbfrage(t, gefragt, antworten, wahl, o, zufallReferenz);
        QVERIFY(a.gefunden && ref);
        QCOMPARE(a.rundeVorbei, ref->rundeVorbei);
        ++zahl[(a.frage.seite == Seite::Deutsch ? 1000 : 0) + 10 * lauf.Nummer() + gezeigteSpalte(lauf, a)][0];
        ++zahl[(ref->seite == Seite::Deutsch ? 1000 : 0) + 10 * ref->nummer + ref->spalte][1];
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
// hang, and gefunden = false exactly when no entry passes the filters, not
// even once the asked marks are reset.
void TestFragewahlReferenz::alleOptionenAufZufallstabellen()
{
    std::mt19937 gen(2024);
    const auto wuerfel = [&gen](int n) { return int(gen() % unsigned(n)); };
    const std::vector<std::string> woerter{"-geh", "haus", "", " -kein", "-"};
    for (int tabelle = 0; tabelle < 60; ++tabelle) {
        const int art = tabelle % 5; // 0 mixed, 1 no verbs, 2 all with Kennung, 3 all five times right, 4 no meanings
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
        Vokabeltabelle t = baue(vokabeln);
        const int antworten = wuerfel(200);
        const int nummer = wuerfel(t.Anzahl() + 1);
        for (int maske = 0; maske < 32; ++maske) {
            const Optionen o{bool(maske & 1), bool(maske & 2), bool(maske & 4), bool(maske & 8), bool(maske & 16)};
            for (Richtungswahl wahl : {Richtungswahl::Deutsch, Richtungswahl::Olvani, Richtungswahl::Zufall}) {
                const QString fall = QString("Tabelle %1, Optionen %2, Wahl %3").arg(tabelle).arg(maske).arg(int(wahl));
                Marken erwartet = marken(vokabeln);
                bool faellig = rundeFaellig(t, erwartet, o);
                if (faellig)
                    erwartet.assign(erwartet.size(), false);
                Testzufall zufall(unsigned(tabelle * 100 + maske));
                Durchlauf lauf(t, zufall, Durchlauf::Stand().mitAntworten(antworten, 0).mitGefragt(gefragte(vokabeln)).mitFrage(nummer, {}));
                const Abfrage a = lauf.NeueAbfrage(wahl, o);

                const bool deutsch = a.frage.seite == Seite::Deutsch;
                if (wahl != Richtungswahl::Zufall)
                    QVERIFY2(deutsch == (wahl == Richtungswahl::Deutsch), qPrintable(fall));
                const auto passt = [&](const Marken& gefragt) {
                    bool irgendeiner = false;
                    for (int i = 1; i <= t.Anzahl(); ++i)
                        irgendeiner |= bestehtFilter(t, gefragt, i, o) && (!deutsch || hatBedeutung(t, i));
                    return irgendeiner;
                };
                bool gefunden = passt(erwartet);
                // Where only the asked marks keep every entry out, the round
                // ends instead of the search.
                if (!gefunden && o.jedesWortEinmal && passt(Marken(erwartet.size()))) {
                    gefunden = faellig = true;
                    erwartet.assign(erwartet.size(), false);
                }
                QVERIFY2(a.rundeVorbei == faellig, qPrintable(fall));
                QVERIFY2(a.gefunden == gefunden, qPrintable(fall));
                const int n = lauf.Nummer();
                if (!a.gefunden) {
                    QVERIFY2(n == nummer && !lauf.offeneFrage(), qPrintable(fall));
                    continue;
                }
                QVERIFY2(n >= 1 && n <= t.Anzahl() && bestehtFilter(t, erwartet, n, o), qPrintable(fall));
                QVERIFY2(deutsch ? gezeigteSpalte(lauf, a) != 0 : a.frage.gezeigt == t.Wort(n), qPrintable(fall));
                QVERIFY2(lauf.Gefragt(n) == (o.ohneKennung ? 1 : int(erwartet[std::size_t(n)])), qPrintable(fall));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestFragewahlReferenz)
#include "tst_fragewahl_referenz.moc"
