// One linear program of the speed computation and its text in the solver's model format.
#pragma once

#include <string>
#include <vector>

#include "engines/continuous/continuous_net.h"

namespace flowrun {

// Known-speed constraint of one transition.
struct KnownSpeed {
    Real value = 0;
    // 1: speed equals the value; 2: at least the value for a criterion transition, equal otherwise;
    // any other code: no constraint.
    int code = -1;

    bool operator==(const KnownSpeed&) const = default;
};

// r_a * v_a = r_b * v_b; a < 0 means no equation.
struct SharingEquation {
    int a = -1;
    int b = -1;
    Real ra = 0;
    Real rb = 0;
    int place = -1;
};

struct LpProblem {
    const Matrix* incidence = nullptr;
    const std::vector<std::vector<Entry>>* incidenceRows = nullptr;  // the non-zero cells of W by row
    Flags objective;                 // J: transitions whose speed sum is maximised
    Flags balanceRows;               // C2: places whose balance must stay >= 0
    Vector maxSpeed;                 // kInfiniteSpeed: no upper bound
    Vector zeroSpeed;                // C3: 0 forces the speed to 0
    std::vector<KnownSpeed> known;   // C4
    SharingEquation sharing;
};

// The program in the order its text lists it, the one form both solvers are given.
struct LpTerm {
    int t = 0;
    double coefficient = 0;
};

struct LpRow {
    int number = 0;             // the "C%d" label
    int place = -1;
    std::vector<LpTerm> terms;  // empty: the row always holds and is written as a comment
    double lowerLimit = 0;      // below 0 only in a relaxed program
};

enum class BoundKind { kAtMost, kAtLeast, kEqual, kZero };

// A single-variable line: it replaces the variable's earlier bounds, as the text format does.
struct LpBound {
    int t = 0;
    BoundKind kind = BoundKind::kAtMost;
    double value = 0;
};

struct LpModel {
    std::vector<int> objective;  // transitions whose speed sum is maximised
    std::vector<LpRow> rows;
    bool relaxed = false;
    SharingEquation sharing;     // a < 0: no equation
    std::vector<LpBound> bounds;
    int transitions = 0;
};

// With a row slack s > 0, each balance row may go below 0 by s * (1 + the sum over its
// terms of |W[p][t]| * the known speed of t).
LpModel buildLpModel(const LpProblem& problem, double rowSlack = 0);

// The model text: objective, balance rows C1.., sharing equation, upper bounds, known and
// zero speeds. A balance row without any term is always true and is written as a comment
// (keeping the numbering), since the solver rejects a labelled row with no terms.
std::string lpModelText(const LpModel& model);
std::string lpModelText(const LpProblem& problem, double rowSlack = 0);

// "x%04d" of a 0-based transition.
std::string variableName(int t);

}  // namespace flowrun
