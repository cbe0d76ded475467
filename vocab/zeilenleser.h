#pragma once

#include "textquelle.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace olvani {

// The lines of the text, one at a time; only the current line and the piece
// being read are held. Where a line ends is one of the rules in the README,
// section "The file reader's rules". A very long line comes in parts, so
// that its complete fields can be taken before the rest has been read.
class Zeilenleser {
public:
    explicit Zeilenleser(Textquelle& quelle) : quelle_(quelle) {}

    // The first `laenge` characters, or the whole text when it is shorter,
    // without consuming them.
    std::string_view vorschau(std::size_t laenge);

    // The next line without its line end, or with `teil` the next part of a
    // long line; valid until the next call. False when no line is left. A
    // line with a null character ends right after it: that is no text, and
    // what follows may be gigabytes without a line end.
    bool naechste(std::string_view& zeile, bool& teil);

    // The line returned last ended at a line end, not at the end of the text,
    // a null character or the end of a part.
    bool hatteZeilenende() const { return zeilenende_; }

    // The last `anzahl` characters of a part were not used: they come again
    // at the start of the next one. When none was used, the next part is
    // longer (one field may be that long).
    void gibZurueck(std::size_t anzahl, std::size_t vonTeil);

private:
    static constexpr std::size_t Teillaenge = 1024 * 1024;

    bool nachfuellen();

    Textquelle& quelle_;
    std::string puffer_;
    std::size_t pos_ = 0;
    bool ende_ = false;
    bool zeilenende_ = false;
    std::size_t teillaenge_ = Teillaenge;
};

} // namespace olvani
