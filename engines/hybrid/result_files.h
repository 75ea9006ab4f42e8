// The result files of a run: "Pos.dat", "Pos%d.dat", "Tran.dat", "Tran%d.dat".
#pragma once

#include "engines/hybrid/hybrid_net.h"
#include "engines/hybrid/simulation.h"

#include <string>
#include <vector>

namespace mixsim {

struct NamedText {
    std::string name;
    std::string text;
};

// The texts of every result file, in the order they are written: "Pos.dat",
// "Pos1.dat".."PosP.dat", "Tran.dat", "Tran1.dat".."TranT.dat". The layout is
// the contract with the GUI program written down in docs/file-formats.md.
[[nodiscard]] std::vector<NamedText> resultFiles(const HybridNet& net, const SimulationResult& result);

[[nodiscard]] std::string placeTable(const HybridNet& net, const SimulationResult& result);
[[nodiscard]] std::string transitionTable(const HybridNet& net, const SimulationResult& result);

}  // namespace mixsim
