// Every byte a run writes, kept: digests of the long and short reports, the result files and the
// text of every sub-net problem handed to the continuous engine, for seeded random hybrid nets and
// nets of the benchmark's shapes, compared with digests taken from an earlier build. A change of the
// engine that is meant to change its output updates the digests below with the values this test prints.
#include "engines/continuous/solver_choice.h"
#include "engines/hybrid/driver.h"
#include "engines/hybrid/engine_speed_solver.h"
#include "engines/hybrid/report_head.h"
#include "engines/hybrid/report_tail.h"
#include "engines/hybrid/result_files.h"
#include "engines/hybrid/simulation.h"
#include "tests/engines/hybrid/data_text.h"
#include "tests/engines/hybrid/random_hybrid_net.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace mixsim {
namespace {

using testing::NetText;

// FNV-1a over every byte given; the length ends each piece.
class Digest {
public:
    void add(const std::string& text)
    {
        for (unsigned char c : text) {
            mix(c);
        }
        for (std::size_t length = text.size(), i = 0; i < sizeof length; ++i, length >>= 8) {
            mix(static_cast<unsigned char>(length & 0xff));
        }
    }
    [[nodiscard]] std::uint64_t value() const { return m_value; }

private:
    void mix(unsigned char c)
    {
        m_value ^= c;
        m_value *= 1099511628211ULL;
    }
    std::uint64_t m_value = 14695981039346656037ULL;
};

// The in-process solver, handing the text of each sub-net problem to the digest first.
class RecordingSolver final : public SpeedSolver {
public:
    RecordingSolver(Digest& digest, flowrun::LpSolver& lpSolver) : m_digest(digest), m_solver(lpSolver) {}
    SubnetSpeeds solve(const SubnetProblem& problem) override
    {
        ++m_runs;
        m_digest.add(flowrunInputText(problem));
        return m_solver.solve(problem);
    }

private:
    Digest& m_digest;
    EngineSpeedSolver m_solver;
};

void addRun(Digest& digest, const NetText& net)
{
    EngineRunResult started = startRun(net.text());
    ASSERT_TRUE(started.run.has_value()) << started.error;
    const std::unique_ptr<flowrun::LpSolver> lpSolver = flowrun::makeSolver(flowrun::SolverKind::kLibrary);
    RecordingSolver solver(digest, *lpSolver);
    ReportText report;
    writeReportHead(report, started.run->net);
    const SimulationResult result = simulate(started.run->net, std::move(started.run->state), solver, report);
    writeReportTail(report, result);
    digest.add(report.pending());
    digest.add(shortReport(started.run->net, result));
    static_cast<void>(forEachResultFile(started.run->net, result, [&digest](const NamedText& file) {
        digest.add(file.name);
        digest.add(file.text);
        return true;
    }));
}

NetText sized(int places, int transitions)
{
    NetText net;
    net.P = places;
    net.T = transitions;
    net.pre.assign(static_cast<std::size_t>(places), std::vector<double>(static_cast<std::size_t>(transitions), 0.0));
    net.post = net.pre;
    return net;
}

// The discrete chain P1 -> T1 -> ... -> PN, ten tokens, durations 1.
NetText chain(int n)
{
    NetText net = sized(n, n - 1);
    for (int t = 0; t < n - 1; ++t) {
        net.pre[static_cast<std::size_t>(t)][static_cast<std::size_t>(t)] = 1;
        net.post[static_cast<std::size_t>(t + 1)][static_cast<std::size_t>(t)] = 1;
        net.trandis.push_back(t + 1);
        net.valori.push_back(1);
    }
    for (int p = 1; p <= n; ++p) {
        net.pozdis.push_back(p);
        net.marcaj.push_back(p == 1 ? 10 : 0);
    }
    return net;
}

// One discrete place (three tokens) on a loop arc of the outlets of the tanks P2..PN, by priority
// in pairs that share it.
NetText fan(int n)
{
    const int tanks = n - 1;
    NetText net = sized(n, tanks);
    net.pozdis = {1};
    net.marcaj = {3};
    for (int t = 0; t < tanks; ++t) {
        const auto column = static_cast<std::size_t>(t);
        net.pre[0][column] = net.post[0][column] = 1;
        net.pre[column + 1][column] = 1;
        net.marcaj.push_back(2 + t % 5);
        net.valori.push_back(1);
        net.conflicte.push_back(1 + t / 2);
    }
    for (int t = 0; t < tanks; ++t) {
        if (t - t % 2 + 1 < tanks) {
            net.conflicte.push_back(1 + t % 2);
        }
    }
    return net;
}

// Loops of a tank whose outlet a discrete pair (on, off) opens and closes, each with its own period.
NetText mixed(int loops)
{
    NetText net = sized(3 * loops, 3 * loops);
    for (int k = 0; k < loops; ++k) {
        const auto tank = static_cast<std::size_t>(3 * k);
        const std::size_t on = tank + 1;
        const std::size_t off = tank + 2;
        net.pre[tank][tank] = 1;
        net.pre[on][tank] = net.post[on][tank] = 1;
        net.pre[on][on] = 1;
        net.post[off][on] = 1;
        net.pre[off][off] = 1;
        net.post[on][off] = 1;
        net.pozdis.insert(net.pozdis.end(), {3 * k + 2, 3 * k + 3});
        net.trandis.insert(net.trandis.end(), {3 * k + 2, 3 * k + 3});
        net.valori.insert(net.valori.end(), {1.0, 1.0 + k % 3, 2.0 + k % 2});
        net.marcaj.insert(net.marcaj.end(), {2.0 + k % 4, 1.0, 0.0});
        net.conflicte.insert(net.conflicte.end(), {1, 2});
    }
    return net;
}

// A side x side grid of tanks, each draining right and down, whose first tank a discrete clock
// lets drain.
NetText grid(int side)
{
    std::vector<std::pair<int, int>> arcs;
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const int p = r * side + c;
            if (c + 1 < side) {
                arcs.emplace_back(p, p + 1);
            }
            if (r + 1 < side) {
                arcs.emplace_back(p, p + side);
            }
        }
    }
    const int tanks = side * side;
    const auto on = static_cast<std::size_t>(tanks);
    const std::size_t off = on + 1;
    const auto close = arcs.size();
    const std::size_t open = close + 1;
    NetText net = sized(tanks + 2, static_cast<int>(arcs.size()) + 2);
    for (std::size_t t = 0; t < arcs.size(); ++t) {
        net.pre[static_cast<std::size_t>(arcs[t].first)][t] = 1;
        net.post[static_cast<std::size_t>(arcs[t].second)][t] = 1;
        if (arcs[t].first == 0) {
            net.pre[on][t] = net.post[on][t] = 1;
        }
        net.valori.push_back(1 + static_cast<int>(t) % 3);
    }
    net.pre[on][close] = net.post[off][close] = 1;
    net.pre[off][open] = net.post[on][open] = 1;
    net.valori.insert(net.valori.end(), {3, 2});
    net.pozdis = {tanks + 1, tanks + 2};
    net.trandis = {static_cast<int>(close) + 1, static_cast<int>(open) + 1};
    for (const std::vector<double>& row : net.pre) {
        const auto outputs = static_cast<int>(std::count_if(row.begin(), row.end(), [](double w) { return w != 0.0; }));
        for (int k = 1; outputs >= 2 && k <= outputs; ++k) {
            net.conflicte.push_back(k);
        }
    }
    for (int p = 0; p < tanks; ++p) {
        net.marcaj.push_back(p * 5 % 7 + 1);
    }
    net.marcaj.insert(net.marcaj.end(), {1, 0});
    return net;
}

