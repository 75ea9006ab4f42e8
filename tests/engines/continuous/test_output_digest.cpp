// Every byte a run writes, kept: digests of the reports, the result files and the text of every
// linear program of runs on generated nets, compared with digests taken from an earlier build.
// A change of the engine that is meant to change its output updates the digests below with the
// values this test prints.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engines/continuous/engine.h"
#include "engines/continuous/lp_problem.h"
#include "engines/continuous/result_files.h"
#include "engines/continuous/solver_choice.h"
#include "tests/engines/continuous/flowrun_test_support.h"
#include "tests/engines/continuous/hand_derived_nets.h"
#include "tests/engines/continuous/random_nets.h"

namespace flowrun {
namespace {

// FNV-1a over every byte given.
class Digest {
public:
    void add(const std::string& text)
    {
        for (unsigned char c : text) {
            m_value ^= c;
            m_value *= 1099511628211ULL;
        }
        // The length ends each piece, so that moving a byte from one piece to the next shows.
        for (std::size_t length = text.size(), i = 0; i < sizeof length; ++i, length >>= 8) {
            m_value ^= length & 0xff;
            m_value *= 1099511628211ULL;
        }
    }
    std::uint64_t value() const { return m_value; }

private:
    std::uint64_t m_value = 14695981039346656037ULL;
};

// A solver of either path, handing the text of each program to the digest first.
class TextRecordingSolver final : public LpSolver {
public:
    TextRecordingSolver(Digest& digest, SolverKind kind) : m_digest(digest), m_solver(makeSolver(kind)) {}
    SolveResult solve(const LpProblem& problem) override
    {
        m_digest.add(lpModelText(problem));
        return m_solver->solve(problem);
    }

private:
    Digest& m_digest;
    std::unique_ptr<LpSolver> m_solver;
};

void addRun(Digest& digest, const std::string& input, SolverKind kind)
{
    TextRecordingSolver solver(digest, kind);
    Report longReport;
    Report briefReport;
    const Simulation simulation = simulateText(input, solver, longReport, briefReport);
    digest.add(std::to_string(simulation.status));
    digest.add(longReport.pending());
    digest.add(briefReport.pending());
    if (simulation.status != 0)
        return;
    for (const ResultFile& file : resultFiles(simulation.run, simulation.net.n, simulation.net.m)) {
        digest.add(file.name);
        digest.add(file.text);
    }
}

using Table = std::vector<std::vector<int>>;

std::string netText(const std::string& title, const Table& pre, const Table& post, const std::vector<int>& marking,
                    const std::vector<int>& speeds, const std::vector<std::vector<int>>& conflicts)
{
    std::string text = title + "\r\n" + std::to_string(pre.size()) + " " + std::to_string(pre[0].size()) + "\r\n";
    const auto line = [&text](const std::vector<int>& values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            text += (i ? " " : "") + std::to_string(values[i]);
        text += "\r\n";
    };
    for (const Table* matrix : {&pre, &post}) {
        for (const std::vector<int>& row : *matrix)
            line(row);
    }
    line(marking);
    line(speeds);
    for (const std::vector<int>& conflict : conflicts)
        line(conflict);
    return text;
}

// P1 -> T1 -> ... -> PN -> TN, every fifth place also feeding TN with a lower priority.
std::string chainNet(int size)
{
    Table pre(size, std::vector<int>(size, 0));
    Table post = pre;
    for (int i = 0; i + 1 < size; ++i) {
        pre[i][i] = 1;
        post[i + 1][i] = 1;
    }
    pre[size - 1][size - 1] = 1;
    std::vector<std::vector<int>> conflicts;
    for (int p = 0; p + 1 < size; p += 5) {
        pre[p][size - 1] = 1;
        conflicts.push_back({1, 2});
    }
    std::vector<int> marking;
    std::vector<int> speeds;
    for (int i = 0; i < size; ++i) {
        marking.push_back(i * 7 % 11 + 1);
        speeds.push_back(1 + i * 3 % 5);
    }
    return netText("chain", pre, post, marking, speeds, conflicts);
}

// One tank feeding N - 1 outlets, in classes of three of equal priority sharing it.
std::string fanNet(int size)
{
    const int outlets = size - 1;
    Table pre(size, std::vector<int>(outlets, 0));
    Table post = pre;
    std::vector<int> conflict;
    std::vector<int> speeds;
    for (int t = 0; t < outlets; ++t) {
        pre[0][t] = 1;
        post[t + 1][t] = 1;
        conflict.push_back(1 + t / 3);
        speeds.push_back(1 + t % 4);
    }
    for (int t = 0; t < outlets; ++t) {
        if (t - t % 3 + 1 < outlets)
            conflict.push_back(1 + t % 3);
    }
    std::vector<int> marking(size, 0);
    marking[0] = 10 * size;
    return netText("fan", pre, post, marking, speeds, {conflict});
}

// A side x side grid of tanks, each draining right (first priority) and down.
std::string gridNet(int side)
{
    std::vector<std::pair<int, int>> arcs;
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const int p = r * side + c;
            if (c + 1 < side)
                arcs.emplace_back(p, p + 1);
            if (r + 1 < side)
                arcs.emplace_back(p, p + side);
        }
    }
    Table pre(side * side, std::vector<int>(arcs.size(), 0));
    Table post = pre;
    std::vector<int> outputs(side * side, 0);
    std::vector<int> speeds;
    for (std::size_t t = 0; t < arcs.size(); ++t) {
        pre[arcs[t].first][t] = 1;
        post[arcs[t].second][t] = 1;
        ++outputs[arcs[t].first];
        speeds.push_back(1 + static_cast<int>(t) % 3);
    }
    std::vector<std::vector<int>> conflicts;
    std::vector<int> marking;
    for (int p = 0; p < side * side; ++p) {
        if (outputs[p] >= 2)
            conflicts.push_back({1, 2});
        marking.push_back(p * 5 % 7 + 1);
    }
    return netText("grid", pre, post, marking, speeds, conflicts);
}

