// The facts the algorithms note about each speed, and the causes made of them at the end of a phase.
#include "engines/continuous/speed_reasons.h"

#include <algorithm>
#include <cmath>

#include "engines/continuous/number_format.h"

namespace flowrun {
namespace {

std::string number(double value)
{
    return formatReal("%.6g", value);
}

std::string placeName(int p)
{
    return "{P" + std::to_string(p + 1) + "}";
}

std::string transitionName(int t)
{
    return "{T" + std::to_string(t + 1) + "}";
}

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

bool belowMaximum(const ContinuousNet& net, const Vector& v, int t)
{
    const Real maximum = net.maxSpeed[t];
    if (maximum < 0)
        return v[t] >= 0;
    return v[t] < maximum - kBalanceTolerance * std::max<Real>(1, maximum);
}

// The cause of one limited transition, from its fact and the phase's marking and speeds.
class CauseText {
public:
    CauseText(const ContinuousNet& net, const Vector& M, const Vector& v) : m_net(net), m_M(M), m_v(v) {}

    std::string of(int t, const SpeedFact& fact) const
    {
        if (fact.place >= 0 && empty(fact.place) && feeders(fact.place, t).empty())
            return placeName(fact.place) + " is empty and nothing feeds it";
        switch (fact.fix) {
        case SpeedFix::kUnfed:
            return placeName(fact.place) + " is empty and nothing feeds it";
        case SpeedFix::kNotComputed:
            return "its group has sharing conflicts at more than one place and is not computed: it keeps the speed 0";
        case SpeedFix::kStandby:
            return emptyPlace(fact.place, t, true) + ", and nothing is left for " + transitionName(t) +
                   priorityText(fact.place, t);
        case SpeedFix::kShared: {
            std::vector<std::string> shares;
            for (const auto& [sharer, ratio] : fact.sharers)
                shares.push_back(transitionName(sharer) + " " + number(ratio));
            return emptyPlace(fact.place, t, false) + ", and shared in the ratios " + joined(shares, " : ") + " (" +
                   fact.step + ")";
        }
        case SpeedFix::kGoesSecond:
            return emptyPlace(fact.place, t, true) + "; the conflict is settled with " + transitionName(fact.first) +
                   " first (" + fact.step + ")";
        case SpeedFix::kCapped:
            return emptyPlace(fact.place, t, true) + " (" + fact.step + ")";
        case SpeedFix::kProgram:
            return programCause(t, fact);
        case SpeedFix::kNone:
            break;
        }
        return emptyInputs(t);
    }

private:
    bool empty(int p) const { return m_M[p] <= 0; }

    // " (priority 2)" when t is one of several output transitions of p, nothing otherwise.
    std::string priorityText(int p, int t) const
    {
        if (m_net.outputCount(p) < 2)
            return {};
        return " (priority " + number(m_net.priority(p, t)) + ")";
    }

    // The transitions other than t that feed p in this phase, with their rates.
    std::vector<std::string> feeders(int p, int t) const
    {
        std::vector<std::string> list;
        for (int f : m_net.arcs.producers[p]) {
            if (m_v[f] > 0 && f != t)
                list.push_back(transitionName(f) + " at " + number(m_net.post(p, f) * m_v[f]));
        }
        return list;
    }

    // "{P2} is empty, fed by {T1} at 1 ({T1} is limited too)"; with `drawers`, the other
    // transitions drawing from it, with their priorities there.
    std::string emptyPlace(int p, int t, bool drawers) const
    {
        const std::vector<std::string> feeding = feeders(p, t);
        if (feeding.empty())
            return placeName(p) + (empty(p) ? " is empty and nothing feeds it" : " holds " + number(m_M[p]));
        std::vector<std::string> limited;
        for (int f : m_net.arcs.producers[p]) {
            if (m_v[f] > 0 && f != t && belowMaximum(m_net, m_v, f))
                limited.push_back(transitionName(f));
        }
        std::string text = placeName(p) + (empty(p) ? " is empty" : " holds " + number(m_M[p])) + ", fed by " +
                           joined(feeding, " and ");
        if (!limited.empty())
            text += " (" + joined(limited, ", ") + (limited.size() == 1 ? " is" : " are") + " limited too)";
        if (!drawers)
            return text;
        std::vector<std::string> others;
        for (int o : m_net.arcs.consumers[p]) {
            if (o != t && m_v[o] > 0)
                others.push_back(transitionName(o) + priorityText(p, o) + " takes " + number(m_net.pre(p, o) * m_v[o]));
        }
        if (!others.empty())
            text += "; " + joined(others, ", ") + " of it";
        return text;
    }

