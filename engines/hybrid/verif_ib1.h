// Comparison of two IB-states for the repetition test.
#pragma once

#include "engines/hybrid/array.h"
#include "engines/hybrid/records.h"

#include <vector>

namespace mixsim {

// Compares IB(stare) with IB(contor_s) (1-based): the discrete markings, the
// enabling vectors, the speed vectors, the continuous markings and the
// residual times, in this order, stopping at the first comparison that finds
// a difference. The result holds the element-wise results (1 = equal) of the
// last comparison made; vectors of different lengths give [0]; comparisons of
// two empty vectors are skipped, so two states of empty vectors give [].
[[nodiscard]] Vec verif_ib1(const std::vector<IbState>& IB, std::size_t stare,
                            std::size_t contor_s);

}  // namespace mixsim
