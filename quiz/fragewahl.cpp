#include "fragewahl.h"

#include "rundung.h"

#include <algorithm>
#include <cstdint>

namespace olvani {

namespace {

// floor(r * anzahl) as an index 0..anzahl-1. A faulty source (r outside
// [0, 1), NaN) is clamped rather than allowed to index outside the table.
template <typename T>
T ganzzahl(double r, T anzahl)
{
    if (!(r > 0.0))
        return 0;
    if (r >= 1.0)
        return anzahl - 1;
    return std::min(static_cast<T>(r * static_cast<double>(anzahl)), anzahl - 1);
}

bool qualifiziert(const Vokabeltabelle& t, const std::vector<bool>& gefragt, int i, const Optionen& o,
                  Seite gezeigt)
{
    if (o.ohneFuenfmalRichtige && t.RichtigZaehler(i) > 4)
        return false;
    if (o.jedesWortEinmal && gefragt[static_cast<std::size_t>(i)])
        return false;
    if (o.ohneKennung && t.Kennung(i))
        return false;
    if (o.nurVerben && !t.istVerb(i))
        return false;
    return gezeigt == Seite::Olvani || t.belegteBedeutungen(i) > 0;
}

// The chance of entry i to be asked, relative to the others. Drawing a
// uniform entry and keeping it while smart training lets it pass (with
// probability min(f + 1, R + 1) / (R + 1) for f wrong answers), until one is
// kept, asks each qualifying entry in proportion to this weight.
int gewicht(const Vokabeltabelle& t, int i, const Optionen& o, int r)
{
    if (!o.klugesTraining)
        return 1;
    return std::min(t.FalschZaehler(i) + 1, r + 1);
}

} // namespace

int klugesTrainingR(int erfolge, int fehler)
{
    // The sum is a 16-bit quantity like the counters it adds up.
    Zaehler16 antworten;
    antworten = fehler + erfolge;
    return static_cast<int>(rundeHalbGerade(antworten / 50.0 + 1.0, 0));
}

Seite waehleSeite(Richtungswahl wahl, Zufallsquelle& zufall)
{
    const int d = 1 + ganzzahl(zufall.r(), 2);
    if (wahl == Richtungswahl::Deutsch)
        return Seite::Deutsch;
    if (wahl == Richtungswahl::Olvani)
        return Seite::Olvani;
    return d == 1 ? Seite::Olvani : Seite::Deutsch;
}

// One weighted pass: every qualifying entry with the running total of the
// weights up to it, then one draw that lands in exactly one entry's share.
int waehleEintrag(const Vokabeltabelle& t, const std::vector<bool>& gefragt, const Optionen& o, Seite gezeigt, int r,
                  Zufallsquelle& zufall)
{
    std::vector<int> eintraege;
    std::vector<std::int64_t> summeBis; // total weight of eintraege[0..k]
    std::int64_t summe = 0;
    for (int i = 1; i <= t.Anzahl(); ++i) {
        if (!qualifiziert(t, gefragt, i, o, gezeigt))
            continue;
        summe += gewicht(t, i, o, r);
        eintraege.push_back(i);
        summeBis.push_back(summe);
    }
    if (eintraege.empty())
        return 0;
    const std::int64_t ziel = ganzzahl(zufall.r(), summe);
    const auto treffer = std::upper_bound(summeBis.begin(), summeBis.end(), ziel);
    return eintraege[static_cast<std::size_t>(treffer - summeBis.begin())];
}

int waehleSpalte(const Vokabeltabelle& t, int i, Zufallsquelle& zufall)
{
    int rest = ganzzahl(zufall.r(), t.belegteBedeutungen(i));
    for (int spalte = 1; spalte <= Bedeutungen; ++spalte) {
        if (t.Bedeutung(i, spalte).empty())
            continue;
        if (rest == 0)
            return spalte;
        --rest;
    }
    return 1; // not reached: belegteBedeutungen counts exactly these columns
}

} // namespace olvani
