#pragma once

#include "plattform.h"
#include "vocab/abbruch.h"

#include <new>

namespace olvani {

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
