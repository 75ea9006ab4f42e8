// Algorithm 5.3: criteria by priority level (5.1 for the first, 5.2 for the next), each
// maximised by a linear program under the balance, bound and known-speed constraints.
#include "engines/continuous/speed_algorithm.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>
#include <set>

#include "engines/continuous/number_format.h"
#include "engines/continuous/trace.h"

namespace flowrun {
namespace {

bool any(const Flags& flags)
{
    return std::find(flags.begin(), flags.end(), true) != flags.end();
}

bool nearZero(Real value)
{
    return value > -kBalanceTolerance && value < kBalanceTolerance;
}

class SpeedComputation {
public:
    SpeedComputation(EngineContext& context, const SpeedTask& task, Vector& M, Vector& Mnext, Vector& v)
        : m_context(context), m_net(context.net), m_report(context.report), m_task(task),
          m_prefix(task.prefix), m_indent(indentation(task.prefix)), m_M(M), m_Mnext(Mnext), m_v(v), m_n(m_net.n),
          m_t(m_net.m), m_arcs(m_net.arcs)
    {
    }

    void run()
    {
        setUp();
        constraints();
        algorithm51();
        int passages = 0;
        std::set<std::string> seen;
        bool finished = false;
        while (!finished) {
            if (any(m_C2))
                stepOneBis(m_Mnext, "ALGORITHM 5.3 - STEP 1 bis");
            releaseFireable();
            solve();
            if (m_context.failed())
                return;
            demoteUnfired();
            updateWorkingKnown();
            while (true) {
                // A transition that stays pending keeps the passes going. Once every level is
                // behind, a pass that comes back to a state seen before would repeat for ever.
                if (beyondLevels() && !seen.insert(signature()).second) {
                    textLine(m_report, m_prefix, "The passes repeat without any change; the speeds found so far are kept.");
                    finished = true;
                    break;
                }
                if (++passages > kMaxSpeedPassages) {
                    textLine(m_report, m_prefix, "The passage bound was reached; the speeds found so far are kept.");
                    finished = true;
                    break;
                }
                const bool prepareNext = compareSets();
                m_report.format("%s&nbsp; END PASSAGE %d\n<br>\n", m_indent.c_str(), m_passage);
                ++m_passage;
                if (!prepareNext) {
                    finished = true;
                    break;
                }
                algorithm52();
                ++m_h;
                m_report.format("%s&nbsp; The new priority level is <font color=#0000aa>h=%d.</font>\n<br>\n",
                                m_indent.c_str(), m_h + 1);
                if ((m_J != m_oldJ && any(m_J)) || m_h - 1 < m_task.top) {
                    m_oldJ = m_J;
                    break;
                }
                if (!any(m_Tndc)) {
                    textLine(m_report, m_prefix, "T<sub>ndc</sub> has no new elements");
                    finished = true;
                    break;
                }
            }
        }
        setResult();
    }

private:
    // Text for the report is only built while the report keeps it.
    bool tracing() const { return m_report.active(); }

    // No transition to compute has a level the next passes could still reach.
    bool beyondLevels() const
    {
        for (int t = 0; t < m_t; ++t) {
            if (m_task.compute[t] && m_task.level[t] >= static_cast<Real>(m_h))
                return false;
        }
        return m_h > m_task.top + 1;
    }

    // Everything the next passes depend on, apart from the level h.
    std::string signature() const
    {
        std::string text;
        for (const Flags* flags : {&m_Tndc, &m_Twait, &m_Tsby, &m_TSF, &m_TPF, &m_PNE, &m_C2, &m_J, &m_oldJ, &m_pending,
                                   &m_keep, &m_prevTPF, &m_prevTndc}) {
            for (bool flag : *flags)
                text += flag ? '1' : '0';
        }
        for (int t = 0; t < m_t; ++t)
            text += m_count[t] > 1 ? '1' : '0';
        const auto addReals = [&text](const Vector& values) {
            text.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(Real));
        };
        addReals(m_C3);
        addReals(m_M);
        addReals(m_Mnext);
        addReals(m_v);
        for (const std::vector<KnownSpeed>* known : {&m_C4, &m_workC4}) {
            for (const KnownSpeed& entry : *known) {
                text.append(reinterpret_cast<const char*>(&entry.value), sizeof entry.value);
                text += static_cast<char>(entry.code);
            }
        }
        return text;
    }

