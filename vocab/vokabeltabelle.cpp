#include "vokabeltabelle.h"

#include "abbruch.h"

#include <algorithm>

namespace olvani {

namespace {
const std::string leererText;
} // namespace

const Vokabeltabelle::Texte Vokabeltabelle::leereTexte_;
const Vokabeltabelle::Zustand Vokabeltabelle::leererZustand_;

void Vokabeltabelle::indexAusserhalb(int i)
{
    throw Abbruch("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " liegt außerhalb der Tabelle (0 bis "
                        + std::to_string(Kapazitaet) + ").");
}

const std::string& Vokabeltabelle::randspalte(int spalte)
{
    if (spalte < 0 || spalte > Bedeutungen + 1)
        throw Abbruch("Interner Fehler: Bedeutungsspalte " + std::to_string(spalte) + " gibt es nicht.");
    return leererText;
}

int Vokabeltabelle::neuerEintrag(std::string_view wort, const std::array<std::string_view, Bedeutungen>& bedeutungen,
                                 bool kennung)
{
    if (Anzahl() >= Kapazitaet)
        throw Abbruch("Die Vokabel-Tabelle ist voll: mehr als " + std::to_string(Kapazitaet)
                            + " Vokabeln sind nicht möglich.");
    // Each text is built once, in place: loading a large file makes tens of
    // thousands of them.
    texte_.push_back(Texte{std::string(wort),
                           {std::string(bedeutungen[0]), std::string(bedeutungen[1]), std::string(bedeutungen[2]),
                            std::string(bedeutungen[3])}});
    Zustand& z = zustand_.emplace_back();
    for (const std::string_view bedeutung : bedeutungen)
        z.belegt += bedeutung.empty() ? 0 : 1;
    z.verb = wort.starts_with('-');
    z.kennung = kennung;
    return Anzahl();
}

void Vokabeltabelle::reserviere(int anzahl)
{
    const auto plaetze = static_cast<std::size_t>(std::clamp(anzahl, 0, Kapazitaet)) + 1;
    texte_.reserve(plaetze);
    zustand_.reserve(plaetze);
}

Vokabeltabelle::Zustand& Vokabeltabelle::schreiben(int i)
{
    pruefeIndex(i);
    if (i >= static_cast<int>(zustand_.size()))
        throw Abbruch("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " ist nicht geladen.");
    return zustand_[static_cast<std::size_t>(i)];
}

void Vokabeltabelle::zaehleRichtig(int i) { ++schreiben(i).richtig; }
void Vokabeltabelle::zaehleFalsch(int i) { ++schreiben(i).falsch; }

} // namespace olvani
