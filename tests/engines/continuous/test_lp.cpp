// The linear program text, the solver report reading and the lp_solve program itself.
#include <gtest/gtest.h>

#include "engines/continuous/lp_problem.h"
#include "engines/continuous/lp_solve_cli.h"
#include "engines/continuous/solver_report.h"
#include "tests/engines/continuous/flowrun_test_support.h"

namespace flowrun {
namespace {

// Five transitions, two places: P1 fed by T1 and drained by T2 and T3, P2 untouched.
struct ProblemFixture {
    Matrix incidence{2, 5, 0};
    std::vector<std::vector<Entry>> rows;
    LpProblem problem;

    ProblemFixture()
    {
        incidence(0, 0) = 1;
        incidence(0, 1) = -1;
        incidence(0, 2) = -1;
        problem.incidence = &incidence;
        problem.objective = Flags(5, false);
        problem.balanceRows = Flags(2, false);
        problem.maxSpeed = Vector{1, 2, -1, 3, 4};
        problem.zeroSpeed = Vector(5, 1);
        problem.known = std::vector<KnownSpeed>(5);
    }

    // The problem with the rows of the incidence matrix as it is now.
    const LpProblem& indexed()
    {
        rows = nonZeroRows(incidence);
        problem.incidenceRows = &rows;
        return problem;
    }
};

TEST(LpModelText, WritesObjectiveBalanceRowsAndBounds)
{
    ProblemFixture f;
    f.problem.objective[1] = true;
    f.problem.objective[2] = true;
    f.problem.balanceRows[0] = true;
    f.problem.known[0] = {1, 1};
    f.problem.zeroSpeed[4] = 0;
    const std::string text = lpModelText(f.indexed());
    EXPECT_EQ(text,
              "max: x0002 + x0003 ;\n"
              "C1: 1.000000 x0001 + -1.000000 x0002 + -1.000000 x0003 >= 0;\n"
              "x0001 <= 1.000000;\n"
              "x0002 <= 2.000000;\n"
              "x0004 <= 3.000000;\n"
              "x0005 <= 4.000000;\n"
              "x0001 = 1.000000;\n"
              "x0005 = 0;\n");
}

TEST(LpModelText, RowWithoutTermsIsACommentAndNumberingGoesOn)
{
    ProblemFixture f;
    f.incidence = Matrix(3, 5, 0);
    f.incidence(2, 1) = -2;
    f.problem.objective[0] = true;
    f.problem.balanceRows = Flags{false, true, true};
    const std::string text = lpModelText(f.indexed());
    EXPECT_NE(text.find("/* C1: >= 0; has no terms and always holds */\n"), std::string::npos) << text;
    EXPECT_NE(text.find("C2: -2.000000 x0002 >= 0;\n"), std::string::npos) << text;
}

TEST(LpModelText, RelaxedRowsAllowTheRoundingOfKnownSpeeds)
{
    ProblemFixture f;
    f.problem.objective[2] = true;
    f.problem.balanceRows[0] = true;
    f.problem.known[0] = {2, 1};
    f.problem.known[1] = {0.5f, 2};
    // 1e-5 * (1 + |1 * 2| + |-1 * 0.5|)
    EXPECT_NE(lpModelText(f.indexed(), 1e-5).find("-1.000000 x0003 >= -0.000035000;\n"), std::string::npos)
        << lpModelText(f.indexed(), 1e-5);
    EXPECT_NE(lpModelText(f.indexed()).find("-1.000000 x0003 >= 0;\n"), std::string::npos);
}

TEST(LpModelText, SharingEquationFreesTheTransitionOfTheSmallerRatio)
{
    Matrix incidence(1, 5, 0);
    const std::vector<std::vector<Entry>> rows = nonZeroRows(incidence);
    LpProblem problem;
    problem.incidence = &incidence;
    problem.incidenceRows = &rows;
    problem.objective = Flags{false, true, false, false, false};
    problem.balanceRows = Flags{false};
    problem.maxSpeed = Vector(5, -1);
    problem.zeroSpeed = Vector(5, 1);
    problem.known = std::vector<KnownSpeed>(5, KnownSpeed{1, 1});
    problem.sharing = {1, 4, 0.3f, 0.7f, 0};
    const std::string text = lpModelText(problem);
    EXPECT_NE(text.find("0.300000 * x0002 = 0.700000 * x0005;\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("x0002 = 1.000000"), std::string::npos) << text;
    EXPECT_NE(text.find("x0005 = 1.000000"), std::string::npos) << text;
    EXPECT_EQ(text.find("<="), std::string::npos) << "infinite speeds have no upper bound";

    problem.objective = Flags(5, false);
    problem.objective[2] = true;
    EXPECT_EQ(lpModelText(problem).find(" * "), std::string::npos) << "neither shared transition is in J";
}

TEST(LpModelText, CriterionTransitionWithCodeTwoGetsALowerBound)
{
    ProblemFixture f;
    f.problem.objective[3] = true;
    f.problem.known[3] = {1.5f, 2};
    f.problem.known[4] = {2.5f, 2};
    const std::string text = lpModelText(f.indexed());
    EXPECT_NE(text.find("x0004 >= 1.500000;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("x0005 = 2.500000;\n"), std::string::npos) << text;
}

TEST(SolverReport, ReadsValuesByNameInAnyOrder)
{
    const SolveResult result = parseSolverReport("\nValue of objective function: 4.00000000\n\n"
                                                 "Actual values of the variables:\n"
                                                 "x0003                     1.28571\n"
                                                 "x0001                           3\n"
                                                 "y                               9\n"
                                                 "\nActual values of the constraints:\n"
                                                 "x0002                           7\n",
                                                 3);
    EXPECT_EQ(result.status, SolveStatus::kOptimal);
    EXPECT_EQ(result.speeds, (Vector{3, 0, 1.28571f}));
}

TEST(SolverReport, InfeasibleOrEmptyReportGivesZeroSpeedsAndAMessage)
{
    const SolveResult infeasible = parseSolverReport("\nThis problem is infeasible", 2);
    EXPECT_EQ(infeasible.status, SolveStatus::kInfeasible);
    EXPECT_EQ(infeasible.speeds, (Vector{0, 0}));
    EXPECT_EQ(infeasible.message, "This problem is infeasible");
    EXPECT_EQ(parseSolverReport("", 1).status, SolveStatus::kInfeasible);
}

TEST(LpSolveCli, SolvesWithTheRealSolverInTheCurrentFolder)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    ProblemFixture f;
    f.problem.objective = Flags{true, true, true, false, false};
    f.problem.balanceRows[0] = true;
    f.problem.balanceRows[1] = true;  // a row without terms, written as a comment
    f.problem.sharing = {1, 2, 1, 3, 0};
    LpSolveCli solver;
    const SolveResult result = solver.solve(f.indexed());
    ASSERT_EQ(result.status, SolveStatus::kOptimal) << result.message;
    EXPECT_FLOAT_EQ(result.speeds[0], 1);
    EXPECT_NEAR(result.speeds[1], 0.75, 1e-5);
    EXPECT_NEAR(result.speeds[2], 0.25, 1e-5);
    EXPECT_EQ(solver.solveCount(), 1);
    EXPECT_TRUE(std::filesystem::exists(folder.file("date.lp")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("date.out")));
}

TEST(LpSolveCli, InfeasibleOrRejectedProgramGivesZeroSpeeds)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    LpSolveCli solver;

    // T2 is known to drain P1 at 1 while its only feeder T1 is forced to 0.
    ProblemFixture infeasible;
    infeasible.problem.objective[2] = true;
    infeasible.problem.balanceRows[0] = true;
    infeasible.problem.known[1] = {1, 1};
    infeasible.problem.zeroSpeed[0] = 0;
    const SolveResult first = solver.solve(infeasible.indexed());
    EXPECT_EQ(first.status, SolveStatus::kInfeasible);
    EXPECT_EQ(first.speeds, Vector(5, 0));
    EXPECT_NE(first.message.find("infeasible"), std::string::npos) << first.message;

    // A known speed above the upper bound is rejected by the solver's reader.
    ProblemFixture rejected;
    rejected.problem.objective[0] = true;
    rejected.problem.known[0] = {5, 1};
    const SolveResult second = solver.solve(rejected.indexed());
    EXPECT_EQ(second.status, SolveStatus::kInfeasible);
    EXPECT_EQ(second.speeds, Vector(5, 0));
    EXPECT_NE(second.message.find("bound"), std::string::npos) << second.message;
}

TEST(LpSolveCli, MissingProgramCannotStart)
{
    test::TempFolder folder;
    test::CurrentFolder inside(folder.path());
    ProblemFixture f;
    f.problem.objective[0] = true;
    LpSolveCli solver((folder.path() / "no-solver").string());
    const SolveResult result = solver.solve(f.indexed());
    EXPECT_EQ(result.status, SolveStatus::kCannotStart);
    EXPECT_FALSE(result.message.empty());
}

}  // namespace
}  // namespace flowrun