    // Step 0.
    void setUp()
    {
        m_Mnext = m_M;
        m_keep.assign(m_t, true);
        m_J.assign(m_t, false);
        m_oldJ.assign(m_t, false);
        m_count.assign(m_t, 0);
        m_pending.assign(m_t, false);
        for (int t = 0; t < m_t; ++t) {
            if (m_task.compute[t]) {
                m_v[t] = 0;
                m_pending[t] = true;
            }
        }
        if (!tracing())
            return;
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 0", "Initialization");
        textLine(m_report, m_prefix, "We will compute speeds for following transitions: " + memberList(m_task.compute, "T"));
        m_report.format("%s&nbsp; The priority level is <font color=#0000aa>h=%d</font>\n<br>\n", m_indent.c_str(),
                        m_h + 1);
        m_report << m_indent << "&nbsp; <b>The initial marking is: <font color=#0000aa>M<sub>0</sub> = [";
        writeMarking(m_M);
        m_report << "]</font></b>\n<br>\n";
    }

    // Step 1.
    void constraints()
    {
        m_C2.assign(m_n, false);
        for (int p = 0; p < m_n; ++p) {
            if (m_M[p] > 0)
                continue;
            for (int t : m_arcs.consumers[p]) {
                if (m_task.compute[t])
                    m_C2[p] = true;
            }
        }
        m_C3.assign(m_t, 0);
        m_C4.assign(m_t, KnownSpeed{});
        for (int t = 0; t < m_t; ++t) {
            if (!m_task.compute[t]) {
                m_C3[t] = 1;
                m_C4[t] = KnownSpeed{m_v[t], 1};
            }
        }
        m_workC4 = m_C4;
        if (tracing()) {
            stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 1", "Setting the constraints");
            textLine(m_report, m_prefix,
                     any(m_C2) ? "The C<sub>2</sub> set is: " + memberList(m_C2, "P")
                               : std::string("The C<sub>2</sub> set does not contain any places"));
            textLine(m_report, m_prefix, "The C<sub>3</sub> set is: " + speedList(m_v));
            textLine(m_report, m_prefix, "The C<sub>4</sub> set is empty for the transitions to compute");
        }
        m_Tndc = m_task.compute;
        m_Twait.assign(m_t, false);
        m_Tsby.assign(m_t, false);
        m_prevTPF.assign(m_t, false);
        m_prevTndc = m_Tndc;
        if (any(m_C2))
            stepOneBis(m_M, "ALGORITHM 5.3 - STEP 1 bis");
    }

    // Places of C2 that nothing can feed force the transitions draining them to speed 0.
    // The places are visited in passes in increasing order until a pass changes nothing; a
    // place is only visited once it cannot be fed, which happens once: the feeders only leave.
    void stepOneBis(const Vector& marking, const char* heading)
    {
        // Per place of C2, its feeders: transitions with W > 0 that are in Tndc or fire.
        std::vector<int> feeders(m_n, 0);
        using Queue = std::priority_queue<int, std::vector<int>, std::greater<int>>;
        Queue thisPass;
        for (int p = 0; p < m_n; ++p) {
            if (!m_C2[p])
                continue;
            for (const Entry& entry : m_arcs.row[p]) {
                if (entry.weight > 0 && (m_Tndc[entry.index] || m_v[entry.index] > 0))
                    ++feeders[p];
            }
            if (feeders[p] == 0)
                thisPass.push(p);
        }
        Queue nextPass;
        while (!thisPass.empty()) {
            while (!thisPass.empty()) {
                const int p = thisPass.top();
                thisPass.pop();
                for (int t : m_arcs.consumers[p]) {
                    if (!m_Tndc[t] || !(m_net.incidence(p, t) < 0 || marking[p] == 0))
                        continue;
                    if (m_context.reasons)
                        m_context.reasons->forcedToZero(t, p);
                    m_C3[t] = 0;
                    m_C4[t] = KnownSpeed{0, 1};
                    m_workC4[t] = KnownSpeed{0, 1};
                    m_Tndc[t] = false;
                    m_pending[t] = false;
                    if (m_v[t] > 0)
                        continue;
                    // The places t fed now may have no feeder left: visited later in this pass
                    // when they come after p, else in the next one.
                    for (int q : m_arcs.outputs[t]) {
                        if (m_C2[q] && m_net.incidence(q, t) > 0 && --feeders[q] == 0)
                            (q > p ? thisPass : nextPass).push(q);
                    }
                }
            }
            std::swap(thisPass, nextPass);
        }
        if (!tracing())
            return;
        stepLine(m_report, m_prefix, heading, "End of step 1 bis");
        textLine(m_report, m_prefix, "T<sub>ndc</sub> = " + memberList(m_Tndc, "T"));
    }

