// Instantaneous firing speeds of a continuous sub-net from the continuous engine in process.
#pragma once

#include "engines/continuous/lp_solver.h"
#include "engines/hybrid/speed_solver.h"

namespace mixsim {

// Runs each sub-net through the continuous engine in memory: no process, no files. The
// sub-net goes through the same "date.dat" text and result tables as with the program, so
// both ways give the same numbers to the last digit.
class EngineSpeedSolver : public SpeedSolver {
public:
    explicit EngineSpeedSolver(flowrun::LpSolver& lpSolver) : m_lpSolver(lpSolver) {}
    [[nodiscard]] SubnetSpeeds solve(const SubnetProblem& problem) override;

private:
    flowrun::LpSolver& m_lpSolver;
};

}  // namespace mixsim
