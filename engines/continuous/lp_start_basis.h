// A starting basis near a guessed solution.
#pragma once

#include <lpsolve/lp_lib.h>

#include <vector>

namespace flowrun {

// Gives the simplex of `lp` (built, not solved) a starting basis near `guess` (one value per
// column, 1-based, element 0 unused): the `preferred` columns (same indexing; may be empty),
// then the columns strictly between their bounds, are made basic as far as a triangular, hence
// regular, basis allows; the others sit on the bound nearer their guess. Returns false,
// leaving the library's own start, when the basis is refused.
bool startNear(lprec* lp, const std::vector<double>& guess, const std::vector<char>& preferred);

}  // namespace flowrun
