#include "vokabeltabelle.h"

#include "fehler.h"

#include <algorithm>

namespace olvani {

namespace {
const std::string leererText;
} // namespace

void Vokabeltabelle::indexAusserhalb(int i)
{
    throw FatalerFehler("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " liegt außerhalb der Tabelle (0 bis "
                        + std::to_string(Kapazitaet) + ").");
}

int Vokabeltabelle::neuerEintrag(std::string wort, std::array<std::string, 4> bedeutungen, bool kennung)
{
    if (Anzahl() >= Kapazitaet)
        throw FatalerFehler("Die Vokabel-Tabelle ist voll: mehr als " + std::to_string(Kapazitaet)
                            + " Vokabeln sind nicht möglich.");
    Eintrag& e = eintraege_.emplace_back();
    e.verb = !wort.empty() && wort.front() == '-';
    e.wort = std::move(wort);
    for (std::size_t k = 0; k < bedeutungen.size(); ++k) {
        if (!bedeutungen[k].empty())
            ++e.belegt;
        e.bedeutung[k] = std::move(bedeutungen[k]);
    }
    e.kennung = kennung;
    if (!e.verb)
        ++nichtVerben_;
    return Anzahl();
}

void Vokabeltabelle::reserviere(int anzahl)
{
    eintraege_.reserve(static_cast<std::size_t>(std::clamp(anzahl, 0, Kapazitaet)) + 1);
}

Vokabeltabelle::Eintrag& Vokabeltabelle::schreiben(int i)
{
    if (i < 0 || i > Kapazitaet)
        indexAusserhalb(i);
    if (i >= static_cast<int>(eintraege_.size()))
        throw FatalerFehler("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " ist nicht geladen.");
    return eintraege_[static_cast<std::size_t>(i)];
}


const std::string& Vokabeltabelle::Bedeutung(int i, int spalte) const
{
    const Eintrag& e = lesen(i);
    if (spalte < 0 || spalte > Spalten)
        throw FatalerFehler("Interner Fehler: Bedeutungsspalte " + std::to_string(spalte) + " gibt es nicht.");
    if (spalte == 0 || spalte == Spalten)
        return leererText;
    return e.bedeutung[static_cast<std::size_t>(spalte - 1)];
}


void Vokabeltabelle::setzeGefragt(int i, bool gefragt)
{
    Eintrag& e = schreiben(i);
    gefragtSumme_ += int(gefragt) - int(e.gefragt);
    e.gefragt = gefragt;
}

void Vokabeltabelle::setzeGefragtZurueck()
{
    for (Eintrag& e : eintraege_)
        e.gefragt = false;
    gefragtSumme_ = 0;
}

void Vokabeltabelle::zaehleRichtig(int i) { ++schreiben(i).richtig; }
void Vokabeltabelle::zaehleFalsch(int i) { ++schreiben(i).falsch; }

} // namespace olvani
