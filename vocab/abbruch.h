#pragma once

#include <stdexcept>

namespace olvani {

// A fault after which the run cannot go on (a broken vocabulary file, a full
// table, a counter overflow). The window layer reports it once and ends the
// program; the logic never shows anything itself.
class Abbruch : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace olvani