std::vector<NetText> randomNets()
{
    std::mt19937 random(23);
    std::vector<NetText> nets;
    for (int i = 0; i < 200; ++i) {
        nets.push_back(testing::randomHybridNet(random));
    }
    return nets;
}

struct DigestCase {
    const char* name;
    std::function<std::vector<NetText>()> nets;
    std::uint64_t digest;
};

const DigestCase kCases[] = {
    {"random hybrid nets", randomNets, 0x37b1a8c539bb1b16ULL},
    {"discrete chain of 60", [] { return std::vector<NetText>{chain(60)}; }, 0x6f030c561ffe0900ULL},
    {"fan of 40", [] { return std::vector<NetText>{fan(40)}; }, 0xb01dc6f8ab06eaf9ULL},
    {"20 switched tanks", [] { return std::vector<NetText>{mixed(20)}; }, 0x63dc23dcbd5852baULL},
    {"grid of 4 x 4 with a clock", [] { return std::vector<NetText>{grid(4)}; }, 0x5183d54c73e50cb0ULL},
};

TEST(OutputDigest, EveryHybridReportResultFileAndSubnetProblemStaysTheSame)
{
    for (const DigestCase& entry : kCases) {
        Digest digest;
        for (const NetText& net : entry.nets()) {
            addRun(digest, net);
        }
        EXPECT_EQ(digest.value(), entry.digest) << entry.name << ": 0x" << std::hex << digest.value();
    }
}

}  // namespace
}  // namespace mixsim