    // Algorithm 5.1: TSF and the first criterion.
    void algorithm51()
    {
        m_TSF.assign(m_t, false);
        m_TPF.assign(m_t, false);
        for (int t = 0; t < m_t; ++t) {
            if (m_task.compute[t]) {
                const std::vector<int>& inputs = m_arcs.inputs[t];
                m_TSF[t] = std::all_of(inputs.begin(), inputs.end(), [this](int p) { return m_M[p] > 0; });
            } else {
                m_TSF[t] = m_v[t] > 0;
            }
        }
        for (int t = 0; t < m_t; ++t)
            m_TPF[t] = m_task.compute[t] && !m_TSF[t] && m_task.level[t] == 0;
        m_PNE.assign(m_n, false);
        for (int p = 0; p < m_n; ++p)
            m_PNE[p] = m_M[p] != 0;
        if (tracing())
            stepLine(m_report, m_prefix, "Algorithm 5.1 - Step 1", "T<sub>SF</sub> is equal with T<sub>SE</sub>");
        reportSets();
        if (any(m_TPF)) {
            m_keep.assign(m_t, true);
            if (tracing())
                stepLine(m_report, m_prefix, "Algorithm 5.1 - Step 2", "The input places of the transitions of T<sub>PF</sub>");
            inputPlacesOfTPF();
            fireableFixpoint("Algorithm 5.1");
        }
        for (int t = 0; t < m_t; ++t) {
            m_J[t] = m_TSF[t] && m_task.compute[t] && m_Tndc[t];
            if (m_J[t]) {
                m_oldJ[t] = true;
                m_C3[t] = 1;
                ++m_count[t];
            }
        }
        if (tracing())
            stepLine(m_report, m_prefix, "Algorithm 5.1 - Step 5", "The criterion J<sub>1</sub> = " + criterionText("+"));
    }

    // Pj starts as all input places of each transition of TPF; the fixpoint below keeps only
    // how many of them are not yet in PNE.
    void inputPlacesOfTPF()
    {
        if (!tracing())
            return;
        for (int t = 0; t < m_t; ++t) {
            if (!m_TPF[t])
                continue;
            m_report.format("%s&nbsp; The input places for transition T<sub>%d</sub> are: ", m_indent.c_str(), t + 1);
            m_report << memberList(m_arcs.inputs[t], "P") << "\n<br>\n";
        }
    }

    // Steps 3 and 4 of Algorithms 5.1 and 5.2: places fed by fireable transitions let the
    // transitions waiting on them become fireable, until nothing moves. The first round looks
    // at every transition of TSF; each later one only at the places fed by the transitions
    // that have just moved, as the others are in PNE already.
    void fireableFixpoint(const std::string& algorithm)
    {
        std::vector<int> waiting(m_t, 0);  // per transition of TPF, its places of Pj
        int tpfCount = 0;
        std::vector<int> movers;  // the transitions whose outputs are to be added to PNE
        for (int t = 0; t < m_t; ++t) {
            tpfCount += m_TPF[t] ? 1 : 0;
            if (m_TSF[t])
                movers.push_back(t);
        }
        std::vector<int> added;
        int k = 1;
        while (true) {
            ++k;
            added.clear();
            for (int t : movers) {
                for (int p : m_arcs.outputs[t]) {
                    if (!m_PNE[p]) {
                        m_PNE[p] = true;
                        added.push_back(p);
                    }
                }
            }
            const bool differs = !added.empty();
            if (tracing())
                stepLine(m_report, m_prefix, algorithm + " - Step 3", "P<sub>NE</sub> = " + memberList(m_PNE, "P"));
            if (!differs && k > 2) {
                if (tracing())
                    textLine(m_report, m_prefix, "The old and new P<sub>NE</sub> sets are the same and k&nbsp;>&nbsp;2");
                return;
            }
            movers.clear();
            if (k == 2) {
                for (int t = 0; t < m_t; ++t) {
                    if (!m_TPF[t])
                        continue;
                    const std::vector<int>& inputs = m_arcs.inputs[t];
                    waiting[t] = static_cast<int>(std::count_if(inputs.begin(), inputs.end(), [this](int p) { return !m_PNE[p]; }));
                    if (waiting[t] == 0)
                        movers.push_back(t);
                }
            } else {
                for (int p : added) {
                    for (int t : m_arcs.consumers[p]) {
                        if (m_TPF[t] && --waiting[t] == 0)
                            movers.push_back(t);
                    }
                }
            }
            for (int t : movers) {
                m_TPF[t] = false;
                m_TSF[t] = true;
            }
            tpfCount -= static_cast<int>(movers.size());
            if (tracing())
                stepLine(m_report, m_prefix, algorithm + " - Step 4", "Moving transitions from T<sub>PF</sub> to T<sub>SF</sub>");
            reportSets();
            if (!movers.empty() && tpfCount > 0)
                continue;
            if (tracing())
                textLine(m_report, m_prefix, tpfCount > 0 ? "T<sub>SF</sub> wasn't modified" : "T<sub>PF<sub> is empty");
            return;
        }
    }

