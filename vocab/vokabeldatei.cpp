#include "vokabeldatei.h"

#include "abbruch.h"
#include "dateisuche.h"
#include "textquelle.h"
#include "zeilenfelder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace olvani {

namespace {

constexpr int FelderJeDatensatz = 6;
constexpr const char* Feldnamen[FelderJeDatensatz] = {
    "Wort", "erste Bedeutung", "zweite Bedeutung", "dritte Bedeutung", "vierte Bedeutung", "Kennung",
};

// Files of gigabytes may hold more lines than an int counts.
using Zeilennummer = long long;

// How much text at the start of a file is looked at to find its separator.
constexpr std::size_t Vorschau = 64 * 1024;

// How the learner is told which file is meant.
std::string dieDatei(const std::string& dateiname)
{
    return "Die Vokabel-Datei " + dateiname;
}

// The characters a line stops at: line ends and the null character.
bool beendetZeile(char c)
{
    return c == '\n' || c == '\r' || c == '\0';
}

// The lines of the text, one at a time; only the current line and the piece
// being read are held. A line ends at CR LF, a lone LF or a lone CR; one
// Ctrl-Z as the very last character (DOS editors end a file with it) is no
// text. A very long line comes in parts, so that its complete fields can be
// taken before the rest has been read.
class Zeilenleser {
public:
    explicit Zeilenleser(Textquelle& quelle) : quelle_(quelle) {}

    // The first `laenge` characters, or the whole text when it is shorter,
    // without consuming them.
    std::string_view vorschau(std::size_t laenge)
    {
        while (puffer_.size() - pos_ < laenge && nachfuellen()) {
        }
        return std::string_view(puffer_).substr(pos_, laenge);
    }

    // The next line without its line end, or with `teil` the next part of a
    // long line; valid until the next call. False when no line is left. A
    // line end at the very end starts no new line. A line with a null
    // character ends right after it: that is no text, and what follows may
    // be gigabytes without a line end.
    bool naechste(std::string_view& zeile, bool& teil)
    {
        teil = false;
        std::size_t ende = pos_;
        for (;;) {
            ende = static_cast<std::size_t>(
                std::find_if(puffer_.data() + ende, puffer_.data() + puffer_.size(), beendetZeile) - puffer_.data());
            if (ende < puffer_.size() && puffer_[ende] == '\0') {
                zeile = std::string_view(puffer_).substr(pos_, ende + 1 - pos_);
                pos_ = ende + 1;
                return true;
            }
            // A CR at the end of the piece may be the first half of CR LF.
            const bool vollstaendig = ende + 1 < puffer_.size() || (ende < puffer_.size() && puffer_[ende] == '\n');
            if (vollstaendig || ende_)
                break;
            if (ende - pos_ >= teillaenge_) {
                teil = true;
                zeile = std::string_view(puffer_).substr(pos_, ende - pos_);
                pos_ = ende;
                return true;
            }
            const std::size_t schon = ende - pos_;
            nachfuellen();
            ende = pos_ + schon;
        }
        teillaenge_ = Teillaenge;
        if (ende < puffer_.size()) {
            zeile = std::string_view(puffer_).substr(pos_, ende - pos_);
            pos_ = ende + (puffer_[ende] == '\r' && ende + 1 < puffer_.size() && puffer_[ende + 1] == '\n' ? 2 : 1);
            return true;
        }
        zeile = std::string_view(puffer_).substr(pos_);
        pos_ = puffer_.size();
        if (zeile.ends_with('\x1A'))
            zeile.remove_suffix(1);
        return !zeile.empty();
    }

    // The last `anzahl` characters of a part were not used: they come again
    // at the start of the next one. When none was used, the next part is
    // longer (one field may be that long).
    void gibZurueck(std::size_t anzahl, std::size_t vonTeil)
    {
        pos_ -= anzahl;
        if (anzahl == vonTeil)
            teillaenge_ *= 2;
    }

private:
    static constexpr std::size_t Teillaenge = 1024 * 1024;

    // Drops what has been consumed and appends the next piece; false at the
    // end of the text.
    bool nachfuellen()
    {
        if (ende_)
            return false;
        puffer_.erase(0, pos_);
        pos_ = 0;
        ende_ = !quelle_.lies(puffer_);
        return true;
    }

