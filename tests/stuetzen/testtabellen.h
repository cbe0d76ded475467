#pragma once

// Small tables for the tests of the question choice.
#include "quiz/fragewahl.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

namespace olvani::testtabellen {

struct Vokabel {
    std::string wort;
    std::array<std::string, 4> bedeutung{"eins", "", "", ""};
    bool kennung = false;
    int richtig = 0;
    int falsch = 0;
    bool gefragt = false;
};

inline Vokabeltabelle baue(const std::vector<Vokabel>& vokabeln)
{
    Vokabeltabelle t;
    for (const Vokabel& v : vokabeln) {
        const int i = t.neuerEintrag(v.wort, {v.bedeutung[0], v.bedeutung[1], v.bedeutung[2], v.bedeutung[3]}, v.kennung);
        for (int k = 0; k < v.richtig; ++k)
            t.zaehleRichtig(i);
        for (int k = 0; k < v.falsch; ++k)
            t.zaehleFalsch(i);
        t.setzeGefragt(i, v.gefragt);
    }
    return t;
}

// Letters of the ticked options: R ohneFuenfmalRichtige, W jedesWortEinmal,
// N ohneMarkierte, V nurVerben, K klugesTraining.
inline Optionen optionen(const QString& haken)
{
    Optionen o;
    o.ohneFuenfmalRichtige = haken.contains('R');
    o.jedesWortEinmal = haken.contains('W');
    o.ohneMarkierte = haken.contains('N');
    o.nurVerben = haken.contains('V');
    o.klugesTraining = haken.contains('K');
    return o;
}

// The check-box filters, written out plainly.
inline bool bestehtFilter(const Vokabeltabelle& t, int i, const Optionen& o)
{
    const bool verb = t.Wort(i).rfind("-", 0) == 0;
    return !(o.ohneFuenfmalRichtige && t.RichtigZaehler(i) > 4) && !(o.jedesWortEinmal && t.Gefragt(i) == 1)
           && !(o.ohneMarkierte && t.Kennung(i)) && !(o.nurVerben && !verb);
}

// The column of the entry asked shown by a question (0 for the foreign word).
inline int gezeigteSpalte(const Vokabeltabelle& t, const Durchlauf& lauf, const Frage& f)
{
    for (int k = 1; k <= 4 && f.richtung == Richtung::Deutsch; ++k)
        if (t.Bedeutung(lauf.Nummer, k) == f.deutsch)
            return k;
    return 0;
}

} // namespace olvani::testtabellen
