// Algorithm 5.B: three or more transitions of equal level share one place by their ratios.
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "engines/continuous/conflicts.h"
#include "engines/continuous/number_format.h"
#include "engines/continuous/speed_algorithm.h"
#include "engines/continuous/trace.h"

namespace flowrun {
namespace {

bool any(const Flags& flags)
{
    return std::find(flags.begin(), flags.end(), true) != flags.end();
}

// The largest speed of x that keeps its empty input places from a negative balance.
// An infinite maximal speed is bounded by those places only, and is 0 when none bounds it:
// an infinite-speed transition cannot drain a marked place within a phase.
// `limiting` gets the place that lowered the speed, -1 when none did.
Real cappedSpeed(const ContinuousNet& net, int x, Real start, const Vector& M, const Vector& balance,
                 int* limiting = nullptr)
{
    const Real unbounded = std::numeric_limits<Real>::infinity();
    Real speed = start < 0 ? unbounded : start;
    int place = -1;
    for (int p : net.arcs.inputs[x]) {
        const Real drain = net.pre(p, x) - net.post(p, x);
        if (M[p] <= 0 && drain > 0 && std::max<Real>(0, balance[p] / drain) < speed) {
            speed = std::max<Real>(0, balance[p] / drain);
            place = p;
        }
    }
    if (limiting)
        *limiting = place;
    return speed == unbounded ? 0 : speed;
}

// The sharers of the place with their ratios, for the explanation.
void noteSharing(EngineContext& context, const Flags& sharing, const Vector& ratio, int s)
{
    if (!context.reasons)
        return;
    std::vector<std::pair<int, Real>> sharers;
    for (std::size_t t = 0; t < sharing.size(); ++t) {
        if (sharing[t])
            sharers.emplace_back(static_cast<int>(t), ratio[t]);
    }
    for (const auto& [t, r] : sharers)
        context.reasons->shared(t, s, sharers, "5.B step 5");
}

// The transitions computed after the sharing ones: starting from KF, every transition of the
// group consuming from a place fed by one of them, and every one of a higher level sharing an
// input place with one of them, until nothing changes; KF itself is not part of it.
Flags downSet(const ContinuousNet& net, const Flags& group, const Flags& kf)
{
    Flags down = kf;
    std::vector<int> walk;
    for (int t = 0; t < net.m; ++t) {
        if (kf[t])
            walk.push_back(t);
    }
    const auto join = [&down, &walk, &group](int u) {
        if (group[u] && !down[u]) {
            down[u] = true;
            walk.push_back(u);
        }
    };
    while (!walk.empty()) {
        const int d = walk.back();
        walk.pop_back();
        for (int p : net.arcs.outputs[d]) {
            for (int u : net.arcs.consumers[p])
                join(u);
        }
        for (int p : net.arcs.inputs[d]) {
            for (int u : net.arcs.consumers[p]) {
                if (net.level[u] > net.level[d])
                    join(u);
            }
        }
    }
    for (int t = 0; t < net.m; ++t) {
        if (kf[t])
            down[t] = false;
    }
    return down;
}

}  // namespace

void shareAmongMany(EngineContext& context, const Flags& group, const Flags& hasRatio, const Vector& ratio, int s,
                    Vector& M, Vector& Mnext, Vector& v, const std::string& prefix)
{
    const ContinuousNet& net = context.net;
    Report& report = context.report;
    const int m = net.m;

    Flags kf(m, false);
    for (int t : net.arcs.consumers[s])
        kf[t] = group[t];
    const Flags down = downSet(net, group, kf);
    Flags up(m, false);
    for (int t = 0; t < m; ++t)
        up[t] = group[t] && !down[t] && !kf[t];
    if (report.active()) {
        textLine(report, prefix, "UP set is: " + memberList(up, "T"));
        textLine(report, prefix, "KF set is: " + memberList(kf, "T"));
        textLine(report, prefix, "DOWN set is: " + memberList(down, "T"));
        std::string before;
        for (int t = 0; t < m; ++t)
            before += "v&nbsp;[&nbsp;" + std::to_string(t + 1) + "&nbsp;]&nbsp;=&nbsp;" + formatReal("%4.2f", v[t]) + ", ";
        stepLine(report, prefix, "ALGORITHM 5.B - STEP 1", before);
    }
    Vector u = v;
    if (any(up)) {
        computeSpeeds(context, SpeedTask{up, net.level, wholeTop(net.level, up), SharingEquation{}, prefix + "  "}, M,
                      Mnext, u);
        if (context.failed())
            return;
    }
    if (report.active())
        textLine(report, prefix, "The speeds of the UP set: " + speedList(u, up));

    Flags pk(net.n, false);
    for (int t = 0; t < m; ++t) {
        if (kf[t]) {
            for (int p : net.arcs.inputs[t])
                pk[p] = true;
        }
    }
    Vector balance(net.n, 0);
    std::string balances;
    for (int p = 0; p < net.n; ++p) {
        if (!pk[p])
            continue;
        balance[p] = net.balance(p, u);
        if (report.active())
            balances += "B(P<sub>" + std::to_string(p + 1) + "</sub>)=" + formatReal("%4.2f", balance[p]) + ",&nbsp; &nbsp; ";
    }
    if (report.active())
        stepLine(report, prefix, "ALGORITHM 5.B - STEP 2", "P<sub>K</sub> = " + memberList(pk, "P") + "<br>" + balances);

    while (any(kf)) {
        Real h = 0;
        bool first = true;
        for (int t = 0; t < m; ++t) {
            if (kf[t] && (first || net.level[t] < h)) {
                h = net.level[t];
                first = false;
            }
        }
        Flags atLevel(m, false);
        int count = 0;
        for (int t = 0; t < m; ++t) {
            atLevel[t] = kf[t] && net.level[t] == h;
            count += atLevel[t] ? 1 : 0;
        }
        if (report.active())
            stepLine(report, prefix, "ALGORITHM 5.B - STEP 3", "The transitions of the lowest level: " + memberList(atLevel, "T"));
        if (count == 1) {
            const int x = static_cast<int>(std::find(atLevel.begin(), atLevel.end(), true) - atLevel.begin());
            int limiting = -1;
            const Real speed = cappedSpeed(net, x, net.maxSpeed[x], M, balance, &limiting);
            if (context.reasons && limiting >= 0)
                context.reasons->capped(x, limiting, "5.B step 3");
            u[x] = speed;
            report.format("<td><b>The computed maximal speed for T<sub>%d</sub> is <font color=#0000ff>v<sub>%d</sub>=%4.2f</td></tr>",
                          x + 1, x + 1, static_cast<double>(speed));
            report << "\n<br>\n";
            for (int p : net.arcs.inputs[x])
                balance[p] += net.incidence(p, x) * speed;
            kf[x] = false;
            continue;
        }
        Flags involved(m, false);
        for (int t = 0; t < m; ++t)
            involved[t] = atLevel[t] && hasRatio[t] && net.isInput(s, t);
        if (report.active())
            stepLine(report, prefix, "ALGORITHM 5.B - STEP 5",
                     "The transitions involved in the sharing are: " + memberList(involved, "T"));
        noteSharing(context, involved, ratio, s);
        Real newBalance = balance[s];
        do {
            for (int t = 0; t < m; ++t) {
                if (!involved[t])
                    continue;
                const Real start = (M[s] <= 0 && balance[s] == 0) ? 0 : net.maxSpeed[t];
                u[t] = start == 0 ? 0 : cappedSpeed(net, t, start, M, balance);
                if (u[t] == 0)
                    involved[t] = false;
            }
            if (!any(involved))
                break;
            Real sum = 0;
            for (int t = 0; t < m; ++t) {
                if (involved[t])
                    sum += net.pre(s, t) / ratio[t];
            }
            Vector pTa(m, 0);
            std::string pTaText;
            for (int t = 0; t < m; ++t) {
                if (!involved[t])
                    continue;
                pTa[t] = M[s] > 0 ? cappedSpeed(net, t, net.maxSpeed[t], M, balance) : balance[s] / (ratio[t] * sum);
                if (report.active())
                    pTaText += "pTa<sub>" + std::to_string(t + 1) + "</sub>=" + formatReal("%4.2f", pTa[t]) + " ";
            }
            if (report.active())
                textLine(report, prefix, "The pTa values are: " + pTaText);
            newBalance = balance[s];
            for (int t = 0; t < m; ++t) {
                if (!involved[t] || u[t] > pTa[t])
                    continue;
                involved[t] = false;
                newBalance -= net.pre(s, t) * u[t];
                report.format("Deletion of transition %d <br>\n", t + 1);
                report.format("The new balance for sharing place is <font color=#0000ff>%4.2f</font><br>\n",
                              static_cast<double>(newBalance));
            }
            if (newBalance == balance[s]) {
                // The shares use up what the place receives: later levels get only the rest.
                for (int t = 0; t < m; ++t) {
                    if (involved[t]) {
                        u[t] = pTa[t];
                        newBalance -= net.pre(s, t) * u[t];
                    }
                }
                textLine(report, prefix, "All the remaining tranzitions in Kf have the speeds of pTa");
                involved.assign(m, false);
            }
            balance[s] = newBalance;
            textLine(report, prefix, any(involved) ? "Kf set is not empty" : "Kf set is empty");
        } while (any(involved) && newBalance >= 0);
        // The level always leaves KF, so that a level leaving the place at balance 0 without
        // marking cannot be processed again and again. Its speeds also draw on its other input
        // places, which later levels must see.
        for (int t = 0; t < m; ++t) {
            if (!atLevel[t])
                continue;
            kf[t] = false;
            for (int p : net.arcs.inputs[t]) {
                if (p != s)
                    balance[p] += net.incidence(p, t) * u[t];
            }
        }
    }

    v = u;
    if (any(down)) {
        stepLine(report, prefix, "ALGORITHM 5.B - STEP 4", "Computing the speeds of the DOWN set");
        computeSpeeds(context, SpeedTask{down, net.level, wholeTop(net.level, down), SharingEquation{}, prefix + "  "},
                      M, Mnext, v);
    }
    if (report.active())
        textLine(report, prefix, "The speeds obtained from the algorithm 5.B are: " + speedList(v, group));
}

}  // namespace flowrun