    Textquelle& quelle_;
    std::string puffer_;
    std::size_t pos_ = 0;
    bool ende_ = false;
    std::size_t teillaenge_ = Teillaenge;
};

// Where reading first left the rule of one record per line, for a message
// that would otherwise name only the later line where the file ran out.
struct Verrutscht {
    Zeilennummer zeile = 0;
    std::size_t felder = 0;
    bool leer = false;
};

// The first line that another separator would have split into six fields.
struct AndererTrenner {
    Zeilennummer zeile = 0;
    char trenner = '\0';
};

// Reads records from lines as they come: fields go into the records one by
// one, a line end ends a field like the separator. Blank lines at a record's
// start are held back until a line with text follows: at the end of the file
// they are no data.
class Lader {
public:
    // `groesse`: the file's length where known (else 0), to make room at once.
    Lader(Textquelle& quelle, const std::string& dateiname, std::uintmax_t groesse)
        : quelle_(quelle), datei_(dieDatei(dateiname))
    {
        // Room for the records a file of this length may hold, up to what the
        // largest table needs: the texts are somewhat shorter than the file.
        const std::size_t platz = static_cast<std::size_t>(std::min<std::uintmax_t>(groesse, 4u << 20));
        texte_.reserve(platz);
        enden_.reserve(std::min<std::size_t>(platz / 8, 5 * Kapazitaet));
        kennungen_.reserve(Kapazitaet);
    }

    Vokabeltabelle lies()
    {
        Zeilenleser zeilen(quelle_);
        trenner_ = erkenneTrenner(zeilen.vorschau(Vorschau));
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
            if (neueZeile && feldImSatz_ == 0 && istLeerzeile(zeile, trenner_)) {
                if (leerzeilen_++ == 0)
                    ersteLeerzeile_ = zeile_;
                continue;
            }
            holeLeerzeilenNach();
            const std::size_t genommen = nimmZeile(zeile, teil);
            if (teil) {
                zeilen.gibZurueck(zeile.size() - genommen, zeile.size());
                // Nothing taken: the line starts afresh with the next part.
                if (neueZeile && genommen == 0)
                    --zeile_;
            }
            fortsetzung_ = teil && (fortsetzung_ || genommen > 0);
        }
        if (saetze_ == 0 && feldImSatz_ == 0)
            throw Abbruch(datei_ + " ist leer: sie enthält keinen einzigen Datensatz.");
        if (feldImSatz_ != 0)
            throw Abbruch(datei_ + " ist unvollständig: in Zeile " + std::to_string(feldZeile_)
                                + " fehlt dem Datensatz " + std::to_string(saetze_ + 1) + " das Feld "
                                + std::to_string(feldImSatz_ + 1) + " (" + Feldnamen[feldImSatz_] + ")."
                                + hinweis(feldZeile_));
        return tabelle();
    }

private:
    // Held-back blank lines followed by text: each is an empty field.
    void holeLeerzeilenNach()
    {
        for (Zeilennummer i = 0; i < leerzeilen_; ++i) {
            const Zeilennummer zeile = ersteLeerzeile_ + i;
            merkeVerrutscht(zeile, 1, true);
            feld({}, zeile);
        }
        leerzeilen_ = 0;
    }

    // Takes the fields of a line, or of a part of a long line all but the
    // last (it may go on); returns how much of the text was used.
    std::size_t nimmZeile(std::string_view zeile, bool teil)
    {
        if (!fortsetzung_) {
            zeileAmSatzanfang_ = feldImSatz_ == 0;
            felderDerZeile_ = 0;
        }
        // A null character ends its line (Zeilenleser): the fields before it
        // are read, so that the one holding it can be named.
        const bool null = !zeile.empty() && zeile.back() == '\0';
        const std::size_t mitNull = null ? zaehleFelder(zeile, trenner_) : 0;
        Feldzerleger zerleger(zeile, trenner_);
        std::string_view wert;
        std::size_t anfang = 0, felder = 0;
        while (zerleger.naechstes(wert)) {
            if (teil && zerleger.fertig())
                return anfang;
            if (++felder == mitNull)
                keinText();
            feld(wert, zeile_);
            ++felderDerZeile_;
            anfang = zerleger.position();
        }
        if (felderDerZeile_ % FelderJeDatensatz == 0)
            return zeile.size();
        if (zeileAmSatzanfang_)
            merkeVerrutscht(zeile_, felderDerZeile_, false);
        if (!andererTrenner_ && !fortsetzung_)
            for (const char anderer : {',', ';', '\t'})
                if (anderer != trenner_ && zaehleFelder(zeile, anderer) == FelderJeDatensatz)
                    andererTrenner_ = AndererTrenner{zeile_, anderer};
        return zeile.size();
    }

