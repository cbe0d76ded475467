#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace olvani {

// The fields of one line of a vocabulary file. A field ends at the separator
// or at the end of the line, so every line holds at least one. Blanks are
// spaces and tabs, but not the separator. A field that starts (after blanks)
// with a double quote runs to the next lone double quote; two in a row stand
// for one, and without a closing quote it ends with the line. Blanks between
// the closing quote and the separator are ignored; other text there is kept
// apart (nachSchlussquote), for the reader to refuse. Any other field loses
// its leading and trailing blanks.
class Feldzerleger {
public:
    Feldzerleger(std::string_view zeile, char trenner) : zeile_(zeile), trenner_(trenner) {}

    // The next field's value, valid until the next call; false after the
    // line's last field.
    bool naechstes(std::string_view& wert);
    // Where the next field starts, and whether the last one has been read.
    std::size_t position() const { return pos_; }
    bool fertig() const { return fertig_; }
    // Of the field read last: the text after its closing quote up to the
    // separator, without trailing blanks (empty when only blanks follow); and
    // whether it was a quoted field that reached the end of the line.
    std::string_view nachSchlussquote() const { return nachQuote_; }
    bool offeneQuote() const { return offen_; }

private:
    bool istBlank(char c) const { return (c == ' ' || c == '\t') && c != trenner_; }
    void geheZumTrenner();

    std::string_view zeile_;
    char trenner_;
    std::size_t pos_ = 0;
    bool fertig_ = false;
    bool offen_ = false;
    std::string_view nachQuote_;
    std::string entdoppelt_; // a quoted value whose doubled quotes were halved
};

std::size_t zaehleFelder(std::string_view zeile, char trenner);

// A line with nothing but spaces and tabs (a tab only when it does not
// separate fields).
bool istLeerzeile(std::string_view zeile, char trenner);

// The first line of a text that is not blank, without its line end; with
// none, the first line. `nummer`, when given, receives its number (from 1).
std::string_view ersteZeileMitText(std::string_view anfang, long long* nummer = nullptr);

// The separator of a file, from the start of its text: the comma, unless the
// first line that is not blank does not hold a multiple of six fields with
// commas but holds six with semicolons (or else with tabs).
char erkenneTrenner(std::string_view anfang);

// "Komma", "Semikolon", "Tabulator".
const char* trennerName(char trenner);

} // namespace olvani
