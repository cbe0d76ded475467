#include "antwortpruefung.h"

namespace olvani {

namespace {

// Appends the entry text of i: Wort, ": " and the meanings separated by
// blanks, empty ones included. A solution can list thousands of entries, so
// each is appended in place.
void haengeEintragstextAn(std::string& ziel, const Vokabeltabelle& t, int i)
{
    ziel += t.Wort(i);
    ziel += ": ";
    ziel += t.Bedeutung(i, 1);
    for (int spalte = 2; spalte <= Bedeutungen; ++spalte) {
        ziel += ' ';
        ziel += t.Bedeutung(i, spalte);
    }
    // The entry text has always listed a fifth meaning column, which no file
    // can fill; only its blank shows, and the learner's verdict keeps it.
    ziel += ' ';
}

} // namespace

Pruefung pruefe(const Vokabeltabelle& tabelle, int n, const Frage* frage, const std::string& getippt)
{
    Pruefung b;
    b.eintraege.push_back(0);
    haengeEintragstextAn(b.loesung, tabelle, n);
    if (!frage)
        return b;

    // Foreign word shown: any meaning of entry n counts; an empty answer
    // must not match an empty column.
    if (frage->seite == Seite::Olvani) {
        for (int spalte = 1; spalte <= Bedeutungen; ++spalte) {
            if (!getippt.empty() && getippt == tabelle.Bedeutung(n, spalte))
                b.richtig = true;
        }
        return b;
    }

    // German meaning shown: the word of entry n counts, and so does the word
    // of any other entry holding the meaning shown. Those entries belong to
    // the solution whatever was typed, once per matching column.
    if (getippt == tabelle.Wort(n))
        b.richtig = true;
    const std::string& gezeigt = frage->gezeigt;
    for (int j = 1; j <= tabelle.Anzahl(); ++j) {
        if (j == n)
            continue;
        for (int spalte = 1; spalte <= Bedeutungen; ++spalte) {
            if (gezeigt != tabelle.Bedeutung(j, spalte))
                continue;
            b.loesung += LoesungsTrenner;
            b.eintraege.push_back(b.loesung.size());
            haengeEintragstextAn(b.loesung, tabelle, j);
            if (tabelle.Wort(j) == getippt)
                b.richtig = true;
        }
    }
    return b;
}

} // namespace olvani
