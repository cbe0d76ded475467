#include "lader.h"

#include "abbruch.h"
#include "zeilenfelder.h"
#include "zeilenleser.h"

#include <algorithm>
#include <array>

namespace olvani {

namespace {

// How much text at the start of a file is looked at to find its separator.
constexpr std::size_t Vorschau = 64 * 1024;

} // namespace

Lader::Lader(Textquelle& quelle, const std::string& dateiname, std::uintmax_t groesse)
    : quelle_(quelle), befund_(dateiname)
{
    // Room for the records a file of this length may hold, up to what the
    // largest table needs: the texts are somewhat shorter than the file.
    const std::size_t platz = static_cast<std::size_t>(std::min<std::uintmax_t>(groesse, 4u << 20));
    texte_.reserve(platz);
    enden_.reserve(std::min<std::size_t>(platz / 8, 5 * Kapazitaet));
    kennungen_.reserve(Kapazitaet);
}

Vokabeltabelle Lader::lies(char trenner)
{
    Zeilenleser zeilen(quelle_);
    const std::string_view vorschau = zeilen.vorschau(Vorschau);
    trenner_ = trenner != '\0' ? trenner : erkenneTrenner(vorschau);
    befund_.anfang(vorschau, trenner_);
    std::string_view zeile;
    bool teil = false;
    while (zeilen.naechste(zeile, teil)) {
        const bool neueZeile = !fortsetzung_;
        // Whether a long line is blank is known only at its end.
        if (neueZeile && teil && istLeerzeile(zeile, trenner_)) {
            zeilen.gibZurueck(zeile.size(), zeile.size());
            continue;
        }
        if (neueZeile)
            ++zeile_;
        if (neueZeile && !teil)
            befund_.zeile(zeile_, zeile);
        // Blank lines at a record's start are held back until a line with
        // text follows: at the end of the file they are no data.
        if (neueZeile && feldImSatz_ == 0 && istLeerzeile(zeile, trenner_)) {
            if (leerzeilen_++ == 0)
                ersteLeerzeile_ = zeile_;
            continue;
        }
        holeLeerzeilenNach();
        const std::size_t genommen = nimmZeile(zeile, teil, zeilen.hatteZeilenende());
        if (teil) {
            zeilen.gibZurueck(zeile.size() - genommen, zeile.size());
            // Nothing taken: the line starts afresh with the next part.
            if (neueZeile && genommen == 0)
                --zeile_;
        }
        fortsetzung_ = teil && (fortsetzung_ || genommen > 0);
    }
    pruefeSchluss();
    return tabelle();
}

// The refusals that only the end of the file can tell.
void Lader::pruefeSchluss()
{
    if (saetze_ == 0 && feldImSatz_ == 0)
        throw Abbruch(befund_.leer());
    if (befund_.streuquote()) {
        verwerfbar_ = true;
        throw Abbruch(befund_.streuquoteMeldung(cp1252()));
    }
    if (feldImSatz_ != 0) {
        verwerfbar_ = true;
        throw Abbruch(befund_.unvollstaendig(feldZeile_, saetze_ + 1, feldImSatz_ + 1));
    }
}

// Held-back blank lines followed by text: each is an empty field.
void Lader::holeLeerzeilenNach()
{
    for (Zeilennummer i = 0; i < leerzeilen_; ++i) {
        const Zeilennummer zeile = ersteLeerzeile_ + i;
        befund_.leerzeileAlsFeld(zeile);
        feld({}, zeile);
    }
    leerzeilen_ = 0;
}

// Takes the fields of a line, or of a part of a long line all but the last
// (it may go on); returns how much of the text was used.
std::size_t Lader::nimmZeile(std::string_view zeile, bool teil, bool zeilenende)
{
    if (!fortsetzung_) {
        zeileAmSatzanfang_ = feldImSatz_ == 0;
        felderDerZeile_ = 0;
    }
    // A null character ends its line (Zeilenleser): the fields before it are
    // read, so that the one holding it can be named.
    const bool null = !zeile.empty() && zeile.back() == '\0';
    const std::size_t mitNull = null ? zaehleFelder(zeile, trenner_) : 0;
    Feldzerleger zerleger(zeile, trenner_);
    std::string_view wert;
    std::size_t anfang = 0, felder = 0;
    while (zerleger.naechstes(wert)) {
        if (teil && zerleger.fertig())
            return anfang;
        if (++felder == mitNull)
            throw Abbruch(befund_.keinText(zeile_, saetze_ + 1, feldImSatz_ + 1, quelle_.wieUtf16OhneBom()));
        befund_.feld(zerleger, zeile_, saetze_ + 1, feldImSatz_ + 1, zeilenende);
        feld(wert, zeile_);
        ++felderDerZeile_;
        anfang = zerleger.position();
    }
    if (felderDerZeile_ % FelderJeDatensatz != 0)
        befund_.ungeradeZeile(zeile_, fortsetzung_ ? std::string_view() : zeile, felderDerZeile_, zeileAmSatzanfang_);
    return zeile.size();
}

void Lader::feld(std::string_view wert, Zeilennummer zeile)
{
    if (feldImSatz_ == 0 && saetze_ == Kapazitaet) {
        verwerfbar_ = true;
        throw Abbruch(befund_.zuViele(zeile));
    }
    // Once a byte that is not UTF-8 has been seen, the file is Windows-1252,
    // and the texts are converted as they come.
    if (feldImSatz_ == 0)
        satzRoh_ = quelle_.kodierung() != Kodierung::AchtBit || quelle_.gueltigesUtf8();
    if (feldImSatz_ == FelderJeDatensatz - 1) {
        kennungen_.push_back(wert == "1");
    } else {
        if (feldImSatz_ == 0 || wert != "@") { // "@" marks an absent meaning
            if (satzRoh_)
                texte_.append(wert);
            else
                haengeCp1252An(texte_, wert);
        }
        enden_.push_back(texte_.size());
    }
    feldZeile_ = zeile;
    if (++feldImSatz_ == FelderJeDatensatz) {
        feldImSatz_ = 0;
        roheSaetze_ += satzRoh_ ? 1 : 0;
        ++saetze_;
    }
}

// A file without a mark that is not valid UTF-8 throughout is Windows-1252.
bool Lader::cp1252() const
{
    return quelle_.kodierung() == Kodierung::AchtBit && !quelle_.gueltigesUtf8();
}

// The records into a table, now that the encoding is known: the records read
// before a file showed itself Windows-1252 are converted now.
Vokabeltabelle Lader::tabelle() const
{
    const bool umwandeln = cp1252();
    Vokabeltabelle t;
    t.reserviere(saetze_);
    std::array<std::string, 5> umgewandelt;
    std::array<std::string_view, 5> felder;
    std::size_t anfang = 0;
    for (int i = 0; i < saetze_; ++i) {
        for (std::size_t k = 0; k < felder.size(); ++k) {
            const std::size_t ende = enden_[static_cast<std::size_t>(i) * felder.size() + k];
            felder[k] = std::string_view(texte_).substr(anfang, ende - anfang);
            if (umwandeln && i < roheSaetze_) {
                umgewandelt[k].clear(); // keeps its room for the next record
                haengeCp1252An(umgewandelt[k], felder[k]);
                felder[k] = umgewandelt[k];
            }
            anfang = ende;
        }
        t.neuerEintrag(felder[0], {felder[1], felder[2], felder[3], felder[4]},
                       kennungen_[static_cast<std::size_t>(i)]);
    }
    return t;
}

} // namespace olvani
