// Algorithm 5.3: criteria by priority level (5.1 for the first, 5.2 for the next), each
// maximised by a linear program under the balance, bound and known-speed constraints.
#include "engines/continuous/speed_algorithm.h"

#include <algorithm>
#include <cmath>
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
          m_prefix(task.prefix), m_M(M), m_Mnext(Mnext), m_v(v), m_n(m_net.n), m_t(m_net.m)
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
                m_report.format("%s&nbsp; END PASSAGE %d\n<br>\n", indentation(m_prefix).c_str(), m_passage);
                ++m_passage;
                if (!prepareNext) {
                    finished = true;
                    break;
                }
                algorithm52();
                ++m_h;
                m_report.format("%s&nbsp; The new priority level is <font color=#0000aa>h=%d.</font>\n<br>\n",
                                indentation(m_prefix).c_str(), m_h + 1);
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
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 0", "Initialization");
        textLine(m_report, m_prefix, "We will compute speeds for following transitions: " + memberList(m_task.compute, "T"));
        m_report.format("%s&nbsp; The priority level is <font color=#0000aa>h=%d</font>\n<br>\n",
                        indentation(m_prefix).c_str(), m_h + 1);
        m_report << indentation(m_prefix) << "&nbsp; <b>The initial marking is: <font color=#0000aa>M<sub>0</sub> = [";
        for (int p = 0; p < m_n; ++p)
            m_report << markingText(m_M[p], "%4.2f", "0+") << (p + 1 < m_n ? ", " : " ");
        m_report << "]</font></b>\n<br>\n";
    }

    // Step 1.
    void constraints()
    {
        m_C2.assign(m_n, false);
        for (int p = 0; p < m_n; ++p) {
            if (m_M[p] > 0)
                continue;
            for (int t = 0; t < m_t; ++t) {
                if (m_task.compute[t] && m_net.isInput(p, t))
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
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 1", "Setting the constraints");
        textLine(m_report, m_prefix,
                 any(m_C2) ? "The C<sub>2</sub> set is: " + memberList(m_C2, "P")
                           : std::string("The C<sub>2</sub> set does not contain any places"));
        textLine(m_report, m_prefix, "The C<sub>3</sub> set is: " + speedList(m_v));
        textLine(m_report, m_prefix, "The C<sub>4</sub> set is empty for the transitions to compute");
        m_Tndc = m_task.compute;
        m_Twait.assign(m_t, false);
        m_Tsby.assign(m_t, false);
        m_prevTPF.assign(m_t, false);
        m_prevTndc = m_Tndc;
        if (any(m_C2))
            stepOneBis(m_M, "ALGORITHM 5.3 - STEP 1 bis");
    }

    // Places of C2 that nothing can feed force the transitions draining them to speed 0.
    void stepOneBis(const Vector& marking, const char* heading)
    {
        bool changed = true;
        while (changed) {
            changed = false;
            for (int p = 0; p < m_n; ++p) {
                if (!m_C2[p])
                    continue;
                bool feedable = false;
                for (int t = 0; t < m_t && !feedable; ++t)
                    feedable = m_net.incidence(p, t) > 0 && (m_Tndc[t] || m_v[t] > 0);
                if (feedable)
                    continue;
                for (int t = 0; t < m_t; ++t) {
                    if (!m_Tndc[t])
                        continue;
                    if (m_net.incidence(p, t) < 0 || (m_net.isInput(p, t) && marking[p] == 0)) {
                        m_C3[t] = 0;
                        m_C4[t] = KnownSpeed{0, 1};
                        m_workC4[t] = KnownSpeed{0, 1};
                        m_Tndc[t] = false;
                        m_pending[t] = false;
                        changed = true;
                    }
                }
            }
        }
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
                bool marked = true;
                for (int p = 0; p < m_n && marked; ++p)
                    marked = !m_net.isInput(p, t) || m_M[p] > 0;
                m_TSF[t] = marked;
            } else {
                m_TSF[t] = m_v[t] > 0;
            }
        }
        for (int t = 0; t < m_t; ++t)
            m_TPF[t] = m_task.compute[t] && !m_TSF[t] && m_task.level[t] == 0;
        m_PNE.assign(m_n, false);
        for (int p = 0; p < m_n; ++p)
            m_PNE[p] = m_M[p] != 0;
        stepLine(m_report, m_prefix, "Algorithm 5.1 - Step 1", "T<sub>SF</sub> is equal with T<sub>SE</sub>");
        reportSets();
        if (any(m_TPF)) {
            m_keep.assign(m_t, true);
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
        stepLine(m_report, m_prefix, "Algorithm 5.1 - Step 5", "The criterion J<sub>1</sub> = " + criterionText("+"));
    }

    void inputPlacesOfTPF()
    {
        m_Pj.assign(m_t, Flags());
        for (int t = 0; t < m_t; ++t) {
            if (!m_TPF[t])
                continue;
            m_Pj[t].assign(m_n, false);
            for (int p = 0; p < m_n; ++p)
                m_Pj[t][p] = m_net.isInput(p, t);
            m_report.format("%s&nbsp; The input places for transition T<sub>%d</sub> are: ", indentation(m_prefix).c_str(), t + 1);
            m_report << memberList(m_Pj[t], "P") << "\n<br>\n";
        }
    }

    // Steps 3 and 4 of Algorithms 5.1 and 5.2: places fed by fireable transitions let the
    // transitions waiting on them become fireable, until nothing moves.
    void fireableFixpoint(const std::string& algorithm)
    {
        int k = 1;
        while (true) {
            ++k;
            Flags newPNE = m_PNE;
            for (int p = 0; p < m_n; ++p) {
                for (int t = 0; t < m_t && !newPNE[p]; ++t)
                    newPNE[p] = m_TSF[t] && m_net.isOutput(p, t);
            }
            const bool differs = newPNE != m_PNE;
            stepLine(m_report, m_prefix, algorithm + " - Step 3", "P<sub>NE</sub> = " + memberList(newPNE, "P"));
            if (!differs && k > 2) {
                textLine(m_report, m_prefix, "The old and new P<sub>NE</sub> sets are the same and k&nbsp;>&nbsp;2");
                return;
            }
            if (differs)
                m_PNE = newPNE;
            int moved = 0;
            for (int t = 0; t < m_t; ++t) {
                if (!m_TPF[t])
                    continue;
                bool emptyPj = true;
                for (int p = 0; p < m_n; ++p) {
                    if (newPNE[p])
                        m_Pj[t][p] = false;
                    emptyPj = emptyPj && !m_Pj[t][p];
                }
                if (emptyPj) {
                    m_TPF[t] = false;
                    m_TSF[t] = true;
                    ++moved;
                }
            }
            stepLine(m_report, m_prefix, algorithm + " - Step 4", "Moving transitions from T<sub>PF</sub> to T<sub>SF</sub>");
            reportSets();
            if (moved > 0 && any(m_TPF)) {
                m_PNE = newPNE;
                continue;
            }
            textLine(m_report, m_prefix, any(m_TPF) ? "T<sub>SF</sub> wasn't modified" : "T<sub>PF<sub> is empty");
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
            stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 4",
                     "All transitions are known at this time. No need for further computing");
            return;
        }
        LpProblem problem;
        problem.incidence = &m_net.incidence;
        problem.objective = m_J;
        problem.balanceRows = m_C2;
        problem.maxSpeed = m_net.maxSpeed;
        problem.zeroSpeed = m_C3;
        problem.known = m_C4;
        problem.sharing = m_task.sharing;
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
        for (int t = 0; t < m_t; ++t) {
            if (m_J[t]) {
                ++m_count[t];
                m_pending[t] = false;
            }
        }
        capSharedSpeed();
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
        for (int t = 0; t < m_t; ++t) {
            if (t != sel)
                sum += m_net.incidence(sharing.place, t) * m_v[t];
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
                for (int p = 0; p < m_n; ++p) {
                    if (m_net.isInput(p, t) && m_M[p] < 0) {
                        m_M[p] = 0;
                        m_Mnext[p] = 0;
                        m_PNE[p] = false;
                    }
                }
            }
            m_TSF[t] = false;
            m_TPF[t] = true;
        }
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 5.1", "Transitions of T<sub>SF</sub> with speed 0");
        reportSets();
        m_report << indentation(m_prefix) << "&nbsp; M<sub>k</sub> = [";
        for (int p = 0; p < m_n; ++p)
            m_report << markingText(m_Mnext[p], "%4.2f", "0+") << (p + 1 < m_n ? ", " : " ");
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
        std::string text;
        for (int t = 0; t < m_t; ++t) {
            if (m_workC4[t].code != 1 && m_workC4[t].code != 2)
                continue;
            text += "v<sub>" + std::to_string(t + 1) + "</sub>&nbsp;" + (m_workC4[t].code == 1 ? "=&nbsp;" : ">=&nbsp;") +
                    integerForm(m_workC4[t].value, "%6.4f") + " ";
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
        stepLine(m_report, m_prefix, "ALGORITHM 5.3 - STEP 6", "T<sub>ndc</sub> = " + memberList(m_Tndc, "T"));
        textLine(m_report, m_prefix, "T<sub>wait</sub> = " + memberList(m_Twait, "T"));
        m_C4 = m_workC4;
        const bool tndcChanged = m_Tndc != m_prevTndc;
        if (!tndcChanged)
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
            for (int p = 0; p < m_n; ++p) {
                if (!m_net.isInput(p, t))
                    continue;
                const Real bal = m_net.balance(p, m_v);
                bool fed = false;
                for (int u = 0; u < m_t && !fed; ++u)
                    fed = m_net.isOutput(p, u) && m_v[u] > 0;
                // Speeds come back from the solver with six significant digits, so a balance
                // of zero is recognised within the balance tolerance. Only an empty place whose
                // inflow is all taken holds t back; a marked place does not limit its speed.
                if (fed && nearZero(bal) && m_Mnext[p] <= 0) {
                    m_TPF[t] = false;
                    m_pending[t] = false;
                    m_Tsby[t] = true;
                    break;
                }
                if (m_Mnext[p] == 0 && nearZero(bal))
                    m_pending[t] = false;
            }
        }
        stepLine(m_report, m_prefix, "Algorithm 5.2 - Step 1", "T<sub>sby</sub> = " + memberList(m_Tsby, "T"));
        reportSets();
        if (any(m_TPF)) {
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
        stepLine(m_report, m_prefix, "Algorithm 5.2 - Step 6",
                 "The criterion J<sub>" + std::to_string(m_h + 2) + "</sub> = " + criterionText("&nbsp;+&nbsp;"));
    }

    // T(J) modification: of two criterion transitions sharing an input place, the later one
    // leaves the criterion with everything it reaches through places that are not marked.
    void restrictCriterion()
    {
        const Vector& level = m_task.level;
        for (int t1 = 0; t1 < m_t; ++t1) {
            for (int t2 = t1 + 1; t2 < m_t; ++t2) {
                if (!m_J[t1] || !m_J[t2] || level[t1] == level[t2] || !shareInput(t1, t2))
                    continue;
                const int removed = level[t1] > level[t2] ? t1 : t2;
                const int kept = removed == t1 ? t2 : t1;
                Flags visited(m_t, false);
                visited[kept] = true;
                visited[removed] = true;
                std::vector<int> walk{removed};
                while (!walk.empty()) {
                    const int x = walk.back();
                    walk.pop_back();
                    if (m_J[x]) {
                        m_J[x] = false;
                        m_keep[x] = false;
                    }
                    for (int p = 0; p < m_n; ++p) {
                        if (!m_net.isOutput(p, x) || m_Mnext[p] > 0)
                            continue;
                        for (int t = 0; t < m_t; ++t) {
                            if (m_net.isInput(p, t) && !visited[t]) {
                                visited[t] = true;
                                walk.push_back(t);
                            }
                        }
                    }
                }
            }
        }
    }

    bool shareInput(int t1, int t2) const
    {
        for (int p = 0; p < m_n; ++p) {
            if (m_net.isInput(p, t1) && m_net.isInput(p, t2))
                return true;
        }
        return false;
    }

    // Step 8.1.
    void setResult()
    {
        for (int t = 0; t < m_t; ++t)
            m_v[t] = m_workC4[t].code > 0 ? m_workC4[t].value : 0;
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
        textLine(m_report, m_prefix, "T<sub>SF</sub> = " + memberList(m_TSF, "T"));
        textLine(m_report, m_prefix, "T<sub>PF</sub> = " + memberList(m_TPF, "T"));
        textLine(m_report, m_prefix, "P<sub>NE</sub> = " + memberList(m_PNE, "P"));
    }

    EngineContext& m_context;
    const ContinuousNet& m_net;
    Report& m_report;
    const SpeedTask& m_task;
    const std::string& m_prefix;
    Vector& m_M;
    Vector& m_Mnext;
    Vector& m_v;
    const int m_n;
    const int m_t;

    Flags m_Tndc, m_Twait, m_Tsby, m_TSF, m_TPF, m_PNE, m_C2, m_J, m_oldJ, m_pending, m_keep;
    Flags m_prevTPF, m_prevTndc;
    std::vector<Flags> m_Pj;
    Vector m_C3;
    std::vector<KnownSpeed> m_C4;
    std::vector<KnownSpeed> m_workC4;
    std::vector<int> m_count;
    int m_h = 0;
    int m_passage = 1;
};

}  // namespace

void computeSpeeds(EngineContext& context, const SpeedTask& task, Vector& M, Vector& Mnext, Vector& v)
{
    SpeedComputation(context, task, M, Mnext, v).run();
}

}  // namespace flowrun
