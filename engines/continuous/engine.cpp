// The driver: input, levels and groups, pre-phase firing, phases; the files of a run at its edges.
#include "engines/continuous/engine.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engines/continuous/conflicts.h"
#include "engines/continuous/engine_context.h"
#include "engines/continuous/groups.h"
#include "engines/continuous/net_reader.h"
#include "engines/continuous/phase_update.h"
#include "engines/continuous/prephase.h"
#include "engines/continuous/priority_levels.h"
#include "engines/continuous/result_files.h"
#include "engines/continuous/run_reports.h"
#include "engines/continuous/speed_reasons_output.h"

namespace flowrun {
namespace {

constexpr int kFailure = kRunFailed;

class EngineDriver {
public:
    EngineDriver(LpSolver& solver, Report& longReport, Report& briefReport, Simulation& simulation, double horizon,
                 bool explain, const ClockWatch& watch)
        : m_solver(solver), m_long(longReport), m_brief(briefReport), m_net(simulation.net),
          m_run(simulation.run), m_failure(simulation.failure), m_horizon(horizon), m_causes(simulation.speedCauses),
          m_explain(explain), m_watch(watch)
    {
    }

    int simulate(std::string_view content)
    {
        std::string title;
        splitTitle(content, title);
        writeLongHead(m_long, title);
        const ReadOutcome read = readNet(content, m_net, m_long);
        if (!read.ok)
            return refuse(read.message);
        for (int t = 0; t < m_net.m; ++t) {
            if (m_net.maxSpeed[t] == kInfiniteSpeed && !m_net.hasInputPlace(t)) {
                return refuse("The transition T" + std::to_string(t + 1) +
                              " has an infinite speed and no input place: it would fire without end.");
            }
        }

        const LevelOutcome levels = computeLevels(m_net);
        m_net.level = levels.level;
        if (!levels.converged)
            m_long << "The priorities of the places contradict each other; the levels are those of the last pass.\n<br>";
        m_net.group = buildGroups(m_net);
        writeLevelsAndGroups(m_long, m_net);

        m_run.M = m_net.m0;
        const PrephaseOutcome prephase = firePrephase(m_net, m_run.M, m_run.states, m_long);
        if (prephase.tooManyStates)
            return refuse(tooManyStatesMessage());
        if (!allFinite(m_run.M))
            return refuse(unboundedMessage());
        m_run.Mnext = m_run.M;

        EngineContext context{m_net, m_solver, m_long, {}};
        SpeedReasons reasons;
        if (m_explain) {
            context.reasons = &reasons;
            m_solver.setRowsWanted(true);  // the binding rows and their duals name the causes
        }
        double phaseStart = 0;
        while (true) {
            if (m_run.states.size() >= kMaxStates)
                return refuse(tooManyStatesMessage());
            IbState state;
            state.marking = m_run.M;
            m_run.states.push_back(state);
            const std::size_t phase = m_run.states.size();
            const Vector start = m_run.M;
            m_run.v.assign(m_net.m, 0);
            m_run.M = m_run.Mnext;
            if (m_watch)
                m_watch(phaseStart);

            writePhaseHeader(m_long, phase);
            if (m_explain)
                reasons.startPhase(m_net.m);
            computePhaseSpeeds(context, m_run.M, m_run.Mnext, m_run.v, "");
            if (context.failed())
                return refuse("The speeds cannot be computed. " + context.fatal);

            const Vector* previous = phase >= 2 ? &m_run.states[phase - 2].speeds : nullptr;
            const PhaseUpdate update = updatePhase(m_net, m_run.Mnext, m_run.v, m_run.B, previous);
            if (!allFinite(m_run.Mnext) || !allFinite(m_run.v) || !allFinite(m_run.B) ||
                !std::isfinite(update.duration))
                return refuse(unboundedMessage());
            writePhaseResult(m_long, phase, m_run.v, m_run.B, update, m_run.Mnext);
            if (m_explain)
                reasons.endPhase(phase - 1, m_net, m_run.M, m_run.v);

            IbState& recorded = m_run.states.back();
            recorded.speeds = m_run.v;
            recorded.balances = m_run.B;
            recorded.duration = update.recorded();
            m_run.finalMarking = m_run.Mnext;
            writePhaseSummary(m_long, phase, start, m_run.v, update.duration, m_run.Mnext);
            if (update.last) {
                writeLastPhaseNotice(m_long);
                break;
            }
            if (phaseStart > m_horizon) {
                m_long.format("<br>The phase started at t=%.2f, past the horizon t=%.2f: the run ends here.<br>\n",
                              phaseStart, m_horizon);
                break;
            }
            phaseStart += update.duration;
            m_run.M = m_run.Mnext;
        }

        m_long.unlimit();
        if (m_explain) {
            m_causes = reasons.phases();
            writeSpeedReasons(m_long, m_net, m_causes);
        }
        writeBriefResults(m_long, m_brief, m_net.title, m_run);
        return 0;
    }

private:
    int refuse(const std::string& message)
    {
        m_long.unlimit();
        writeFailure(m_long, m_brief, message);
        m_failure = message;
        return kFailure;
    }

