#pragma once

#include <cstdint>

namespace olvani {

// A 16-bit signed counter whose arithmetic is checked: passing 32767 upwards
// or -32768 downwards throws Abbruch instead of wrapping.
class Zaehler16 {
public:
    constexpr Zaehler16() = default;

    constexpr operator int() const { return wert_; }

    Zaehler16& operator=(int wert);
    Zaehler16& operator++();
    Zaehler16& operator--();

private:
    std::int16_t wert_ = 0;
};

} // namespace olvani
