// The simulation state the run starts from, before the event-driven simulation.
#include "engines/hybrid/initial_state.h"

#include "engines/hybrid/sets.h"

namespace mixsim {

TrandisConflicte trandis_conflicte(const HybridNet& net)
{
    TrandisConflicte result{Vec(net.Trandis.size()), Vec(net.Trandis.size())};
    if (!hasConflicts(net.conflict)) {
        return result;
    }
    for (std::size_t i = 1; i <= net.Trandis.size(); ++i) {
        for (std::size_t k = 1; k <= net.conflict.size(); ++k) {
            const ConflictRecord& record = net.conflict[k - 1];
            if (apartenenta(net.Trandis(i), record.trandis) == kFound) {
                result.Trandis_conf(i) = static_cast<double>(k);
                result.Trandis_prioritate(i) =
                    record.prioritate(apartenenta1(net.Trandis(i), record.tranzitii).loc);
            }
        }
    }
    return result;
}

SimulationState initialState(const HybridNet& net)
{
    SimulationState state;

    IbState first;
    first.marcaj = net.md;
    first.enable = Vec(net.Trandis.size());
    first.residual.resize(net.Trandis.size());
    first.viteze = Vec(net.Trancont.size());
    first.tranzitie_d = net.Trandis;
    first.tranzitie_c = net.Trancont;
    first.mc_before = net.marcaj_cont;
    first.cauza.resize(1);
    state.IB.push_back(std::move(first));

    state.TOS.add(0.0, static_cast<double>(Eveniment::kStart), 0.0, -1.0);

    state.istoric_mc.marcaj.push_back(net.mc);
    state.istoric_mc.timp.push_back(0.0);
    state.istoric_md.marcaj.push_back(net.md);
    state.istoric_md.timp.push_back(0.0);

    TrandisConflicte conflicte = trandis_conflicte(net);
    state.Trandis_conf = std::move(conflicte.Trandis_conf);
    state.Trandis_prioritate = std::move(conflicte.Trandis_prioritate);
    return state;
}

}  // namespace mixsim
