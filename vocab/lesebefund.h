#pragma once

#include "zeilenfelder.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace olvani {

// Files of gigabytes may hold more lines than an int counts.
using Zeilennummer = long long;

// What the reader saw on its way that explains a refusal, and every sentence
// the reader says to the learner: the record builder reports what it meets,
// each kind of finding is kept the first time only, and a refusal asks here
// for its message. Records, lines and fields count from 1.
class Lesebefund {
public:
    explicit Lesebefund(const std::string& dateiname);

    // The start of the text and the separator it is read with.
    void anfang(std::string_view vorschau, char trenner);
    // A whole line as it starts being read.
    void zeile(Zeilennummer nummer, std::string_view zeile);
    // The field just split off by `zerleger`; `zeilenende`: its line ended at
    // a line end (not at the end of the file).
    void feld(const Feldzerleger& zerleger, Zeilennummer zeile, int satz, int feld, bool zeilenende)
    {
        // Inline: it runs for every field, and is nearly always nothing.
        if (!streuquote_ && !zerleger.nachSchlussquote().empty())
            merkeStreuquote(zerleger.nachSchlussquote(), zeile, satz, feld);
        if (!offeneQuote_ && zeilenende && zerleger.offeneQuote())
            offeneQuote_ = zeile;
    }
    // A line whose fields are no multiple of six; `ganz` is the line, or
    // empty when only its last part is at hand; `amSatzanfang`: it began a
    // record.
    void ungeradeZeile(Zeilennummer nummer, std::string_view ganz, std::size_t felder, bool amSatzanfang);
    // A blank line held back that became an empty field.
    void leerzeileAlsFeld(Zeilennummer nummer);

    bool streuquote() const { return streuquote_.has_value(); }

    // The refusals. `cp1252`: the file has turned out to be Windows-1252.
    std::string leer() const;
    std::string unvollstaendig(Zeilennummer zeile, int satz, int feld) const;
    std::string zuViele(Zeilennummer zeile) const;
    std::string keinText(Zeilennummer zeile, int satz, int feld, bool wieUtf16OhneBom) const;
    std::string streuquoteMeldung(bool cp1252) const;
    static std::string nichtGeoeffnet(const std::string& pfad);
    static std::string nichtGelesen(const std::string& pfad);

private:
    // Where reading first left the rule of one record per line, for a
    // message that would otherwise name only the later line where the file
    // ran out.
    struct Verrutscht {
        Zeilennummer zeile = 0;
        std::size_t felder = 0;
        bool leer = false;
    };
    // The first quoted field with text after its closing quote: a quote
    // inside that was not doubled. The text is kept as read, at most a few
    // characters.
    struct Streuquote {
        Zeilennummer zeile = 0;
        int satz = 0;
        int feld = 0;
        std::string text;
    };
    // The first line in a tab-separated file that holds nothing but blanks
    // and tabs: it looks blank, but its tabs separate empty fields.
    struct Tabzeile {
        Zeilennummer zeile = 0;
        std::size_t tabs = 0;
    };
    // The separator-deciding line: its number, and its fields with each
    // separator of Trenner.
    struct ErsteZeile {
        Zeilennummer zeile = 1;
        std::array<std::size_t, Trenner.size()> felder{};
    };
    // The first line that another separator (its place in Trenner) would
    // have split into six fields.
    struct AndererTrenner {
        Zeilennummer zeile = 0;
        std::size_t trenner = 0;
    };

    void merkeStreuquote(std::string_view text, Zeilennummer zeile, int satz, int feld);
    void merkeVerrutscht(Zeilennummer zeile, std::size_t felder, bool leer);
    std::string hinweis(Zeilennummer zeile) const;
    std::string zelleMitUmbruch(Zeilennummer zeile) const;

    const std::string datei_;
    char trenner_ = ',';
    ErsteZeile ersteZeile_;
    std::optional<Verrutscht> verrutscht_;
    std::optional<AndererTrenner> andererTrenner_;
    std::optional<Streuquote> streuquote_;
    std::optional<Tabzeile> tabzeile_;
    std::optional<Zeilennummer> offeneQuote_; // the line where a quoted field reached its line end
};

} // namespace olvani
