#pragma once

namespace olvani {

// Rounds to the given number of decimals, a half going to the even neighbour.
double rundeHalbGerade(double wert, int stellen);

} // namespace olvani