    // Step 3.
    void releaseFireable()
    {
        for (int t = 0; t < m_t; ++t) {
            if (m_TSF[t] && m_C3[t] == 0)
                m_C3[t] = 1;
        }
        if (!tracing())
            return;
        Flags zero(m_t, false);
        for (int t = 0; t < m_t; ++t)
            zero[t] = m_C3[t] == 0;
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 3",
                 "The new C<sub>3</sub> set is: " + (any(zero) ? memberList(zero, "T") : std::string("empty")));
    }

    // Step 4.
    void solve()
    {
        if (!any(m_J)) {
            if (tracing())
                stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 4",
                         "All transitions are known at this time. No need for further computing");
            return;
        }
        LpProblem problem;
        problem.incidence = &m_net.incidence;
        problem.incidenceRows = &m_arcs.row;
        problem.objective = m_J;
        problem.balanceRows = m_C2;
        problem.maxSpeed = m_net.maxSpeed;
        problem.zeroSpeed = m_C3;
        problem.known = m_C4;
        problem.sharing = m_task.sharing;
        if (tracing())
            stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 4", "Solving the linear program in date.lp");
        SolveResult result = m_context.solver.solve(problem);
        if (result.status == SolveStatus::kCannotStart) {
            m_context.fatal = result.message;
            return;
        }
        if (result.status != SolveStatus::kOptimal) {
            textLine(m_report, m_prefix,
                     "The linear program has no solution (" + htmlEscape(result.message) + "); every speed is 0.");
        } else if (!result.message.empty()) {
            textLine(m_report, m_prefix, "The linear program was " + htmlEscape(result.message) + ".");
        }
        m_v = result.speeds;
        if (m_context.reasons)
            m_context.reasons->solved(m_J, m_h + 1, problem, result);
        for (int t = 0; t < m_t; ++t) {
            if (m_J[t]) {
                ++m_count[t];
                m_pending[t] = false;
            }
        }
        capSharedSpeed();
        if (!tracing())
            return;
        Flags shown(m_t, false);
        for (int t = 0; t < m_t; ++t)
            shown[t] = m_Tndc[t] && m_v[t] > 0;
        textLine(m_report, m_prefix, "The speeds obtained are: " + speedList(m_v, shown));
    }

    // Keeps the sharing place from a negative balance: the freed transition of the equation
    // takes at most what the others leave in the place. A speed never becomes negative.
    void capSharedSpeed()
    {
        const SharingEquation& sharing = m_task.sharing;
        if (sharing.a < 0)
            return;
        const int sel = sharing.ra <= sharing.rb ? sharing.a : sharing.b;
        Real sum = 0;
        for (const Entry& entry : m_arcs.row[sharing.place]) {
            if (entry.index != sel)
                sum += entry.weight * m_v[entry.index];
        }
        if (m_v[sel] > 0 && (sum - m_v[sel]) / m_v[sel] < kSharingCapTolerance)
            m_v[sel] = std::max<Real>(sum, 0);
    }

    // Step 5.1.
    void demoteUnfired()
    {
        for (int t = 0; t < m_t; ++t) {
            if (!m_TSF[t] || m_v[t] != 0)
                continue;
            if (m_net.maxSpeed[t] > 0 && m_keep[t]) {
                for (int p : m_arcs.inputs[t]) {
                    if (m_M[p] < 0) {
                        m_M[p] = 0;
                        m_Mnext[p] = 0;
                        m_PNE[p] = false;
                    }
                }
            }
            m_TSF[t] = false;
            m_TPF[t] = true;
        }
        if (!tracing())
            return;
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 5.1", "Transitions of T<sub>SF</sub> with speed 0");
        reportSets();
        m_report << m_indent << "&nbsp; M<sub>k</sub> = [";
        writeMarking(m_Mnext);
        m_report << "]\n<br>\n";
    }

    // Step 5.2.
    void updateWorkingKnown()
    {
        m_workC4 = m_C4;
        for (int t = 0; t < m_t; ++t) {
            if (m_J[t] || m_v[t] > 0)
                m_workC4[t] = KnownSpeed{m_v[t], m_v[t] == m_net.maxSpeed[t] ? 1 : 2};
        }
        if (!tracing())
            return;
        std::string text;
        for (int t = 0; t < m_t; ++t) {
            if (m_workC4[t].code != 1 && m_workC4[t].code != 2)
                continue;
            text += "v<sub>";
            text += std::to_string(t + 1);
            text += "</sub>&nbsp;";
            text += m_workC4[t].code == 1 ? "=&nbsp;" : ">=&nbsp;";
            text += integerForm(m_workC4[t].value, "%6.4f");
            text += " ";
        }
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 5.2", "The new C<sub>4</sub> set is: " + text);
    }

    // Step 6 and the test of step 7: true when the next level is to be prepared.
    bool compareSets()
    {
        const bool tpfChanged = m_TPF != m_prevTPF;
        m_prevTPF = m_TPF;
        const bool c4Changed = m_workC4 != m_C4;
        if (c4Changed)
            m_Twait.assign(m_t, false);
        for (int t = 0; t < m_t; ++t) {
            if (!m_Tndc[t])
                continue;
            if (m_workC4[t].code == 1)
                m_Tndc[t] = false;
            else if (m_count[t] > 1 && !c4Changed)
                m_Twait[t] = true;
        }
        if (tracing()) {
            stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 6", "T<sub>ndc</sub> = " + memberList(m_Tndc, "T"));
            textLine(m_report, m_prefix, "T<sub>wait</sub> = " + memberList(m_Twait, "T"));
        }
        m_C4 = m_workC4;
        const bool tndcChanged = m_Tndc != m_prevTndc;
        if (!tndcChanged && tracing())
            textLine(m_report, m_prefix, "We have the same T<sub>ndc</sub> sets");
        m_prevTndc = m_Tndc;
        return m_h <= m_task.top || tpfChanged || tndcChanged || any(m_pending);
    }

    // Algorithm 5.2: the criterion of level h + 1.
    void algorithm52()
    {
        for (int t = 0; t < m_t; ++t) {
            m_TPF[t] = m_task.compute[t] && !m_TSF[t] &&
                       (m_TPF[t] || m_Tsby[t] || m_task.level[t] == static_cast<Real>(m_h + 1));
        }
        for (int t = 0; t < m_t; ++t) {
            if (!m_TPF[t])
                continue;
            for (int p : m_arcs.inputs[t]) {
                const Real bal = m_net.balance(p, m_v);
                const std::vector<int>& producers = m_arcs.producers[p];
                const bool fed = std::any_of(producers.begin(), producers.end(), [this](int u) { return m_v[u] > 0; });
                // Speeds come back from the solver with six significant digits, so a balance
                // of zero is recognised within the balance tolerance. Only an empty place whose
                // inflow is all taken holds t back; a marked place does not limit its speed.
                if (fed && nearZero(bal) && m_Mnext[p] <= 0) {
                    if (m_context.reasons)
                        m_context.reasons->standby(t, p);
                    m_TPF[t] = false;
                    m_pending[t] = false;
                    m_Tsby[t] = true;
                    break;
                }
                if (m_Mnext[p] == 0 && nearZero(bal))
                    m_pending[t] = false;
            }
        }
        if (tracing())
            stepLine(m_report, m_prefix, "Algorithm 5.2 - Step 1", "T<sub>sby</sub> = " + memberList(m_Tsby, "T"));
        reportSets();
        if (any(m_TPF)) {
            if (tracing())
                stepLine(m_report, m_prefix, "Algorithm 5.2 - Step 2", "The input places of the transitions of T<sub>PF</sub>");
            inputPlacesOfTPF();
            fireableFixpoint("Algorithm 5.2");
        }
        m_C4 = m_workC4;
        for (int t = 0; t < m_t; ++t)
            m_J[t] = m_TSF[t] && m_Tndc[t] && !m_Twait[t];
        m_keep.assign(m_t, true);
        restrictCriterion();
        for (int t = 0; t < m_t; ++t) {
            if (m_J[t]) {
                m_C3[t] = 1;
                ++m_count[t];
            }
        }
        if (tracing())
            stepLine(m_report, m_prefix, "Algorithm 5.2 - Step 6",
                     "The criterion J<sub>" + std::to_string(m_h + 2) + "</sub> = " + criterionText("&nbsp;+&nbsp;"));
    }

    // T(J) modification: of two criterion transitions sharing an input place, the later one
    // leaves the criterion with everything it reaches through places that are not marked.
    // The pairs come in increasing order of t1, then t2, and see the removals made before them.
    void restrictCriterion()
    {
        const Vector& level = m_task.level;
        std::vector<int> partners;
        for (int t1 = 0; t1 < m_t; ++t1) {
            if (!m_J[t1])
                continue;
            partners.clear();
            for (int p : m_arcs.inputs[t1]) {
                for (int t2 : m_arcs.consumers[p]) {
                    if (t2 > t1 && level[t1] != level[t2])
                        partners.push_back(t2);
                }
            }
            std::sort(partners.begin(), partners.end());
            partners.erase(std::unique(partners.begin(), partners.end()), partners.end());
            for (int t2 : partners) {
                if (!m_J[t1] || !m_J[t2])
                    continue;
                const int removed = level[t1] > level[t2] ? t1 : t2;
                removeWithReached(removed, removed == t1 ? t2 : t1);
            }
        }
    }

    void removeWithReached(int removed, int kept)
    {
        if (m_visited.empty())
            m_visited.assign(m_t, 0);
        ++m_visit;
        m_visited[kept] = m_visit;
        m_visited[removed] = m_visit;
        std::vector<int> walk{removed};
        while (!walk.empty()) {
            const int x = walk.back();
            walk.pop_back();
            if (m_J[x]) {
                m_J[x] = false;
                m_keep[x] = false;
            }
            for (int p : m_arcs.outputs[x]) {
                if (m_Mnext[p] > 0)
                    continue;
                for (int t : m_arcs.consumers[p]) {
                    if (m_visited[t] != m_visit) {
                        m_visited[t] = m_visit;
                        walk.push_back(t);
                    }
                }
            }
        }
    }

    // Step 8.1.
    void setResult()
    {
        for (int t = 0; t < m_t; ++t)
            m_v[t] = m_workC4[t].code > 0 ? m_workC4[t].value : 0;
        if (tracing())
            textLine(m_report, m_prefix, "The speeds of the algorithm are: " + speedList(m_v, m_task.compute));
    }

    std::string criterionText(const char* joiner) const
    {
        std::string text;
        for (int t = 0; t < m_t; ++t) {
            if (!m_J[t])
                continue;
            text += (text.empty() ? "v<sub>" : std::string(joiner) + "v<sub>") + std::to_string(t + 1) + "</sub>";
        }
        return text.empty() ? "empty" : text;
    }

    void reportSets()
    {
        if (!tracing())
            return;
        textLine(m_report, m_prefix, "T<sub>SF</sub> = " + memberList(m_TSF, "T"));
        textLine(m_report, m_prefix, "T<sub>PF</sub> = " + memberList(m_TPF, "T"));
        textLine(m_report, m_prefix, "P<sub>NE</sub> = " + memberList(m_PNE, "P"));
    }

    // Marking values joined by ", " with a final " ", "0+" for a 0+ place.
    void writeMarking(const Vector& marking)
    {
        for (int p = 0; p < m_n; ++p)
            m_report << markingText(marking[p], "%4.2f", "0+") << (p + 1 < m_n ? ", " : " ");
    }

    EngineContext& m_context;
    const ContinuousNet& m_net;
    Report& m_report;
    const SpeedTask& m_task;
    const std::string& m_prefix;
    const std::string m_indent;
    Vector& m_M;
    Vector& m_Mnext;
    Vector& m_v;
    const int m_n;
    const int m_t;
    const NetArcs& m_arcs;

    Flags m_Tndc, m_Twait, m_Tsby, m_TSF, m_TPF, m_PNE, m_C2, m_J, m_oldJ, m_pending, m_keep;
    Flags m_prevTPF, m_prevTndc;
    Vector m_C3;
    std::vector<KnownSpeed> m_C4;
    std::vector<KnownSpeed> m_workC4;
    std::vector<int> m_count;
    int m_h = 0;
    int m_passage = 1;
    std::vector<int> m_visited;  // walk number per transition, for the walks of the T(J) modification
    int m_visit = 0;
};

}  // namespace

void computeSpeeds(EngineContext& context, const SpeedTask& task, Vector& M, Vector& Mnext, Vector& v)
{
    SpeedComputation(context, task, M, Mnext, v).run();
}

}  // namespace flowrun
