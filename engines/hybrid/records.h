// Records of the hybrid engine: event lists, conflicts, IB-states and sub-nets.
#pragma once

#include "engines/hybrid/array.h"

#include <string>
#include <vector>

namespace mixsim {

enum class NodeKind { kDiscrete, kContinuous };

// Kinds of events in TOS (column `eveniment`).
enum class Eveniment { kStart = 0, kD1 = 1, kD2 = 2, kC1 = 3 };

// The time-ordered sequence of events: four parallel columns.
struct TosList {
    Vec timp;
    Vec eveniment;
    Vec cauza;
    Vec subretea;

    [[nodiscard]] std::size_t size() const { return timp.size(); }
    void add(double t, double even, double cause, double sub);
    // Removes row i (1-based) from all four columns.
    void erase(std::size_t i);
};

// C1 events: a continuous place becomes empty.
struct C1List {
    Vec timp;
    Vec pozitie;
};

// D1 events: timers of discrete transitions.
struct D1List {
    Vec timp;
    Vec tranzitie;
    Vec conflict;
    Vec prioritate;

    [[nodiscard]] std::size_t size() const { return timp.size(); }
    void add(double t, double tran, double conf, double prio);
    void erase(std::size_t i);
};

// D2 events. Candidate rows (one per continuous input place of a discrete
// transition) use `marcaj`, `tranzitie`, `pozitie`, `adaugat`; scheduled rows
// use `timp`, `flux`, `pozitie_flux`, `tranzitie_1` (duration), `tranzitie_2`
// (transition).
struct D2List {
    Vec timp;
    Vec marcaj;
    Vec tranzitie;
    Vec tranzitie_1;
    Vec tranzitie_2;
    Vec pozitie;
    Vec flux;
    Vec pozitie_flux;
    Vec adaugat;
};

// A place with at least two output transitions, with its settings read from the input.
struct ConflictRecord {
    int pozitie = 0;
    Vec tranzitii;
    NodeKind tippoz = NodeKind::kDiscrete;
    std::vector<NodeKind> tiptran;
    Vec trandis;
    Vec trancont;
    Vec prioritate;
    Vec prioritate1;  // priorities of the members of `trancont`
    Vec prioritate2;  // priorities of the members of `trandis`
    Vec sharing;
    Vec tr_sharing;
    Vec sharing_dis;
    Vec tr_sharing_dis;
    int tip = 0;
    int tip_caz3 = 0;  // 0 when the conflict has no sub-case
    Vec prioritatecont;
    int existenta = 0;  // meaningful in the first record only
};

struct Residual {
    Vec timp;
};

struct Cauza {
    Vec cauza;
    Vec eveniment;
};

// One state of invariant behaviour.
struct IbState {
    Vec marcaj;
    int special = 0;
    Vec mc_bef_spec;
    Vec mc_aft_spec;
    Vec enable;
    std::vector<Residual> residual;
    Vec viteze;
    Vec tranzitie_d;
    Vec tranzitie_c;
    double timp = 0.0;
    Vec mc_before;
    Vec mc_after;
    std::vector<Cauza> cauza;
};

struct GrupConflict {
    double pozitie = 0.0;
    Vec tranzitie;
    Vec prioritate;
    Vec sharing;
};

// A connected sub-net of the continuous part.
struct Grup {
    Vec pozitie;
    Vec tranzitie;
    Mat pre;
    Mat post;
    Vec marcaj;
    Vec viteze;
    Vec U;
    std::vector<GrupConflict> conflict;
    Vec conflicte;
    double prioritate_retea = 0.0;
    Vec sharing;
    Vec nr_conflict;
    Vec tran_conflict;
    Vec tran_grup;
    int vazut = 0;
    int calculat = 0;
    int contor1 = 0;
    // The number of speed computations of the sub-net in the current state:
    // 1 on a level of its own, more when a shared discrete place is
    // re-allocated (STEP 9). The repetition test does not use it.
    int contor2 = 0;
};

// Marking history: one marking vector per recorded time.
struct MarkingHistory {
    std::vector<Vec> marcaj;
    Vec timp;
};

}  // namespace mixsim
