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
#include <functional>
#include <memory>
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

// The first quoted field with text after its closing quote: a quote inside
// that was not doubled. The text is kept as read, at most a few characters.
struct Streuquote {
    Zeilennummer zeile = 0;
    int satz = 0;
    int feld = 0;
    std::string text;
};

// The first line in a tab-separated file that holds nothing but blanks and
// tabs: it looks blank, but its tabs separate empty fields.
struct Tabzeile {
    Zeilennummer zeile = 0;
    std::size_t tabs = 0;
};

// The separator-deciding line: its number, and its fields with each
// separator (comma, semicolon, tab).
struct ErsteZeile {
    Zeilennummer zeile = 1;
    std::array<std::size_t, 3> felder{};
};

constexpr std::array<char, 3> Trenner = {',', ';', '\t'};

std::size_t trennerIndex(char trenner)
{
    return trenner == ',' ? 0 : trenner == ';' ? 1 : 2;
}

// "1 Feld", "7 Felder".
std::string felderText(std::size_t anzahl)
{
    return std::to_string(anzahl) + (anzahl == 1 ? " Feld" : " Felder");
}

// At most `laenge` bytes of UTF-8 text, cut before a whole character, with
// "…" when something was cut.
std::string gekuerzt(std::string text, std::size_t laenge)
{
    if (text.size() <= laenge)
        return text;
    std::size_t ende = laenge;
    while (ende > 0 && (static_cast<unsigned char>(text[ende]) & 0xC0) == 0x80)
        --ende;
    text.resize(ende);
    return text + "…";
}

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

    // Reads the records with `trenner`, or with the separator the first line
    // suggests when it is '\0'.
    Vokabeltabelle lies(char trenner = '\0')
    {
        Zeilenleser zeilen(quelle_);
        const std::string_view vorschau = zeilen.vorschau(Vorschau);
        trenner_ = trenner != '\0' ? trenner : erkenneTrenner(vorschau);
        const std::string_view erste = ersteZeileMitText(vorschau, &ersteZeile_.zeile);
        for (std::size_t k = 0; k < Trenner.size(); ++k)
            ersteZeile_.felder[k] = zaehleFelder(erste, Trenner[k]);
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
            if (neueZeile && !teil && !tabzeile_ && !istLeerzeile(zeile, trenner_) && istLeerzeile(zeile, '\0'))
                tabzeile_ = Tabzeile{zeile_, static_cast<std::size_t>(std::count(zeile.begin(), zeile.end(), '\t'))};
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
        if (streuquote_) {
            verwerfbar_ = true;
            throw Abbruch(streuquoteMeldung());
        }
        if (feldImSatz_ != 0) {
            verwerfbar_ = true;
            throw Abbruch(datei_ + " ist unvollständig: in Zeile " + std::to_string(feldZeile_)
                                + " fehlt dem Datensatz " + std::to_string(saetze_ + 1) + " das Feld "
                                + std::to_string(feldImSatz_ + 1) + " (" + Feldnamen[feldImSatz_] + ")."
                                + hinweis(feldZeile_));
        }
        return tabelle();
    }

    char trenner() const { return trenner_; }
    // The refusal came from the records read with this separator (an
    // incomplete record, a 10001st or a quote that was not doubled), not
    // from the bytes: another separator may read the file.
    bool verwerfbar() const { return verwerfbar_; }

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
            if (!streuquote_ && !zerleger.nachSchlussquote().empty())
                streuquote_ = Streuquote{zeile_, saetze_ + 1, feldImSatz_ + 1,
                                          std::string(zerleger.nachSchlussquote().substr(0, 64))};
            if (!offeneQuote_ && zerleger.offeneQuote())
                offeneQuote_ = zeile_;
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
        if (feldImSatz_ == 0 && saetze_ == Kapazitaet) {
            verwerfbar_ = true;
            throw Abbruch(datei_ + " enthält mehr als " + std::to_string(Kapazitaet) + " Vokabeln: der Datensatz "
                                + std::to_string(Kapazitaet + 1) + " beginnt in Zeile " + std::to_string(zeile) + "."
                                + hinweis(zeile));
        }
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
    // first stopped matching the lines, a line that looks blank but holds
    // tabs, a quoted field that went on past its line, and which separator
    // would have fitted.
    std::string hinweis(Zeilennummer zeile) const
    {
        std::string text;
        if (verrutscht_ && verrutscht_->zeile < zeile) {
            const Verrutscht& v = *verrutscht_;
            text += " Verrutscht ist das schon in Zeile " + std::to_string(v.zeile) + ": ";
            if (v.leer) {
                text += "eine Leerzeile zählt als ein leeres Feld.";
            } else if (andererTrenner_ && v.zeile == ersteZeile_.zeile) {
                // The separator was chosen from this line: count its fields
                // with the one the file seems to use.
                const std::size_t n = ersteZeile_.felder[trennerIndex(andererTrenner_->trenner)];
                text += std::string(n == 1 ? "dort steht mit " : "dort stehen mit ")
                        + trennerName(andererTrenner_->trenner) + " " + felderText(n) + " statt sechs.";
            } else {
                text += std::string(v.felder == 1 ? "dort steht " : "dort stehen ") + felderText(v.felder)
                        + " statt sechs.";
            }
        }
        if (tabzeile_ && tabzeile_->zeile <= zeile) {
            const std::size_t n = tabzeile_->tabs;
            text += " Zeile " + std::to_string(tabzeile_->zeile) + " sieht leer aus, enthält aber "
                    + (n == 1 ? std::string("einen Tabulator") : std::to_string(n) + " Tabulatoren")
                    + ": das sind " + std::to_string(n + 1) + " leere Felder.";
        }
        text += zelleMitUmbruch(zeile);
        if (andererTrenner_) {
            text += std::string(" Mit ") + trennerName(andererTrenner_->trenner) + " als Trenner hätte Zeile "
                    + std::to_string(andererTrenner_->zeile) + " sechs Felder; der Trenner richtet sich nach der ersten Zeile";
            text += ersteZeile_.zeile > 1 ? " mit Text, Zeile " + std::to_string(ersteZeile_.zeile) + "," : ",";
            text += std::string(" und die wird mit ") + trennerName(trenner_) + " gelesen.";
        }
        return text;
    }

    // A quoted field that reached the end of its line, at or before line
    // `zeile`: a cell that holds a line break.
    std::string zelleMitUmbruch(Zeilennummer zeile) const
    {
        if (!offeneQuote_ || *offeneQuote_ > zeile)
            return {};
        return " In Zeile " + std::to_string(*offeneQuote_)
               + " beginnt ein Feld in Anführungszeichen, das erst nach dem Zeilenende schließt: wohl eine "
                 "Tabellenzelle mit Zeilenumbruch. Der Trainer liest jede Zeile für sich; schreib den Text der "
                 "Zelle in eine Zeile.";
    }

    std::string streuquoteMeldung() const
    {
        const Streuquote& q = *streuquote_;
        std::string gesehen;
        if (quelle_.kodierung() == Kodierung::AchtBit && !quelle_.gueltigesUtf8())
            haengeCp1252An(gesehen, q.text);
        else
            gesehen = q.text;
        return datei_ + " ist fehlerhaft: in Zeile " + std::to_string(q.zeile) + " steht im Datensatz "
               + std::to_string(q.satz) + " im Feld " + std::to_string(q.feld) + " (" + Feldnamen[q.feld - 1]
               + ") nach dem schließenden Anführungszeichen noch „" + gekuerzt(gesehen, 40)
               + "“. Ein Anführungszeichen in einem Feld in Anführungszeichen wird doppelt geschrieben: "
                 "\"sagen \"\"ja\"\"\" steht für sagen \"ja\"."
               + zelleMitUmbruch(q.zeile - 1);
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
    std::optional<Streuquote> streuquote_;
    std::optional<Tabzeile> tabzeile_;
    std::optional<Zeilennummer> offeneQuote_; // the line where such a field began
    ErsteZeile ersteZeile_;
    bool verwerfbar_ = false;
    // The texts of the records as read, word and four meanings each, one
    // after another: where each ends, and the flags.
    std::string texte_;
    std::vector<std::size_t> enden_;
    std::vector<bool> kennungen_;
    int roheSaetze_ = 0;  // the first records, kept as read: UTF-8 or not was open
    bool satzRoh_ = true; // the current record is kept as read
};

