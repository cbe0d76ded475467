#pragma once

#include "quiz/meldung.h"
#include "vocab/abbruch.h"

#include <iostream>
#include <new>
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
    // the caller must not touch the windows or the run afterwards.
    virtual void beenden(int status) = 0;
};

// The one way a fatal error is reported: the message, the same text on
// stderr, then the end of the program with a non-zero status.
inline void meldeFatalenFehler(Plattform& plattform, const std::string& text)
{
    std::cerr << "Olvani: " << text << std::endl;
    plattform.meldung(text, Symbol::Kritisch);
    plattform.beenden(1);
}

// Runs one step of a handler; a fatal error is reported through the one
// error path. Returns false when the program is ending, so the handler stops.
template <class Schritt>
bool abgesichert(Plattform& plattform, Schritt&& schritt)
{
    try {
        schritt();
        return true;
    } catch (const Abbruch& fehler) {
        meldeFatalenFehler(plattform, fehler.what());
    } catch (const std::bad_alloc&) {
        meldeFatalenFehler(plattform, "Nicht genügend Arbeitsspeicher.");
    }
    return false;
}

} // namespace olvani
