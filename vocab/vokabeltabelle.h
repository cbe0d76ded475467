#pragma once

#include "zaehler16.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace olvani {

inline constexpr int Kapazitaet = 10000; // entries 1..10000; slot 0 is never used
inline constexpr int Bedeutungen = 4;    // meaning columns 1..4 of an entry

// The vocabulary of one run: the entries of the vocabulary file with their
// learning counters. Texts are UTF-8.
//
// Every index is checked against 0..Kapazitaet (and 0..Bedeutungen + 1 for a
// meaning column); an index outside throws Abbruch. Slots past Anzahl() read as
// empty, as in a zero-filled table; storage grows only with the entries.
class Vokabeltabelle {
public:
    // Appends entry Anzahl()+1 and returns its index; throws Abbruch
    // when the table already holds Kapazitaet entries. Empty meanings are "".
    int neuerEintrag(std::string_view wort, const std::array<std::string_view, Bedeutungen>& bedeutungen, bool kennung);

    int Anzahl() const { return static_cast<int>(zustand_.size()) - 1; }

    // Makes room for `anzahl` entries (at most Kapazitaet) at once, so a large
    // file is loaded without moving the entries each time the storage grows.
    void reserviere(int anzahl);

    const std::string& Wort(int i) const { return texte(i).wort; }
    const std::string& Bedeutung(int i, int spalte) const
    {
        const Texte& t = texte(i);
        if (spalte < 1 || spalte > Bedeutungen)
            return randspalte(spalte);
        return t.bedeutung[static_cast<std::size_t>(spalte - 1)];
    }
    bool Kennung(int i) const { return zustand(i).kennung; }
    // A verb is an entry whose Wort begins with "-".
    bool istVerb(int i) const { return zustand(i).verb; }
    // How many of the meaning columns are not empty.
    int belegteBedeutungen(int i) const { return zustand(i).belegt; }

    int RichtigZaehler(int i) const { return zustand(i).richtig; }
    int FalschZaehler(int i) const { return zustand(i).falsch; }
    // Count one correct or wrong answer for entry i (1..Anzahl()).
    void zaehleRichtig(int i);
    void zaehleFalsch(int i);

    // Throws Abbruch for an index outside 0..Kapazitaet.
    static void pruefeIndex(int i)
    {
        if (i < 0 || i > Kapazitaet)
            indexAusserhalb(i);
    }

private:
    struct Texte {
        std::string wort;
        std::array<std::string, Bedeutungen> bedeutung; // columns 1..Bedeutungen
    };
    // Everything but the texts, in a few bytes: choosing a question may look
    // at every entry, and then reads this array alone.
    struct Zustand {
        Zaehler16 richtig;
        Zaehler16 falsch;
        bool kennung = false;
        bool verb = false;
        std::uint8_t belegt = 0;
    };

    const Texte& texte(int i) const
    {
        pruefeIndex(i);
        return i < static_cast<int>(texte_.size()) ? texte_[static_cast<std::size_t>(i)] : leereTexte_;
    }
    const Zustand& zustand(int i) const
    {
        pruefeIndex(i);
        return i < static_cast<int>(zustand_.size()) ? zustand_[static_cast<std::size_t>(i)] : leererZustand_;
    }
    Zustand& schreiben(int i);
    [[noreturn]] static void indexAusserhalb(int i);
    // The columns either side of the meanings, 0 and Bedeutungen + 1, read as
    // empty, as in a zero-filled table; any other column is out of range.
    static const std::string& randspalte(int spalte);
    static const Texte leereTexte_;
    static const Zustand leererZustand_;

    std::vector<Texte> texte_ = std::vector<Texte>(1); // slot 0 is never used
    std::vector<Zustand> zustand_ = std::vector<Zustand>(1);
};

} // namespace olvani
