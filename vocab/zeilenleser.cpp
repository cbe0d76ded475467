#include "zeilenleser.h"

#include <algorithm>

namespace olvani {

namespace {

// The characters a line stops at: line ends and the null character.
bool beendetZeile(char c)
{
    return c == '\n' || c == '\r' || c == '\0';
}

} // namespace

std::string_view Zeilenleser::vorschau(std::size_t laenge)
{
    while (puffer_.size() - pos_ < laenge && nachfuellen()) {
    }
    return std::string_view(puffer_).substr(pos_, laenge);
}

bool Zeilenleser::naechste(std::string_view& zeile, bool& teil)
{
    teil = false;
    zeilenende_ = false;
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
        zeilenende_ = true;
        return true;
    }
    zeile = std::string_view(puffer_).substr(pos_);
    pos_ = puffer_.size();
    // DOS editors end a file with Ctrl-Z.
    if (zeile.ends_with('\x1A'))
        zeile.remove_suffix(1);
    return !zeile.empty();
}

void Zeilenleser::gibZurueck(std::size_t anzahl, std::size_t vonTeil)
{
    pos_ -= anzahl;
    if (anzahl == vonTeil)
        teillaenge_ *= 2;
}

// Drops what has been consumed and appends the next piece; false at the end
// of the text.
bool Zeilenleser::nachfuellen()
{
    if (ende_)
        return false;
    puffer_.erase(0, pos_);
    pos_ = 0;
    ende_ = !quelle_.lies(puffer_);
    return true;
}

} // namespace olvani
