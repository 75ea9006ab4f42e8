// The result files of a run: "Pos.dat", "Pos%d.dat", "Tran.dat", "Tran%d.dat".
#pragma once

#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/simulation.h"

#include <functional>
#include <string>
#include <vector>

namespace mixsim {

struct NamedText {
    std::string name;
    std::string text;
};

// Hands the text of every result file to `take`, one at a time, in the order they are written:
// "Pos.dat", "Pos1.dat".."PosP.dat", "Tran.dat", "Tran1.dat".."TranT.dat"; stops when `take`
// returns false and then returns false. The layout is the contract with the GUI program
// written down in docs/file-formats.md.
bool forEachResultFile(const HybridNet& net, const SimulationResult& result,
                       const std::function<bool(const NamedText&)>& take);

[[nodiscard]] std::string placeTable(const HybridNet& net, const SimulationResult& result);
[[nodiscard]] std::string transitionTable(const HybridNet& net, const SimulationResult& result);

}  // namespace mixsim
