#pragma once

#include <cstddef>
#include <string>
#include <vector>

class QLabel;

namespace olvani {

// Shows a verdict in the verdict label, which keeps its size and font. A
// verdict that fits is shown as it is. One that does not shows the lines that
// fit whole, the last ending in "…"; the tooltip then holds the whole verdict,
// one entry a line, and the label's accessible name says it for a screen
// reader: the entries shown whole and how many follow. `eintraege` are the
// byte offsets in `verdikt` where the entries of the solution begin.
void zeigeUrteil(QLabel* label, const std::string& verdikt, const std::vector<std::size_t>& eintraege);

// No verdict: the label, its tooltip and what it says are empty.
void leereUrteil(QLabel* label);

} // namespace olvani
