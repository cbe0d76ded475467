#include "zaehler16.h"

#include "abbruch.h"

#include <limits>

namespace olvani {

namespace {
std::int16_t geprueft(int wert)
{
    if (wert > std::numeric_limits<std::int16_t>::max() || wert < std::numeric_limits<std::int16_t>::min())
        throw Abbruch("Zählerüberlauf: ein Zähler des Olvani-Trainers reicht nur von -32768 bis 32767.");
    return static_cast<std::int16_t>(wert);
}
} // namespace

Zaehler16& Zaehler16::operator=(int wert)
{
    wert_ = geprueft(wert);
    return *this;
}

Zaehler16& Zaehler16::operator++()
{
    wert_ = geprueft(wert_ + 1);
    return *this;
}

Zaehler16& Zaehler16::operator--()
{
    wert_ = geprueft(wert_ - 1);
    return *this;
}

} // namespace olvani
