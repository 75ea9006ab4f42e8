// The working state and steps of Algorithm 6.1, shared by its source files.
#pragma once

#include "engines/hybrid/firing.h"
#include "engines/hybrid/sets.h"
#include "engines/hybrid/simulation.h"

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mixsim {

// A marking within rounding noise of a whole number is that number.
[[nodiscard]] double snapMarking(double value);

// Raised inside the algorithm when the run must end early; caught by simulate().
struct RunStopped {
    std::string reason;
    bool notFinite = false;  // the numbers of the run left the finite range
};

// The end of the first phase of a sub-net: the places that become empty then.
struct SubnetPhaseEnd {
    double timp_c = -1.0;  // Ts + first phase duration; -1 when no place empties
    Vec goale;             // the places (numbers) that become empty
    Vec zeroPlus;          // 1 when that place becomes 0+ (it is still fed), else 0
};

class Algorithm {
public:
    Algorithm(const HybridNet& net, SimulationState state, SpeedSolver& solver, ReportText& report);

    [[nodiscard]] SimulationResult run();

private:
    // Start (STEP 1, STEP 1.2).
    void start();
    void step2_1();
    void fireInstantaneous(std::size_t j);
    void initialTimers();
    void writeInitialTos();

    // One pass of the main loop; returns false when the run has ended.
    bool iteration();
    void step2(bool withTransitions);
    [[nodiscard]] int step3();
    void zeroTimeRounds(int pas2);
    void bookkeeping();
    void step4();
    void splitSubnets();
    void findSubnets();
    void describeStructure(Grup& grup) const;
    void fireInfiniteSpeeds();
    void describeSubnet(Grup& grup) const;
    void assignLevels();
    // Describes each sub-net as it writes it.
    void writeSubnets();
    void speeds();
    void solveLevel(const Vec& retele);
    void solveSharedLevel(const Vec& retele, const Vec& locuri);
    void applySpeeds(std::size_t q, const Vec& viteze);
    [[nodiscard]] Vec solveSubnet(std::size_t q, const Vec& bounds);
    void step10();
    [[nodiscard]] bool step11();
    [[nodiscard]] bool repetition();
    [[nodiscard]] std::size_t stateKey(std::size_t stare) const;

    // Timers: the number of timers of every discrete transition follows its enabling degree.
    // Only the transitions whose degree or timers may have changed since they were last
    // matched are visited: those fed by a place whose marking changed and those that lost timers.
    void synchroniseTimers();
    void synchroniseTimers(std::size_t i);
    void synchroniseTimers(std::size_t i, std::size_t timers);
    [[nodiscard]] std::size_t timerCount(double t) const;
    // Every change of m_marcaj1 goes through here: it marks the transitions
    // the place feeds for a visit and the place for the next refresh().
    void markingChanged(std::size_t place);
    void timersChanged(double t);
    void visitLater(std::size_t i);  // i: position in Trandis
    // Stops the run when a transition would need more timers than kMaxEnablingDegree.
    void checkDegree(double t, double degree) const;
    // TOS from the event lists; built where it is read: at the start and in STEP 11.
    void rebuildTos();
    [[nodiscard]] double alignTime(double t) const;

    // Brings m_marcaj_cont and m_marcaj_dis up to m_marcaj1.
    void refresh();
    // Ends the run when a marking, speed, balance or the clock is no longer a finite number.
    void requireFinite() const;
    [[nodiscard]] double boundFactor(std::size_t j, const Vec& md_u) const;
    [[nodiscard]] Vec conflictBlock(const Grup& grup) const;
    [[nodiscard]] double sharingOf(double place, double t) const;
    void heading(const char* step);
    // The events at the current time: they close the previous IB-state.
    [[nodiscard]] StateEvents& currentEvents();

    [[nodiscard]] std::size_t contPos(double place) const;
    [[nodiscard]] std::size_t disPos(double place) const;
    [[nodiscard]] std::size_t tranContPos(double t) const;
    [[nodiscard]] std::size_t tranDisPos(double t) const;

    const HybridNet& m_net;
    SimulationState m_s;
    SpeedSolver& m_solver;
    ReportText& m_r;

    Vec m_marcaj1;      // full marking by place number; continuous 0+ kept as -1
    Vec m_marcaj_cont;  // by Pozcont position
    Vec m_marcaj_dis;   // by Pozdis position
    Vec m_md_u;         // discrete marking still available to continuous transitions
    Vec m_viteze;       // speeds by Trancont position
    Vec m_balanta;      // balances by Pozcont position
    std::vector<Grup> m_grup;  // found once (the structure), their state set in every state
    // Where each node is in the sub-nets; empty until they are found.
    struct SubnetPosition {
        std::size_t record = 0;  // the sub-net (1-based); 0 = none
        std::size_t loc = 0;     // position in its `tranzitie`
    };
    std::vector<std::size_t> m_subnetOfPlace;            // by place number
    std::vector<SubnetPosition> m_subnetOfTransition;    // by transition number
    std::vector<SubnetPhaseEnd> m_marc_nou;
    std::optional<std::vector<double>> m_levels;  // the sub-nets' priority levels, once known
    struct PriorityLevel {
        double level = 0.0;
        Vec retele;  // its sub-nets, in the order they are treated
    };
    std::vector<PriorityLevel> m_priorityLevels;  // ascending, found with the levels
    std::vector<Vec> m_balante;         // balances of each complete state
    std::vector<StateEvents> m_events;  // events at the time that closes each state
    int m_zeroTimeSteps = 0;
    bool m_special = false;
    bool m_pastHorizon = false;
    std::unordered_map<std::size_t, std::vector<std::size_t>> m_statesByKey;  // earlier states by stateKey, ascending
    Vec m_marcaj_spec;

    PositionIndex m_contPos;  // by place number: position in Pozcont, 0 if none
    PositionIndex m_disPos;
    PositionIndex m_tranContPos;  // by transition number
    PositionIndex m_tranDisPos;
    NetArcs m_arcs;
    // The discrete input places of each continuous transition (by Trancont position) with a
    // positive weight: their position in Pozdis and the weight.
    std::vector<std::vector<Arc>> m_discreteInputs;
    std::vector<std::size_t> m_instantaneous;  // Trancont positions of the transitions of infinite speed
    // The sharing value of each (place, transition) given one in the conflicts, as sharingOf finds it.
    std::map<std::pair<std::size_t, std::size_t>, double> m_sharing;
    // By place number: the positions in Trandis of the discrete transitions it is an input of.
    std::vector<std::vector<std::size_t>> m_feeds;
    // The Trandis positions to visit at the next synchroniseTimers(), and a flag per position.
    std::vector<std::size_t> m_stale;
    std::vector<char> m_isStale;
    std::vector<std::size_t> m_timers;  // by Trandis position: timers counted for a visit
    // The places whose marking changed since the last refresh(), and a flag per place number.
    std::vector<std::size_t> m_unrefreshed;
    std::vector<char> m_isUnrefreshed;
};

}  // namespace mixsim
