#include "antwortpruefung.h"

#include "statistikzeile.h"

namespace olvani {

namespace {

// Appends the entry text of i without building it as a string of its own:
// a solution can list thousands of entries.
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

std::string Eintragstext(const Vokabeltabelle& tabelle, int i)
{
    std::string text;
    haengeEintragstextAn(text, tabelle, i);
    return text;
}

Urteil pruefeAntwort(Vokabeltabelle& tabelle, const Antwortfelder& felder, const std::string& dezimaltrennzeichen)
{
    const int n = tabelle.Nummer;
    bool ja = false;
    std::string loesung;
    loesung.reserve(256);
    haengeEintragstextAn(loesung, tabelle, n);

    // Foreign word shown: any meaning of entry n counts; an empty answer
    // must not match an empty column.
    if (felder.deutschAktiv && !felder.txtDeutsch.empty()) {
        for (int spalte = 1; spalte <= Spalten; ++spalte) {
            if (felder.txtDeutsch == tabelle.Bedeutung(n, spalte))
                ja = true;
        }
    }

    // German meaning shown: the word of entry n counts, and so does the word
    // of any other entry holding the meaning shown. Those entries belong to
    // the solution whatever was typed, once per matching column.
    if (felder.olvaniAktiv) {
        if (felder.txtOlvani == tabelle.Wort(n))
            ja = true;
        const std::string& gezeigt = felder.txtDeutsch;
        const int anzahl = tabelle.Anzahl();
        for (int j = 1; j <= anzahl; ++j) {
            if (j == n)
                continue;
            for (int spalte = 1; spalte <= Spalten; ++spalte) {
                if (gezeigt != tabelle.Bedeutung(j, spalte))
                    continue;
                loesung += " oder ";
                haengeEintragstextAn(loesung, tabelle, j);
                if (tabelle.Wort(j) == felder.txtOlvani)
                    ja = true;
            }
        }
    }

    Urteil urteil;
    urteil.richtig = ja;
    if (ja) {
        tabelle.zaehleRichtig(n);
        urteil.lblInfo = "Richtig! " + loesung;
        ++tabelle.Erfolge;
        urteil.fuenftesMalRichtig = tabelle.RichtigZaehler(n) == 5;
    } else {
        urteil.lblInfo = "Falsch! Richtig ist " + loesung;
        ++tabelle.Fehler;
        tabelle.zaehleFalsch(n);
    }
    urteil.lblInfo2 = Statistikzeile(tabelle, Form::Lang, dezimaltrennzeichen);
    return urteil;
}

std::string DochRichtig(Vokabeltabelle& tabelle, const std::string& dezimaltrennzeichen)
{
    --tabelle.Fehler;
    ++tabelle.Erfolge;
    return Statistikzeile(tabelle, Form::Kurz, dezimaltrennzeichen);
}

} // namespace olvani