    void feld(std::string_view wert, Zeilennummer zeile)
    {
        if (feldImSatz_ == 0 && saetze_ == Kapazitaet)
            throw Abbruch(datei_ + " enthält mehr als " + std::to_string(Kapazitaet) + " Vokabeln: der Datensatz "
                                + std::to_string(Kapazitaet + 1) + " beginnt in Zeile " + std::to_string(zeile) + "."
                                + hinweis(zeile));
        // Once a byte that is not UTF-8 has been seen, the file is
        // Windows-1252, and the texts are converted as they come.
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

    [[noreturn]] void keinText() const
    {
        std::string meldung = datei_ + " ist keine Textdatei: in Zeile " + std::to_string(zeile_)
                              + " steht im Datensatz " + std::to_string(saetze_ + 1) + " im Feld "
                              + std::to_string(feldImSatz_ + 1) + " (" + Feldnamen[feldImSatz_]
                              + ") ein Nullzeichen.";
        if (quelle_.wieUtf16OhneBom())
            meldung += " Sie sieht aus wie UTF-16 ohne Byte-Order-Mark (BOM); UTF-16 liest der Trainer nur mit BOM, "
                       "wie „Unicode-Text“ ihn schreibt.";
        throw Abbruch(meldung);
    }

    void merkeVerrutscht(Zeilennummer zeile, std::size_t felder, bool leer)
    {
        if (!verrutscht_)
            verrutscht_ = Verrutscht{zeile, felder, leer};
    }

    // More sentences for a message about line `zeile`: where the records
    // first stopped matching the lines, and which separator would have fitted.
    std::string hinweis(Zeilennummer zeile) const
    {
        std::string text;
        if (verrutscht_ && verrutscht_->zeile < zeile) {
            const Verrutscht& v = *verrutscht_;
            text += " Verrutscht ist das schon in Zeile " + std::to_string(v.zeile) + ": "
                    + (v.leer          ? std::string("eine Leerzeile zählt als ein leeres Feld.")
                       : v.felder == 1 ? std::string("dort steht 1 Feld statt sechs.")
                                       : "dort stehen " + std::to_string(v.felder) + " Felder statt sechs.");
        }
        if (andererTrenner_)
            text += std::string(" Mit ") + trennerName(andererTrenner_->trenner) + " als Trenner hätte Zeile "
                    + std::to_string(andererTrenner_->zeile)
                    + " sechs Felder; der Trenner richtet sich nach der ersten Zeile, und die wird mit "
                    + trennerName(trenner_) + " gelesen.";
        return text;
    }

    // The records into a table, now that the encoding is known: a file
    // without a mark that is not valid UTF-8 throughout is Windows-1252, and
    // the records read before that showed are converted now.
    Vokabeltabelle tabelle() const
    {
        const bool cp1252 = quelle_.kodierung() == Kodierung::AchtBit && !quelle_.gueltigesUtf8();
        Vokabeltabelle t;
        t.reserviere(saetze_);
        std::array<std::string, 5> umgewandelt;
        std::array<std::string_view, 5> felder;
        std::size_t anfang = 0;
        for (int i = 0; i < saetze_; ++i) {
            for (std::size_t k = 0; k < felder.size(); ++k) {
                const std::size_t ende = enden_[static_cast<std::size_t>(i) * felder.size() + k];
                felder[k] = std::string_view(texte_).substr(anfang, ende - anfang);
                if (cp1252 && i < roheSaetze_) {
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

    Textquelle& quelle_;
    const std::string datei_;
    char trenner_ = ',';
    Zeilennummer zeile_ = 0;     // the line being read
    Zeilennummer feldZeile_ = 1; // the line on which the last field ended
    int feldImSatz_ = 0; // fields of the unfinished record
    int saetze_ = 0;     // complete records
    Zeilennummer leerzeilen_ = 0; // blank lines held back
    Zeilennummer ersteLeerzeile_ = 0;
    bool fortsetzung_ = false;       // the text read last was part of a long line
    bool zeileAmSatzanfang_ = false; // the current line began a record
    std::size_t felderDerZeile_ = 0;
    std::optional<Verrutscht> verrutscht_;
    std::optional<AndererTrenner> andererTrenner_;
    // The texts of the records as read, word and four meanings each, one
    // after another: where each ends, and the flags.
    std::string texte_;
    std::vector<std::size_t> enden_;
    std::vector<bool> kennungen_;
    int roheSaetze_ = 0;  // the first records, kept as read: UTF-8 or not was open
    bool satzRoh_ = true; // the current record is kept as read
};

} // namespace

Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname)
{
    Textquelle quelle([&inhalt](char* ziel, std::size_t platz) {
        const std::size_t n = std::min(platz, inhalt.size());
        std::memcpy(ziel, inhalt.data(), n);
        inhalt.remove_prefix(n);
        return n;
    });
    return Lader(quelle, dateiname, inhalt.size()).lies();
}

Vokabeltabelle ladeVokabeldatei(const std::string& pfad)
{
    std::ifstream datei(alsPfad(pfad), std::ios::binary);
    if (!datei)
        throw Abbruch(dieDatei(pfad) + " kann nicht geöffnet werden.");
    Textquelle quelle([&](char* ziel, std::size_t platz) {
        datei.read(ziel, static_cast<std::streamsize>(platz));
        // A directory opens but fails on reading.
        if (datei.bad())
            throw Abbruch(dieDatei(pfad) + " kann nicht gelesen werden.");
        return static_cast<std::size_t>(datei.gcount());
    });
    std::error_code fehler;
    const std::uintmax_t groesse = std::filesystem::file_size(alsPfad(pfad), fehler);
    return Lader(quelle, pfad, fehler ? 0 : groesse).lies();
}

} // namespace olvani
