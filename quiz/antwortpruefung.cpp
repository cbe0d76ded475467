#include "antwortpruefung.h"

#include "statistikzeile.h"

namespace olvani {

namespace {

// Appends the entry text of i: Wort, ": " and the five meaning columns
// separated by blanks, empty ones included. A solution can list thousands of
// entries, so each is appended in place.
void haengeEintragstextAn(std::string& ziel, const Vokabeltabelle& t, int i)
{
    ziel += t.Wort(i);
    ziel += ": ";
    ziel += t.Bedeutung(i, 1);
    for (int spalte = 2; spalte <= Spalten; ++spalte) {
        ziel += ' ';
        ziel += t.Bedeutung(i, spalte);
    }
}

} // namespace

Urteil pruefeAntwort(Vokabeltabelle& tabelle, Durchlauf& lauf, const Antwort& antwort,
                     const std::string& dezimaltrennzeichen)
{
    const int n = lauf.Nummer;
    bool ja = false;
    std::string loesung;
    haengeEintragstextAn(loesung, tabelle, n);

    // Foreign word shown: any meaning of entry n counts; an empty answer
    // must not match an empty column.
    if (antwort.deutschOffen && !antwort.deutsch.empty()) {
        for (int spalte = 1; spalte <= Spalten; ++spalte) {
            if (antwort.deutsch == tabelle.Bedeutung(n, spalte))
                ja = true;
        }
    }

    // German meaning shown: the word of entry n counts, and so does the word
    // of any other entry holding the meaning shown. Those entries belong to
    // the solution whatever was typed, once per matching column.
    if (antwort.olvaniOffen) {
        if (antwort.olvani == tabelle.Wort(n))
            ja = true;
        const std::string& gezeigt = antwort.deutsch;
        for (int j = 1; j <= tabelle.Anzahl(); ++j) {
            if (j == n)
                continue;
            for (int spalte = 1; spalte <= Spalten; ++spalte) {
                if (gezeigt != tabelle.Bedeutung(j, spalte))
                    continue;
                loesung += " oder ";
                haengeEintragstextAn(loesung, tabelle, j);
                if (tabelle.Wort(j) == antwort.olvani)
                    ja = true;
            }
        }
    }

    Urteil urteil;
    urteil.richtig = ja;
    if (ja) {
        tabelle.zaehleRichtig(n);
        urteil.verdikt = "Richtig! " + loesung;
        ++lauf.Erfolge;
        urteil.fuenftesMalRichtig = tabelle.RichtigZaehler(n) == 5;
    } else {
        urteil.verdikt = "Falsch! Richtig ist " + loesung;
        ++lauf.Fehler;
        tabelle.zaehleFalsch(n);
    }
    urteil.statistikzeile = Statistikzeile(tabelle, lauf, Form::Lang, dezimaltrennzeichen);
    return urteil;
}

std::string DochRichtig(const Vokabeltabelle& tabelle, Durchlauf& lauf, const std::string& dezimaltrennzeichen)
{
    --lauf.Fehler;
    ++lauf.Erfolge;
    return Statistikzeile(tabelle, lauf, Form::Kurz, dezimaltrennzeichen);
}

} // namespace olvani
