#pragma once

#include <string>

namespace olvani {

enum class Symbol { Keins, Ausruf, Information, Kritisch };

// A modal message for the learner, with an OK button only.
struct Meldung {
    std::string text;
    Symbol symbol = Symbol::Keins;
};

} // namespace olvani
