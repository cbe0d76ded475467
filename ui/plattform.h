#pragma once

#include "quiz/meldung.h"

#include <string>

namespace olvani {

// What the windows need from the desktop besides the toolkit itself, in one
// place, so that tests can stand in for it without a modal box ever blocking
// them.
class Plattform {
public:
    virtual ~Plattform() = default;
    // A modal message with an OK button only, titled "Olvani".
    virtual void meldung(const std::string& text, Symbol symbol) = 0;
    virtual void signalton() = 0;
    // Ends the program with this exit status once the current handler returns;
    // the caller must not touch the windows or the table afterwards.
    virtual void beenden(int status) = 0;
};

// The one way a fatal error is reported: the message, the same text on
// stderr, then the end of the program with a non-zero status.
void meldeFatalenFehler(Plattform& plattform, const std::string& text);

} // namespace olvani
