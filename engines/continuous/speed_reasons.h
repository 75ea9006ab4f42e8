// Why each transition runs at its speed: the algorithms note what fixed every speed of a phase
// as they compute it, and at the end of the phase the speeds below their maximum get a cause.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engines/continuous/continuous_net.h"
#include "engines/continuous/lp_problem.h"
#include "engines/continuous/lp_solver.h"

namespace flowrun {

// The algorithm step that gave a transition its speed in the phase.
enum class SpeedFix {
    kNone,         // no step gave it a speed of its own (it kept 0)
    kUnfed,        // forced to 0: an empty input place that nothing can feed (step 1 bis)
    kStandby,      // put on standby: an empty input place whose inflow earlier levels take (5.2 step 1)
    kProgram,      // the linear program of a priority level, with its binding rows
    kShared,       // a sharing step: the place shared by ratios (5.A steps 4.c, 4.d, 5; 5.B step 5)
    kGoesSecond,   // a sharing step that gave the other transition precedence (5.A steps 3, 4)
    kCapped,       // lowered to what an empty input place receives (5.B step 3)
    kNotComputed,  // its group has sharing conflicts at more than one place
};

struct SpeedFact {
    SpeedFix fix = SpeedFix::kNone;
    int level = 0;               // kProgram: the priority level (from 1) of the program
    Real speed = 0;              // kProgram: the speed it gave
    int place = -1;              // the place of the step
    std::vector<RowDual> rows;   // kProgram: the rows of the program that hold with equality
    bool duals = false;          // the rows carry the solver's dual values
    std::vector<std::pair<int, Real>> sharers;  // kShared: the transitions sharing the place, with their ratios
    int first = -1;              // kGoesSecond: the transition that went first
    std::string step;            // the step as the long report heads it, e.g. "5.A step 4.c"
};

// One transition below its maximal speed in one phase; the cause names nodes as "{P2}", "{T1}".
struct SpeedCause {
    int transition = 0;  // 0-based
    Real speed = 0;
    std::string cause;
};

struct PhaseCauses {
    std::size_t state = 0;  // 0-based state of the phase, the row of "T.rez"
    std::vector<SpeedCause> causes;
};

class SpeedReasons {
public:
    void startPhase(int transitions);

    void forcedToZero(int t, int place);
    void standby(int t, int place);
    // Every criterion transition of the program gets its binding rows, unless an earlier level's
    // program gave it the same speed already. Without the solver's rows
    // (the program path) they are read off the solution: balance rows at 0, the sharing equation.
    void solved(const Flags& criterion, int level, const LpProblem& problem, const SolveResult& result);
    void shared(int t, int place, std::vector<std::pair<int, Real>> sharers, const std::string& step);
    void goesSecond(int t, int place, int first, const std::string& step);
    void capped(int t, int place, const std::string& step);
    void notComputed(const Flags& group);

    // The facts so far, to go back to when a sharing step keeps the speeds of an earlier trial.
    const std::vector<SpeedFact>& facts() const { return m_facts; }
    void restore(std::vector<SpeedFact> facts) { m_facts = std::move(facts); }

    // The causes of the speeds below their maximum, from the facts, the marking the speeds were
    // computed with and the speeds themselves.
    void endPhase(std::size_t state, const ContinuousNet& net, const Vector& M, const Vector& v);
    const std::vector<PhaseCauses>& phases() const { return m_phases; }

private:
    std::vector<SpeedFact> m_facts;
    std::vector<PhaseCauses> m_phases;
};

}  // namespace flowrun