    static bool allFinite(const Vector& values)
    {
        return std::all_of(values.begin(), values.end(), [](Real value) { return std::isfinite(value); });
    }

    static std::string unboundedMessage()
    {
        return "The markings, speeds or balances leave the range of the engine's numbers: the net is unbounded "
               "or its values are too large.";
    }

    static std::string tooManyStatesMessage()
    {
        return "The run needs more than " + std::to_string(kMaxStates) + " states; it is not simulated.";
    }

    LpSolver& m_solver;
    Report& m_long;
    Report& m_brief;
    ContinuousNet& m_net;
    EngineRun& m_run;
    std::string& m_failure;
    double m_horizon;
    std::vector<PhaseCauses>& m_causes;
    bool m_explain;
    const ClockWatch& m_watch;
};

}  // namespace

Simulation simulateText(std::string_view content, LpSolver& solver, Report& longReport, Report& briefReport,
                        double horizon, bool explain, const ClockWatch& watch)
{
    Simulation simulation;
    simulation.status =
        EngineDriver(solver, longReport, briefReport, simulation, horizon, explain, watch).simulate(content);
    return simulation;
}

namespace {

// A file that cannot be read or written (a full disk, a folder without rights): every output goes,
// so that nothing incomplete looks like a result, and the reason goes to the standard error.
int fileFailure(LpSolver& solver, const std::string& message)
{
    removeOldResults();
    std::remove(kLongReportFile);
    std::remove(kBriefReportFile);
    solver.removeScratchFiles();
    std::fprintf(stderr, "flowrun: %s\n", message.c_str());
    return kFailure;
}

}  // namespace

int runEngine(LpSolver& solver, double horizon, bool explain, const ClockWatch& watch)
{
    removeOldResults();
    std::ifstream input(kInputFile, std::ios::binary);
    if (!input)
        return fileFailure(solver, std::string("cannot read ") + kInputFile + ": " + std::strerror(errno));
    std::ostringstream content;
    content << input.rdbuf();
    Report longReport;
    Report briefReport;
    if (!longReport.open(kLongReportFile) || !briefReport.open(kBriefReportFile)) {
        const int error = longReport.error() != 0 ? longReport.error() : briefReport.error();
        return fileFailure(solver, std::string("cannot create the reports: ") + std::strerror(error));
    }
    longReport.limitTo(kMaxTraceBytes);

    const Simulation simulation =
        simulateText(content.str(), solver, longReport, briefReport, horizon, explain, watch);
    std::string resultProblem;
    if (simulation.status == 0) {
        std::vector<ResultFile> files = resultFiles(simulation.run, simulation.net.n, simulation.net.m);
        if (explain)
            files.push_back({kSpeedReasonsFile, speedReasonsFileText(simulation.speedCauses)});
        (void)writeResultFiles(files, resultProblem);
    }
    const bool longClosed = longReport.close();
    const bool briefClosed = briefReport.close();
    if (!longClosed || !briefClosed)
        return fileFailure(solver, std::string("cannot write ") + (longClosed ? kBriefReportFile : kLongReportFile) +
                                       ": " + std::strerror(longClosed ? briefReport.error() : longReport.error()));
    if (!resultProblem.empty())
        return fileFailure(solver, resultProblem);
    solver.removeScratchFiles();
    return simulation.status;
}

}  // namespace flowrun
