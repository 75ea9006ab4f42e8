// Seeded random continuous nets and the properties every sound run of them keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engines/continuous/engine.h"

namespace flowrun::test {

// "date.dat" of a small random net: 2 to 6 places, 1 to 5 transitions, weights 1 to 3, some
// 0+ markings and infinite speeds (only on transitions with an input place), and conflicts
// settled by priorities and sharing ratios.
std::string randomNet(std::uint32_t seed);

// The broken properties of a complete run, one line each; empty when the run is sound:
// speeds within 0 and their maxima, markings never negative, each phase's end marking its
// start plus duration x balance, empty places never drained, no inflow of an empty place
// wasted while an output with marked other inputs runs below its maximum, and equal-priority
// sharers of an empty place that both run keeping their ratio.
std::vector<std::string> brokenProperties(const Simulation& simulation);

}  // namespace flowrun::test
