// Random nets and the run properties.
#include "tests/engines/continuous/random_nets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace flowrun::test {
namespace {

class Draw {
public:
    explicit Draw(std::uint32_t seed) : m_engine(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_engine); }

private:
    std::mt19937 m_engine;
};

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

}  // namespace

std::string randomNet(std::uint32_t seed)
{
    Draw draw(seed);
    const int n = draw.between(2, 6);
    const int m = draw.between(1, 5);
    std::vector<std::vector<int>> pre(n, std::vector<int>(m, 0));
    std::vector<std::vector<int>> post(n, std::vector<int>(m, 0));
    for (int p = 0; p < n; ++p) {
        for (int t = 0; t < m; ++t) {
            if (draw.chance(0.3))
                pre[p][t] = draw.between(1, 3);
            if (draw.chance(0.3))
                post[p][t] = draw.between(1, 3);
        }
    }
    std::string text = "fuzz " + std::to_string(seed) + "\n" + std::to_string(n) + " " + std::to_string(m) + "\n";
    for (const auto* matrix : {&pre, &post}) {
        for (const auto& row : *matrix) {
            for (int value : row)
                text += std::to_string(value) + " ";
            text += "\n";
        }
    }
    for (int p = 0; p < n; ++p) {
        const int kind = draw.between(0, 9);
        text += kind < 3 ? "0 " : kind < 4 ? "-1 " : std::to_string(draw.between(1, 8)) + " ";
    }
    text += "\n";
    for (int t = 0; t < m; ++t) {
        bool hasInput = false;
        for (int p = 0; p < n; ++p)
            hasInput = hasInput || pre[p][t] > 0;
        const int kind = draw.between(0, 9);
        if (kind == 0 && hasInput)
            text += "-1 ";
        else
            text += number(kind < 5 ? draw.between(1, 5) : draw.between(1, 10) / 2.0) + " ";
    }
    text += "\n";
    for (int p = 0; p < n; ++p) {
        std::vector<int> outputs;
        for (int t = 0; t < m; ++t) {
            if (pre[p][t] > 0)
                outputs.push_back(t);
        }
        if (outputs.size() < 2)
            continue;
        std::vector<int> priority;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            priority.push_back(draw.between(1, 2));
            text += std::to_string(priority.back()) + " ";
        }
        std::vector<bool> hasRatio(outputs.size(), false);
        for (std::size_t a = 0; a + 1 < outputs.size(); ++a) {
            for (std::size_t b = a + 1; b < outputs.size(); ++b) {
                if (priority[a] != priority[b])
                    continue;
                for (std::size_t i : {a, b}) {
                    if (!hasRatio[i]) {
                        text += std::to_string(draw.between(1, 3)) + " ";
                        hasRatio[i] = true;
                    }
                }
            }
        }
        text += "\n";
    }
    return text;
}

std::vector<std::string> brokenProperties(const Simulation& simulation)
{
    const ContinuousNet& net = simulation.net;
    const EngineRun& run = simulation.run;
    std::vector<std::string> broken;
    const auto fail = [&broken](std::size_t state, const std::string& what) {
        broken.push_back("state " + std::to_string(state + 1) + ": " + what);
    };
    for (std::size_t i = 0; i < run.states.size(); ++i) {
        const IbState& state = run.states[i];
        const Vector& start = state.marking;
        const Vector& end = run.marking(i + 1);
        for (int p = 0; p < net.n; ++p) {
            if (start[p] < 0 && start[p] != kZeroPlus)
                fail(i, "P" + std::to_string(p + 1) + " has a negative marking");
        }
        if (std::any_of(state.speeds.begin(), state.speeds.end(), [](Real v) { return v < 0; }))
            continue;  // an instantaneous firing before the first phase
        const Vector& v = state.speeds;
        for (int t = 0; t < net.m; ++t) {
            const Real max = net.maxSpeed[t];
            if (max >= 0 && v[t] > max * (1 + 1e-5f) + 1e-6f)
                fail(i, "T" + std::to_string(t + 1) + " runs above its maximal speed");
        }
        const bool last = i + 1 == run.states.size();
        for (int p = 0; p < net.n; ++p) {
            const std::string place = "P" + std::to_string(p + 1);
            const Real balance = net.balance(p, v);
            Real throughput = 0;
            for (int t = 0; t < net.m; ++t)
                throughput += std::fabs(net.incidence(p, t)) * v[t];
            const Real tolerance = 1e-4f * (1 + throughput);
            const bool empty = start[p] <= 0;
            if (empty && balance < -tolerance)
                fail(i, place + " is empty and drained (balance " + std::to_string(balance) + ")");
            if (!last && state.duration > 0) {
                const Real expected = std::max<Real>(start[p], 0) + state.duration * balance;
                const Real got = std::max<Real>(end[p], 0);
                if (std::fabs(got - expected) > 1e-3f * (1 + std::fabs(expected)) && !(got == 0 && expected < 1e-3f))
                    fail(i, place + " ends at " + std::to_string(got) + ", not " + std::to_string(expected));
            }
            if (!empty || balance <= tolerance)
                continue;
            for (int t = 0; t < net.m; ++t) {
                if (!net.isInput(p, t) || net.maxSpeed[t] < 0)
                    continue;
                bool othersMarked = true;
                for (int q = 0; q < net.n; ++q)
                    othersMarked = othersMarked && (q == p || !net.isInput(q, t) || start[q] > 0);
                if (othersMarked && v[t] < net.maxSpeed[t] * (1 - 1e-4f) - 1e-5f)
                    fail(i, place + " fills while its output T" + std::to_string(t + 1) + " runs below its maximum");
            }
        }
        // Ratios bind only where the place is the limit: it stays empty and neither sharer is held
        // by its maximal speed or another empty input.
        const auto freeSharer = [&](int t, int p) {
            if (v[t] <= 0 || (net.maxSpeed[t] >= 0 && v[t] >= net.maxSpeed[t] * (1 - 1e-4f)))
                return false;
            for (int q = 0; q < net.n; ++q) {
                if (q != p && net.isInput(q, t) && start[q] <= 0)
                    return false;
            }
            return true;
        };
        for (int p = 0; p < net.n; ++p) {
            Real throughput = 0;
            for (int t = 0; t < net.m; ++t)
                throughput += std::fabs(net.incidence(p, t)) * v[t];
            if (start[p] > 0 || std::fabs(net.balance(p, v)) > 1e-4f * (1 + throughput))
                continue;
            for (int a = 0; a < net.m; ++a) {
                for (int b = a + 1; b < net.m; ++b) {
                    const Real ra = net.shareRatio(p, a);
                    const Real rb = net.shareRatio(p, b);
                    if (ra <= 0 || rb <= 0 || net.priority(p, a) != net.priority(p, b) || !freeSharer(a, p) ||
                        !freeSharer(b, p))
                        continue;
                    if (std::fabs(ra * v[a] - rb * v[b]) > 1e-3f * (ra * v[a] + rb * v[b]))
                        fail(i, "T" + std::to_string(a + 1) + " and T" + std::to_string(b + 1) +
                                    " share P" + std::to_string(p + 1) + " against their ratios");
                }
            }
        }
    }
    return broken;
}

}  // namespace flowrun::test
