#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace olvani {

// Reads up to `platz` bytes into `ziel` and returns how many; 0 at the end.
using Bytequelle = std::function<std::size_t(char* ziel, std::size_t platz)>;

enum class Kodierung {
    AchtBit,    // no mark: UTF-8 when every byte is valid UTF-8, else Windows-1252
    Utf8MitBom, // a broken byte becomes U+FFFD
    Utf16Le,
    Utf16Be,
};

// The text of a file piece by piece, so that the file never has to be held
// whole. A byte-order mark picks the encoding, and UTF-16 comes out as UTF-8.
// Without a mark the bytes pass unchanged: the delimiters are ASCII in both
// candidates, and which one it is can be told only at the end of the file.
class Textquelle {
public:
    explicit Textquelle(Bytequelle quelle);

    // Appends the next piece of text to `ziel`; false once the file has
    // ended (the last call may still append).
    bool lies(std::string& ziel);

    Kodierung kodierung() const { return kodierung_; }
    // Without a mark: every byte read so far belongs to valid UTF-8.
    bool gueltigesUtf8() const { return gueltig_; }
    // Without a mark: the first bytes alternate between zero and not zero,
    // as UTF-16 text does that lost its mark.
    bool wieUtf16OhneBom() const { return wieUtf16_; }

private:
    std::size_t wandle(std::string_view roh, bool amEnde, std::string& ziel);

    Bytequelle quelle_;
    std::vector<char> roh_;
    std::size_t rest_ = 0; // bytes of a sequence cut by the end of a piece
    bool erkannt_ = false;
    bool ende_ = false;
    Kodierung kodierung_ = Kodierung::AchtBit;
    bool gueltig_ = true;
    bool wieUtf16_ = false;
};

// Windows-1252 text as UTF-8, appended to `ziel`.
void haengeCp1252An(std::string& ziel, std::string_view roh);

} // namespace olvani
