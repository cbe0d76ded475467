#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace olvani {

inline constexpr int FelderJeDatensatz = 6;

// The separators a file may use and the names the messages give them, in
// the order the separator rule tries them.
struct Trennzeichen {
    char zeichen;
    const char* name;
};
inline constexpr std::array<Trennzeichen, 3> Trenner = {{{',', "Komma"}, {';', "Semikolon"}, {'\t', "Tabulator"}}};

// The fields of one line of a vocabulary file, split by the rules in the
// README, section "The file reader's rules". Every line holds at least one.
// Text after a closing quote is kept apart (nachSchlussquote), for the
// reader to refuse.
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

// The separator of a file, from the start of its text, by the first rule of
// the README's section "The file reader's rules".
char erkenneTrenner(std::string_view anfang);

// Its name from Trenner.
const char* trennerName(char trenner);

} // namespace olvani
