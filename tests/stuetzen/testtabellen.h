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

// Letters of the checked boxes: R chkRichtig, W chkWort, N chkNeu,
// V chkNurVerben, K chkKlugesTraining.
inline Optionen optionen(const QString& haken)
{
    Optionen o;
    o.chkRichtig = haken.contains('R');
    o.chkWort = haken.contains('W');
    o.chkNeu = haken.contains('N');
    o.chkNurVerben = haken.contains('V');
    o.chkKlugesTraining = haken.contains('K');
    return o;
}

// The check-box filters, written out plainly.
inline bool bestehtFilter(const Vokabeltabelle& t, int i, const Optionen& o)
{
    const bool verb = t.Wort(i).rfind("-", 0) == 0;
    return !(o.chkRichtig && t.RichtigZaehler(i) > 4) && !(o.chkWort && t.Gefragt(i) == 1)
           && !(o.chkNeu && t.Kennung(i)) && !(o.chkNurVerben && !verb);
}

// The column of entry i shown by a question (0 for the foreign word).
inline int gezeigteSpalte(const Vokabeltabelle& t, const Frage& f)
{
    for (int k = 1; k <= 4 && f.richtung == Richtung::Deutsch; ++k)
        if (t.Bedeutung(t.Nummer, k) == f.txtDeutsch)
            return k;
    return 0;
}

} // namespace olvani::testtabellen
