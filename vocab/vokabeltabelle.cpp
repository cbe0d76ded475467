#include "vokabeltabelle.h"

#include "fehler.h"

namespace olvani {

namespace {
const std::string leererText;

void pruefeIndex(int i)
{
    if (i < 0 || i > Kapazitaet)
        throw FatalerFehler("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " liegt außerhalb der Tabelle (0 bis "
                            + std::to_string(Kapazitaet) + ").");
}
} // namespace

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

const Vokabeltabelle::Eintrag& Vokabeltabelle::lesen(int i) const
{
    pruefeIndex(i);
    static const Eintrag leer;
    return i < static_cast<int>(eintraege_.size()) ? eintraege_[static_cast<std::size_t>(i)] : leer;
}

Vokabeltabelle::Eintrag& Vokabeltabelle::schreiben(int i)
{
    pruefeIndex(i);
    if (i >= static_cast<int>(eintraege_.size()))
        throw FatalerFehler("Interner Fehler: Vokabel Nr. " + std::to_string(i) + " ist nicht geladen.");
    return eintraege_[static_cast<std::size_t>(i)];
}

const std::string& Vokabeltabelle::Wort(int i) const { return lesen(i).wort; }

const std::string& Vokabeltabelle::Bedeutung(int i, int spalte) const
{
    const Eintrag& e = lesen(i);
    if (spalte < 0 || spalte > Spalten)
        throw FatalerFehler("Interner Fehler: Bedeutungsspalte " + std::to_string(spalte) + " gibt es nicht.");
    if (spalte == 0 || spalte == Spalten)
        return leererText;
    return e.bedeutung[static_cast<std::size_t>(spalte - 1)];
}

bool Vokabeltabelle::Kennung(int i) const { return lesen(i).kennung; }
bool Vokabeltabelle::istVerb(int i) const { return lesen(i).verb; }
int Vokabeltabelle::belegteBedeutungen(int i) const { return lesen(i).belegt; }
int Vokabeltabelle::Gefragt(int i) const { return lesen(i).gefragt ? 1 : 0; }

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

int Vokabeltabelle::RichtigZaehler(int i) const { return lesen(i).richtig; }
int Vokabeltabelle::FalschZaehler(int i) const { return lesen(i).falsch; }
void Vokabeltabelle::zaehleRichtig(int i) { ++schreiben(i).richtig; }
void Vokabeltabelle::zaehleFalsch(int i) { ++schreiben(i).falsch; }

} // namespace olvani
