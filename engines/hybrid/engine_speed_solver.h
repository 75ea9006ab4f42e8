// Instantaneous firing speeds of a continuous sub-net from the continuous engine in process.
#pragma once

#include "engines/continuous/lp_solver.h"
#include "engines/hybrid/speed_solver.h"

#include <vector>

namespace mixsim {

// Runs each sub-net through the continuous engine in memory: no process, no files. The
// sub-net goes through the same "date.dat" text and result tables as with the program, so
// both ways give the same numbers to the last digit. A sub-net asked again with the very
// problem it was last solved for gets that answer again without solving (it is counted as a run
// all the same): the engine's answer depends on the problem alone.
class EngineSpeedSolver : public SpeedSolver {
public:
    explicit EngineSpeedSolver(flowrun::LpSolver& lpSolver) : m_lpSolver(lpSolver) {}
    [[nodiscard]] SubnetSpeeds solve(const SubnetProblem& problem) override;

private:
    [[nodiscard]] SubnetSpeeds solveAnew(const SubnetProblem& problem);

    struct Solved {
        SubnetProblem problem;
        SubnetSpeeds speeds;
    };

    flowrun::LpSolver& m_lpSolver;
    std::vector<Solved> m_lastSolved;  // by sub-net number
};

}  // namespace mixsim