    // Every empty input place of t, or what the algorithms did when none is empty.
    std::string emptyInputs(int t) const
    {
        std::vector<std::string> causes;
        for (int p : m_net.arcs.inputs[t]) {
            if (empty(p))
                causes.push_back(emptyPlace(p, t, true));
        }
        if (causes.empty())
            return "no input place is empty: the algorithms set this speed together with its neighbours'";
        return joined(causes, "; and ");
    }

    // The binding balance rows of t's empty input places in the program that fixed its speed.
    std::string programCause(int t, const SpeedFact& fact) const
    {
        const std::string program = "the linear program of priority level " + std::to_string(fact.level);
        std::vector<std::string> causes;
        for (const RowDual& row : fact.rows) {
            if (row.place < 0 || !row.binding || m_net.incidence(row.place, t) >= 0)
                continue;
            std::string text = emptyPlace(row.place, t, true) + "; " + program + " holds its balance at 0";
            if (fact.duals)
                text += " (dual value " + number(std::fabs(row.dual)) + ")";
            causes.push_back(text);
        }
        if (causes.empty())
            return emptyInputs(t) + "; set by " + program;
        return joined(causes, "; and ");
    }

    const ContinuousNet& m_net;
    const Vector& m_M;
    const Vector& m_v;
};

}  // namespace

void SpeedReasons::startPhase(int transitions)
{
    m_facts.assign(transitions, SpeedFact{});
}

void SpeedReasons::forcedToZero(int t, int place)
{
    m_facts[t] = SpeedFact{};
    m_facts[t].fix = SpeedFix::kUnfed;
    m_facts[t].place = place;
}

void SpeedReasons::standby(int t, int place)
{
    m_facts[t] = SpeedFact{};
    m_facts[t].fix = SpeedFix::kStandby;
    m_facts[t].place = place;
}

void SpeedReasons::solved(const Flags& criterion, int level, const LpProblem& problem, const SolveResult& result)
{
    std::vector<RowDual> rows = result.rows;
    const bool duals = !rows.empty();
    if (!duals && problem.incidence) {
        const Matrix& w = *problem.incidence;
        for (int p = 0; p < w.rows(); ++p) {
            if (!problem.balanceRows[p])
                continue;
            double sum = 0;
            for (int t = 0; t < w.cols(); ++t)
                sum += static_cast<double>(w(p, t)) * result.speeds[t];
            rows.push_back(RowDual{p, 0, std::fabs(sum) <= kBalanceTolerance});
        }
    }
    for (std::size_t t = 0; t < m_facts.size(); ++t) {
        if (!criterion[t])
            continue;
        // A later level that keeps the speed did not fix it.
        const SpeedFact& earlier = m_facts[t];
        if (earlier.fix == SpeedFix::kProgram && earlier.speed == result.speeds[t])
            continue;
        m_facts[t] = SpeedFact{};
        m_facts[t].speed = result.speeds[t];
        m_facts[t].fix = SpeedFix::kProgram;
        m_facts[t].level = level;
        m_facts[t].rows = rows;
        m_facts[t].duals = duals;
    }
}

void SpeedReasons::shared(int t, int place, std::vector<std::pair<int, Real>> sharers, const std::string& step)
{
    m_facts[t] = SpeedFact{};
    m_facts[t].fix = SpeedFix::kShared;
    m_facts[t].place = place;
    m_facts[t].sharers = std::move(sharers);
    m_facts[t].step = step;
}

void SpeedReasons::goesSecond(int t, int place, int first, const std::string& step)
{
    m_facts[t] = SpeedFact{};
    m_facts[t].fix = SpeedFix::kGoesSecond;
    m_facts[t].place = place;
    m_facts[t].first = first;
    m_facts[t].step = step;
}

void SpeedReasons::capped(int t, int place, const std::string& step)
{
    m_facts[t] = SpeedFact{};
    m_facts[t].fix = SpeedFix::kCapped;
    m_facts[t].place = place;
    m_facts[t].step = step;
}

void SpeedReasons::notComputed(const Flags& group)
{
    for (std::size_t t = 0; t < m_facts.size(); ++t) {
        if (group[t]) {
            m_facts[t] = SpeedFact{};
            m_facts[t].fix = SpeedFix::kNotComputed;
        }
    }
}

void SpeedReasons::endPhase(std::size_t state, const ContinuousNet& net, const Vector& M, const Vector& v)
{
    PhaseCauses phase;
    phase.state = state;
    const CauseText text(net, M, v);
    for (int t = 0; t < net.m; ++t) {
        if (belowMaximum(net, v, t))
            phase.causes.push_back(SpeedCause{t, v[t], text.of(t, m_facts[t])});
    }
    m_phases.push_back(std::move(phase));
}

}  // namespace flowrun
