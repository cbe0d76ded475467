#include "textquelle.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace olvani {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the five bytes the code
// page leaves undefined keep their own value, as Windows itself maps them.
// Every other byte is its own code point.
constexpr std::array<char16_t, 32> Cp1252Steuerbereich = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr unsigned Ersatzzeichen = 0xFFFD;
constexpr std::size_t Stueckgroesse = 64 * 1024;

unsigned char bytewert(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

void haengeUtf8An(std::string& ziel, unsigned cp)
{
    if (cp < 0x80) {
        ziel += static_cast<char>(cp);
    } else if (cp < 0x800) {
        ziel += static_cast<char>(0xC0 | (cp >> 6));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        ziel += static_cast<char>(0xE0 | (cp >> 12));
        ziel += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        ziel += static_cast<char>(0xF0 | (cp >> 18));
        ziel += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        ziel += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ziel += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence starting at text[i], or 0 when the
// byte there does not start one (overlong forms and surrogates are rejected).
std::size_t gueltigeSequenz(std::string_view text, std::size_t i)
{
    const unsigned char c = bytewert(text, i);
    if (c < 0x80)
        return 1;
    std::size_t laenge = 0;
    unsigned char min = 0x80, max = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        laenge = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        laenge = 3;
        if (c == 0xE0) min = 0xA0;
        if (c == 0xED) max = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        laenge = 4;
        if (c == 0xF0) min = 0x90;
        if (c == 0xF4) max = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - i < laenge || bytewert(text, i + 1) < min || bytewert(text, i + 1) > max)
        return 0;
    for (std::size_t k = 2; k < laenge; ++k)
        if (bytewert(text, i + k) < 0x80 || bytewert(text, i + k) > 0xBF)
            return 0;
    return laenge;
}

// Up to where a piece can be decoded now: a sequence (at most four bytes)
// that may go on in the next piece waits for it.
std::size_t sichereGrenze(std::string_view roh, bool amEnde)
{
    return amEnde ? roh.size() : roh.size() - std::min<std::size_t>(roh.size(), 3);
}

// Checks the UTF-8 sequences that start before the safe limit; returns where
// the unchecked rest begins. After the first invalid byte nothing is checked.
std::size_t pruefeUtf8(std::string_view roh, bool amEnde, bool& gueltig)
{
    if (!gueltig)
        return roh.size();
    const std::size_t grenze = sichereGrenze(roh, amEnde);
    std::size_t i = 0;
    while (i < grenze) {
        if (bytewert(roh, i) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = gueltigeSequenz(roh, i);
        if (n == 0) {
            gueltig = false;
            return roh.size();
        }
        i += n;
    }
    return i;
}

// UTF-8 with each byte that starts no valid sequence replaced by U+FFFD.
std::size_t mitErsatzzeichen(std::string_view roh, bool amEnde, std::string& ziel)
{
    const std::size_t grenze = sichereGrenze(roh, amEnde);
    std::size_t i = 0;
    while (i < grenze) {
        const std::size_t n = gueltigeSequenz(roh, i);
        if (n == 0) {
            haengeUtf8An(ziel, Ersatzzeichen);
            ++i;
        } else {
            ziel.append(roh.substr(i, n));
            i += n;
        }
    }
    return i;
}

// UTF-16 to UTF-8; an unpaired surrogate or a lone last byte becomes U+FFFD.
std::size_t ausUtf16(std::string_view roh, bool amEnde, bool grossEndian, std::string& ziel)
{
    const auto einheit = [&](std::size_t i) -> unsigned {
        const unsigned a = bytewert(roh, i), b = bytewert(roh, i + 1);
        return grossEndian ? (a << 8 | b) : (b << 8 | a);
    };
    const std::size_t grenze = sichereGrenze(roh, amEnde);
    std::size_t i = 0;
    while (i < grenze) {
        if (roh.size() - i < 2) { // only at the end of the file
            haengeUtf8An(ziel, Ersatzzeichen);
            return roh.size();
        }
        const unsigned u = einheit(i);
        if (u >= 0xD800 && u <= 0xDBFF && roh.size() - i >= 4) {
            const unsigned v = einheit(i + 2);
            if (v >= 0xDC00 && v <= 0xDFFF) {
                haengeUtf8An(ziel, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
                i += 4;
                continue;
            }
        }
        haengeUtf8An(ziel, u >= 0xD800 && u <= 0xDFFF ? Ersatzzeichen : u);
        i += 2;
    }
    return i;
}

// The first bytes alternate zero and non-zero (either way round).
bool wechseltNull(std::string_view anfang)
{
    const std::size_t n = std::min<std::size_t>(anfang.size(), 64) & ~std::size_t{1};
    if (n < 4)
        return false;
    for (const std::size_t null : {std::size_t{0}, std::size_t{1}}) {
        bool passt = true;
        for (std::size_t i = 0; i < n && passt; ++i)
            passt = (anfang[i] == '\0') == (i % 2 == null);
        if (passt)
            return true;
    }
    return false;
}

} // namespace

void haengeCp1252An(std::string& ziel, std::string_view roh)
{
    while (!roh.empty()) {
        // ASCII in one piece, the rest character by character.
        const auto ascii = std::find_if(roh.begin(), roh.end(), [](char c) { return c & 0x80; });
        const auto n = static_cast<std::size_t>(ascii - roh.begin());
        ziel.append(roh.data(), n);
        roh.remove_prefix(n);
        for (; !roh.empty() && (roh.front() & 0x80); roh.remove_prefix(1)) {
            const unsigned char b = static_cast<unsigned char>(roh.front());
            haengeUtf8An(ziel, b < 0xA0 ? Cp1252Steuerbereich[b - 0x80] : b);
        }
    }
}

Textquelle::Textquelle(Bytequelle quelle) : quelle_(std::move(quelle)), roh_(Stueckgroesse + 4) {}

std::size_t Textquelle::wandle(std::string_view roh, bool amEnde, std::string& ziel)
{
    switch (kodierung_) {
    case Kodierung::AchtBit: {
        // The bytes kept from the last piece were passed on already; they
        // wait only to be checked together with the rest of their sequence.
        ziel.append(roh.substr(rest_));
        return pruefeUtf8(roh, amEnde, gueltig_);
    }
    case Kodierung::Utf8MitBom:
        return mitErsatzzeichen(roh, amEnde, ziel);
    case Kodierung::Utf16Le:
    case Kodierung::Utf16Be:
        return ausUtf16(roh, amEnde, kodierung_ == Kodierung::Utf16Be, ziel);
    }
    return roh.size();
}

bool Textquelle::lies(std::string& ziel)
{
    if (ende_)
        return false;
    std::size_t vorhanden = rest_;
    bool amEnde = false;
    // The mark needs three bytes; a source may hand out fewer at a time.
    do {
        const std::size_t n = quelle_(roh_.data() + vorhanden, roh_.size() - vorhanden);
        amEnde = n == 0;
        vorhanden += n;
    } while (!erkannt_ && !amEnde && vorhanden < 3);

    std::size_t anfang = 0;
    if (!erkannt_) {
        const std::string_view kopf(roh_.data(), vorhanden);
        if (kopf.starts_with("\xEF\xBB\xBF")) {
            kodierung_ = Kodierung::Utf8MitBom;
            anfang = 3;
        } else if (kopf.starts_with("\xFF\xFE")) {
            kodierung_ = Kodierung::Utf16Le;
            anfang = 2;
        } else if (kopf.starts_with("\xFE\xFF")) {
            kodierung_ = Kodierung::Utf16Be;
            anfang = 2;
        } else {
            wieUtf16_ = wechseltNull(kopf);
        }
        erkannt_ = true;
    }
    const std::string_view roh(roh_.data() + anfang, vorhanden - anfang);
    const std::size_t fertig = wandle(roh, amEnde, ziel);
    rest_ = roh.size() - fertig;
    std::memmove(roh_.data(), roh.data() + fertig, rest_);
    ende_ = amEnde;
    return !amEnde;
}

} // namespace olvani
