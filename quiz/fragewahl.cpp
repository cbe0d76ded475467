#include "fragewahl.h"

#include "statistikzeile.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

// The option filters. In the Deutsch direction an entry without any meaning
// cannot be shown, so it does not qualify either.
bool qualifiziert(const Vokabeltabelle& t, int i, const Optionen& o, Richtung richtung)
{
    if (o.ohneFuenfmalRichtige && t.RichtigZaehler(i) > 4)
        return false;
    if (o.jedesWortEinmal && t.Gefragt(i) == 1)
        return false;
    if (o.ohneMarkierte && t.Kennung(i))
        return false;
    if (o.nurVerben && !t.istVerb(i))
        return false;
    return richtung == Richtung::Fremdsprache || t.belegteBedeutungen(i) > 0;
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

// One weighted pass: every qualifying entry with the running total of the
// weights up to it, then one draw that lands in exactly one entry's share.
// Returns 0 when no entry qualifies.
int waehleEintrag(const Vokabeltabelle& t, const Optionen& o, Richtung richtung, int r, Zufallsquelle& zufall)
{
    std::vector<int> eintraege;
    std::vector<std::int64_t> summeBis; // total weight of eintraege[0..k]
    std::int64_t summe = 0;
    for (int i = 1; i <= t.Anzahl(); ++i) {
        if (!qualifiziert(t, i, o, richtung))
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

// A uniform choice among the non-empty columns 1..4 of entry i, which has
// at least one.
int waehleSpalte(const Vokabeltabelle& t, int i, Zufallsquelle& zufall)
{
    int rest = ganzzahl(zufall.r(), t.belegteBedeutungen(i));
    for (int spalte = 1; spalte < Spalten; ++spalte) {
        if (t.Bedeutung(i, spalte).empty())
            continue;
        if (rest == 0)
            return spalte;
        --rest;
    }
    return 1; // not reached: belegteBedeutungen counts exactly these columns
}

} // namespace

int klugesTrainingR(const Durchlauf& lauf)
{
    // The sum is a 16-bit quantity like the counters it adds up.
    Zaehler16 antworten;
    antworten = lauf.Fehler + lauf.Erfolge;
    return static_cast<int>(rundeHalbGerade(antworten / 50.0 + 1.0, 0));
}

Frage NeueAbfrage(Vokabeltabelle& tabelle, Durchlauf& lauf, Richtungswahl wahl, const Optionen& optionen,
                  Zufallsquelle& zufall)
{
    Frage frage;
    const int d = 1 + ganzzahl(zufall.r(), 2);
    frage.richtung = d == 1 ? Richtung::Fremdsprache : Richtung::Deutsch;
    if (wahl == Richtungswahl::Deutsch)
        frage.richtung = Richtung::Deutsch;
    if (wahl == Richtungswahl::Fremdsprache)
        frage.richtung = Richtung::Fremdsprache;

    const int anzahl = tabelle.Anzahl();
    if (anzahl < 1)
        return frage;

    // Entries asked this round; with "flagged left out" and "verbs only"
    // together the non-verbs count as done too, although they are never
    // asked. Nothing changes this count while one question is chosen, so
    // checking it once here is the same as checking it at every pick, minus
    // the repeated message.
    const int erledigt =
        tabelle.gefragtSumme() + (optionen.ohneMarkierte && optionen.nurVerben ? tabelle.nichtVerben() : 0);
    if (erledigt >= anzahl - 1) {
        tabelle.setzeGefragtZurueck();
        frage.rundeVorbei = true;
    }

    const int nummer = waehleEintrag(tabelle, optionen, frage.richtung, klugesTrainingR(lauf), zufall);
    if (nummer == 0)
        return frage;

    frage.gefunden = true;
    lauf.Nummer = nummer;
    if (frage.richtung == Richtung::Fremdsprache) {
        frage.olvani = tabelle.Wort(nummer);
    } else {
        frage.deutsch = tabelle.Bedeutung(nummer, waehleSpalte(tabelle, nummer, zufall));
    }
    if (optionen.ohneMarkierte)
        tabelle.setzeGefragt(nummer, true);
    return frage;
}

} // namespace olvani
