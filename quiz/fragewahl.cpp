#include "fragewahl.h"

#include "statistikzeile.h"

#include <algorithm>
#include <cstdint>

namespace olvani {

namespace {

// Plain picks tried before the exact pass over the table: enough that the
// pass is rare whenever a fair share of the entries can be asked.
constexpr int Stichproben = 64;

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

// The check-box filters. In the Deutsch direction an entry without any
// meaning cannot be shown, so it does not qualify either.
bool qualifiziert(const Vokabeltabelle& t, int i, const Optionen& o, Richtung richtung)
{
    // The likely rarest property first: the answer is the same in any order.
    if (o.chkNurVerben && !t.istVerb(i))
        return false;
    if (o.chkNeu && t.Kennung(i))
        return false;
    if (o.chkWort && t.Gefragt(i) == 1)
        return false;
    if (o.chkRichtig && t.RichtigZaehler(i) > 4)
        return false;
    return richtung == Richtung::Fremdsprache || t.belegteBedeutungen(i) > 0;
}

// Relative weight of a qualifying entry: a pick survives smart training with
// probability min(f + 1, R + 1) / (R + 1).
int gewicht(const Vokabeltabelle& t, int i, const Optionen& o, int r)
{
    if (!o.chkKlugesTraining)
        return 1;
    return std::clamp(t.FalschZaehler(i) + 1, 0, r + 1);
}

// At most this many entries can qualify, by the table's running counts.
int hoechstensQualifiziert(const Vokabeltabelle& t, const Optionen& o)
{
    int n = t.Anzahl();
    if (o.chkNurVerben)
        n = std::min(n, t.Anzahl() - t.nichtVerben());
    if (o.chkWort)
        n = std::min(n, t.Anzahl() - t.gefragtSumme());
    return n;
}

// One pick of the plain rejection loop: a uniform entry, the filters, then
// the smart-training draw, made whether or not the option is on so that a
// scripted random sequence lines up with that loop. Returns the entry, or 0
// when the pick is rejected.
int stichprobe(const Vokabeltabelle& t, const Optionen& o, Richtung richtung, int r, Zufallsquelle& zufall,
               int& gefiltert)
{
    const int i = 1 + ganzzahl(zufall.r(), t.Anzahl());
    if (!qualifiziert(t, i, o, richtung))
        return 0;
    ++gefiltert;
    const int x = ganzzahl(zufall.r(), r + 1);
    return o.chkKlugesTraining && t.FalschZaehler(i) < x ? 0 : i;
}

// Picks an entry with probability proportional to [qualifies] * weight, or
// returns 0 when none qualifies. Plain picks first, a bounded number; if none
// survives, one exact weighted pick over the qualifying entries. Every
// accepted pick has exactly that distribution whatever came before it, so
// the mixture has it too, however the number of picks is decided.
int waehleEintrag(const Vokabeltabelle& t, const Optionen& o, Richtung richtung, Zufallsquelle& zufall)
{
    const int anzahl = t.Anzahl();
    const int r = klugesTrainingR(t);

    // When so few entries can qualify that the picks would nearly all miss,
    // go straight to the pass. Deciding this before drawing anything keeps
    // the distribution exact.
    const int hoechstens = hoechstensQualifiziert(t, o);
    if (hoechstens == 0)
        return 0;
    const int erstePicks = hoechstens * Stichproben >= anzahl ? Stichproben : 0;

    int gefiltert = 0; // picks that passed the filters
    for (int versuch = 0; versuch < erstePicks; ++versuch) {
        if (const int i = stichprobe(t, o, richtung, r, zufall, gefiltert))
            return i;
    }
    // Late in a run smart training keeps only one in R + 1 of the entries
    // never answered wrongly. When the filters let picks through, more picks
    // are still cheaper than the pass, up to a quarter of a large table.
    if (o.chkKlugesTraining && gefiltert >= Stichproben / 8) {
        const int weitere = std::min(3 * (r + 1) * Stichproben / gefiltert, std::max(anzahl / 4, Stichproben));
        for (int versuch = 0; versuch < weitere; ++versuch) {
            if (const int i = stichprobe(t, o, richtung, r, zufall, gefiltert))
                return i;
        }
    }

    // Exact pick: total the weights, draw, and find the entry in a second
    // pass limited to the span between the first and last candidate.
    std::int64_t summe = 0;
    int erste = 0;
    int letzte = 0;
    for (int i = 1; i <= anzahl; ++i) {
        if (!qualifiziert(t, i, o, richtung))
            continue;
        const int w = gewicht(t, i, o, r);
        summe += w;
        if (w > 0) {
            erste = erste == 0 ? i : erste;
            letzte = i;
        }
    }
    if (summe == 0 || erste == letzte)
        return erste;
    std::int64_t ziel = ganzzahl(zufall.r(), summe);
    for (int i = erste; i < letzte; ++i) {
        if (!qualifiziert(t, i, o, richtung))
            continue;
        ziel -= gewicht(t, i, o, r);
        if (ziel < 0)
            return i;
    }
    return letzte;
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

int klugesTrainingR(const Vokabeltabelle& tabelle)
{
    // The sum is a 16-bit quantity like the counters it adds up.
    Zaehler16 antworten;
    antworten = tabelle.Fehler + tabelle.Erfolge;
    return static_cast<int>(rundeHalbGerade(antworten / 50.0 + 1.0, 0));
}

Frage NeueAbfrage(Vokabeltabelle& tabelle, Richtungswahl wahl, const Optionen& optionen, Zufallsquelle& zufall)
{
    Frage frage;
    const int d = 1 + ganzzahl(zufall.r(), 2);
    frage.richtung = d == 1 ? Richtung::Fremdsprache : Richtung::Deutsch;
    if (wahl == Richtungswahl::Deutsch)
        frage.richtung = Richtung::Deutsch;
    if (wahl == Richtungswahl::Olvani)
        frage.richtung = Richtung::Fremdsprache;

    const int anzahl = tabelle.Anzahl();
    if (anzahl < 1)
        return frage;

    // Entries asked this round; with "new" and "verbs only" together the
    // non-verbs count as done too, although they are never asked. Nothing
    // changes this count while one question is chosen, so checking it once
    // here is the same as checking it at every pick, minus the repeated
    // message.
    const int erledigt =
        tabelle.gefragtSumme() + (optionen.chkNeu && optionen.chkNurVerben ? tabelle.nichtVerben() : 0);
    if (erledigt >= anzahl - 1) {
        tabelle.setzeGefragtZurueck();
        frage.rundeVorbei = true;
    }

    const int nummer = waehleEintrag(tabelle, optionen, frage.richtung, zufall);
    if (nummer == 0)
        return frage;

    frage.gefunden = true;
    tabelle.Nummer = nummer;
    if (frage.richtung == Richtung::Fremdsprache) {
        frage.txtOlvani = tabelle.Wort(nummer);
    } else {
        frage.txtDeutsch = tabelle.Bedeutung(nummer, waehleSpalte(tabelle, nummer, zufall));
    }
    if (optionen.chkNeu)
        tabelle.setzeGefragt(nummer, true);
    return frage;
}

} // namespace olvani