// Reads the text that `oeffne` hands out, from its start each time it is
// called. When the reading with the separator the first line suggests is
// refused for its records and that separator is not the comma, the file is
// read once more with commas: if that reading accepts the whole file, it
// stands (a comma file whose first line happens to split into six fields at
// semicolons); otherwise the first refusal is reported.
Vokabeltabelle lade(const std::function<Bytequelle()>& oeffne, const std::string& dateiname, std::uintmax_t groesse)
{
    std::string meldung;
    {
        Textquelle quelle(oeffne());
        Lader lader(quelle, dateiname, groesse);
        try {
            return lader.lies();
        } catch (const Abbruch& fehler) {
            if (lader.trenner() == ',' || !lader.verwerfbar())
                throw;
            meldung = fehler.what();
        }
    }
    Textquelle quelle(oeffne());
    try {
        return Lader(quelle, dateiname, groesse).lies(',');
    } catch (const Abbruch&) {
    }
    throw Abbruch(meldung);
}

} // namespace

Vokabeltabelle liesVokabeln(std::string_view inhalt, const std::string& dateiname)
{
    const auto oeffne = [inhalt]() -> Bytequelle {
        return [rest = inhalt](char* ziel, std::size_t platz) mutable {
            const std::size_t n = std::min(platz, rest.size());
            std::memcpy(ziel, rest.data(), n);
            rest.remove_prefix(n);
            return n;
        };
    };
    return lade(oeffne, dateiname, inhalt.size());
}

Vokabeltabelle ladeVokabeldatei(const std::string& pfad)
{
    const auto oeffne = [&pfad]() -> Bytequelle {
        auto datei = std::make_shared<std::ifstream>(alsPfad(pfad), std::ios::binary);
        if (!*datei)
            throw Abbruch(dieDatei(pfad) + " kann nicht geöffnet werden.");
        return [datei, &pfad](char* ziel, std::size_t platz) {
            datei->read(ziel, static_cast<std::streamsize>(platz));
            // A directory opens but fails on reading.
            if (datei->bad())
                throw Abbruch(dieDatei(pfad) + " kann nicht gelesen werden.");
            return static_cast<std::size_t>(datei->gcount());
        };
    };
    Bytequelle erste = oeffne();
    std::error_code fehler;
    const std::uintmax_t groesse = std::filesystem::file_size(alsPfad(pfad), fehler);
    bool schonOffen = true;
    return lade(
        [&]() -> Bytequelle {
            if (schonOffen) {
                schonOffen = false;
                return std::move(erste);
            }
            return oeffne();
        },
        pfad, fehler ? 0 : groesse);
}

} // namespace olvani
