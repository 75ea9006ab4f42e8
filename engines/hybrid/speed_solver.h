// Instantaneous firing speeds of a continuous sub-net, computed by flowrun.
#pragma once

#include "engines/hybrid/array.h"

#include <string>
#include <string_view>

namespace mixsim {

// One continuous sub-net as flowrun reads it: places and transitions numbered
// 1..n and 1..m in ascending order of their numbers in the hybrid net.
struct SubnetProblem {
    int number = 0;  // q, the title is "Subreteaua_q"
    Mat pre;         // n x m
    Mat post;        // n x m
    Vec marcaj;      // n markings, -1 = 0+
    Vec viteze;      // m speed bounds V', -1 = infinite
    // The conflict block in flowrun's order: per place with two or more
    // output transitions of the sub-net, their priorities, then one sharing
    // ratio per member of every class of equal priorities.
    Vec conflicte;
};

// The first phase of flowrun's run on a sub-net.
struct SubnetSpeeds {
    bool ok = false;
    std::string error;   // when !ok
    Vec viteze;          // m speeds of the first phase
    double durata = 0;   // its duration as flowrun wrote it; 0 = no place empties
    int stari = 0;       // the number of states of flowrun's run
    Vec marcajStart;     // n markings at the start of the first phase (-1 = 0+)
    Vec marcajFinal;     // n markings at its end: the next marking row
};

class SpeedSolver {
public:
    virtual ~SpeedSolver() = default;
    [[nodiscard]] virtual SubnetSpeeds solve(const SubnetProblem& problem) = 0;
    [[nodiscard]] int runs() const { return m_runs; }

protected:
    int m_runs = 0;
};

// Runs the flowrun program in the current directory on "date.dat" for every sub-net.
class FlowrunSolver : public SpeedSolver {
public:
    explicit FlowrunSolver(std::string program) : m_program(std::move(program)) {}
    [[nodiscard]] SubnetSpeeds solve(const SubnetProblem& problem) override;

private:
    std::string m_program;
};

// The text of "date.dat" for a sub-net: one value per line, C locale.
[[nodiscard]] std::string flowrunInputText(const SubnetProblem& problem);

// Reads "T.rez" and "P.rez" of a sub-net of n places and m transitions. The
// first phase is the first state whose speeds hold no infinite-speed code
// (the states before it are flowrun's instantaneous firings); its end marking
// is the marking row after it, whatever the number of states.
[[nodiscard]] SubnetSpeeds parseFlowrunResults(std::string_view tRez, std::string_view pRez,
                                               std::size_t n, std::size_t m);

}  // namespace mixsim