struct DigestCase {
    const char* name;
    std::function<std::vector<std::string>()> inputs;
    std::uint64_t digest;
    SolverKind kind = SolverKind::kLibrary;
};

std::vector<std::string> handDerived()
{
    std::vector<std::string> inputs;
    for (const test::NetCase& net : test::kNets)
        inputs.emplace_back(net.input);
    return inputs;
}

std::vector<std::string> randomNets()
{
    std::vector<std::string> inputs;
    for (std::uint32_t seed = 1; seed <= 150; ++seed)
        inputs.push_back(test::randomNet(seed));
    return inputs;
}

const DigestCase kCases[] = {
    {"hand-derived nets", handDerived, 0x2a0a62ce8729c59cULL},
    {"random nets 1 to 150", randomNets, 0xd40ce0fb954e21a5ULL},
    {"chain of 80", [] { return std::vector<std::string>{chainNet(80)}; }, 0x4706abe24b51967fULL},
    {"fan of 60", [] { return std::vector<std::string>{fanNet(60)}; }, 0xfc6d5cbea285046eULL},
    {"grid of 7 x 7", [] { return std::vector<std::string>{gridNet(7)}; }, 0x699621adddcb2dabULL},
    {"hand-derived nets, solver program", handDerived, 0x71e621a6fcb4b2ceULL, SolverKind::kCommandLine},
    {"chain of 20, solver program", [] { return std::vector<std::string>{chainNet(20)}; }, 0xb9e78b999fd7f65fULL,
     SolverKind::kCommandLine},
};

TEST(OutputDigest, EveryReportResultFileAndProgramTextStaysTheSame)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    for (const DigestCase& entry : kCases) {
        Digest digest;
        for (const std::string& input : entry.inputs())
            addRun(digest, input, entry.kind);
        EXPECT_EQ(digest.value(), entry.digest) << entry.name << ": 0x" << std::hex << digest.value();
    }
}

}  // namespace
}  // namespace flowrun
