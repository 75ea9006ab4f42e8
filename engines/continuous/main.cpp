// flowrun: simulates the continuous net of "date.dat" in the current directory.
#include "engines/continuous/engine.h"
#include "engines/continuous/lp_solve_cli.h"

int main()
{
    flowrun::LpSolveCli solver;
    return flowrun::runEngine(solver);
}
