#pragma once

// Small tables and runs for the tests of the question choice.
#include "quiz/durchlauf.h"

#include <QString>

#include <array>
#include <string>
#include <vector>

namespace olvani::testtabellen {

struct Vokabel {
    std::string wort;
    std::array<std::string, Bedeutungen> bedeutung{"eins", "", "", ""};
    bool kennung = false;
    int richtig = 0;
    int falsch = 0;
    bool gefragt = false; // asked this round, see gefragte()
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
    }
    return t;
}

// The entries marked as asked, for a run over baue(vokabeln).
inline std::vector<int> gefragte(const std::vector<Vokabel>& vokabeln)
{
    std::vector<int> nummern;
    for (std::size_t i = 0; i < vokabeln.size(); ++i)
        if (vokabeln[i].gefragt)
            nummern.push_back(int(i) + 1);
    return nummern;
}

// Letters of the ticked options: R ohneFuenfmalRichtige, W jedesWortEinmal,
// N ohneKennung, V nurVerben, K klugesTraining.
inline Optionen optionen(const QString& haken)
{
    Optionen o;
    o.ohneFuenfmalRichtige = haken.contains('R');
    o.jedesWortEinmal = haken.contains('W');
    o.ohneKennung = haken.contains('N');
    o.nurVerben = haken.contains('V');
    o.klugesTraining = haken.contains('K');
    return o;
}

// The column of the entry asked shown by a question (0 for the foreign word).
inline int gezeigteSpalte(const Durchlauf& lauf, const Abfrage& a)
{
    for (int k = 1; k <= Bedeutungen && a.frage.seite == Seite::Deutsch; ++k)
        if (lauf.tabelle().Bedeutung(lauf.Nummer(), k) == a.frage.gezeigt)
            return k;
    return 0;
}

} // namespace olvani::testtabellen
