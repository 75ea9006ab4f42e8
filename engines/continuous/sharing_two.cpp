// Algorithm 5.A: two transitions of equal level share one place according to their ratios.
#include <algorithm>
#include <vector>

#include "engines/continuous/conflicts.h"
#include "engines/continuous/speed_algorithm.h"
#include "engines/continuous/trace.h"

namespace flowrun {
namespace {

// Levels that let `first` go before `second`: `second` and every transition ranked after it
// at one of its input places move one level later.
SpeedTask precedenceTask(const ContinuousNet& net, const Flags& group, int top, int second, const std::string& prefix)
{
    SpeedTask task{group, net.level, top, SharingEquation{}, prefix + "  "};
    for (int p : net.arcs.inputs[second]) {
        for (int l : net.arcs.consumers[p]) {
            if (net.level[l] > net.level[second]) {
                if (static_cast<Real>(task.top) == task.level[l])
                    ++task.top;
                task.level[l] += 1;
            }
        }
    }
    task.level[second] += 1;
    return task;
}

// Speeds set from the ratios may exceed a maximal speed, which the solver would reject as a
// contradicting bound; both are lowered together so that r1 * v1 = r2 * v2 still holds.
void keepWithinMaxima(const ContinuousNet& net, Vector& speeds, int t1, int t2)
{
    for (int t : {t1, t2}) {
        if (net.maxSpeed[t] >= 0 && speeds[t] > net.maxSpeed[t]) {
            const Real scale = net.maxSpeed[t] / speeds[t];
            speeds[t1] *= scale;
            speeds[t2] *= scale;
        }
    }
}

std::string levelText(const Vector& level)
{
    std::string text;
    for (std::size_t t = 0; t < level.size(); ++t)
        text += (t == 0 ? "" : ", ") + std::to_string(static_cast<int>(level[t]) + 1);
    return text;
}

// The transitions of step 5 computed after the others: those of a lower priority at an input
// place of t1 or t2, and, until nothing changes, every transition consuming from a place fed
// by t1, t2 or one of them. When that reaches t1 or t2 through a place fed by one of them,
// the pair's supply depends on them, so the pair is computed with them, after its feeders;
// otherwise the pair stays in the first set.
Flags downSet(const ContinuousNet& net, const Flags& group, int t1, int t2)
{
    Flags down(net.m, false);
    std::vector<int> walk;
    for (int pairMember : {t1, t2}) {
        for (int p : net.arcs.inputs[pairMember]) {
            for (int l : net.arcs.consumers[p]) {
                if (group[l] && !down[l] && net.level[l] > net.level[t1]) {
                    down[l] = true;
                    walk.push_back(l);
                }
            }
        }
    }
    // The places fed by t1 or t2 let the other consumers of the group join; the places fed by
    // a transition of the set let every consumer of the group join, t1 and t2 too.
    bool pairFed = false;
    const auto fromPlacesOf = [&](int feeder, bool pairToo) {
        for (int p : net.arcs.outputs[feeder]) {
            for (int l : net.arcs.consumers[p]) {
                if (!group[l] || down[l])
                    continue;
                if (l == t1 || l == t2) {
                    if (!pairToo)
                        continue;
                    pairFed = true;
                }
                down[l] = true;
                walk.push_back(l);
            }
        }
    };
    fromPlacesOf(t1, false);
    fromPlacesOf(t2, false);
    while (!walk.empty()) {
        const int x = walk.back();
        walk.pop_back();
        fromPlacesOf(x, true);
    }
    if (!pairFed) {
        down[t1] = false;
        down[t2] = false;
    }
    return down;
}

// The facts of the explanation after one trial, to go back to when its speeds are kept.
std::vector<SpeedFact> notedFacts(const EngineContext& context)
{
    return context.reasons ? context.reasons->facts() : std::vector<SpeedFact>{};
}

// The speeds of a trial are kept: so are its facts, and `second` went after `first` at s.
void keepTrial(EngineContext& context, const std::vector<SpeedFact>& facts, int first, int second, int s,
               const char* step)
{
    if (!context.reasons)
        return;
    context.reasons->restore(facts);
    context.reasons->goesSecond(second, s, first, step);
}

void noteShared(EngineContext& context, const SharingEquation& pair, const char* step)
{
    if (!context.reasons)
        return;
    for (int t : {pair.a, pair.b})
        context.reasons->shared(t, pair.place, {{pair.a, pair.ra}, {pair.b, pair.rb}}, step);
}

}  // namespace

void shareBetweenTwo(EngineContext& context, const Flags& group, int top, const SharingEquation& pair, Vector& M,
                     Vector& Mnext, Vector& v, const std::string& prefix)
{
    const ContinuousNet& net = context.net;
    Report& report = context.report;
    const int t1 = pair.a;
    const int t2 = pair.b;
    const Real r1 = pair.ra;
    const Real r2 = pair.rb;
    const int s = pair.place;

    const SpeedTask firstTask = precedenceTask(net, group, top, t2, prefix);
    if (report.active())
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 1.1", "The new levels are: " + levelText(firstTask.level));
    Vector va = v;
    computeSpeeds(context, firstTask, M, Mnext, va);
    if (context.failed())
        return;
    const std::vector<SpeedFact> factsA = notedFacts(context);
    const Real ba = net.balance(s, va);
    if (report.active())
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 1.2", "V<sub>A</sub>: " + speedList(va, group));
    if (M[s] > 0) {
        textLine(report, prefix, "ALGORITHM 5.A: the number of markings in sharing place is positive");
        v = va;
        return;
    }

    const SpeedTask secondTask = precedenceTask(net, group, top, t1, prefix);
    if (report.active())
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 2.1", "The new levels are: " + levelText(secondTask.level));
    Vector vb = v;
    computeSpeeds(context, secondTask, M, Mnext, vb);
    if (context.failed())
        return;
    const std::vector<SpeedFact> factsB = notedFacts(context);
    const Real bb = net.balance(s, vb);
    if (report.active())
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 2.2", "V<sub>B</sub>: " + speedList(vb, group));

    const bool cond1 = vb[t2] >= va[t2] && r2 * va[t2] < r1 * va[t1] &&
                       (vb[t2] != va[t2] || (vb[t1] != va[t1] && ba <= 0));
    const bool cond2 = vb[t1] <= va[t1] && r1 * vb[t1] < r2 * vb[t2] && (va[t1] != vb[t1] || bb <= 0);
    if (!cond1) {
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 3", "The first condition does not hold");
        const bool firstGoesFirst = vb[t2] != 0;
        v = firstGoesFirst ? va : vb;
        keepTrial(context, firstGoesFirst ? factsA : factsB, firstGoesFirst ? t1 : t2, firstGoesFirst ? t2 : t1, s,
                  "5.A step 3");
    } else if (!cond2) {
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 4", "The second condition does not hold");
        const bool secondGoesFirst = va[t1] != 0;
        v = secondGoesFirst ? vb : va;
        keepTrial(context, secondGoesFirst ? factsB : factsA, secondGoesFirst ? t2 : t1, secondGoesFirst ? t1 : t2, s,
                  "5.A step 4");
    } else if (vb[t2] == va[t2] || va[t1] == vb[t1]) {
        Vector known = v;
        if (vb[t2] == va[t2]) {
            known[t2] = vb[t2];
            known[t1] = r2 * vb[t2] / r1;
            keepWithinMaxima(net, known, t1, t2);
            stepLine(report, prefix, "ALGORITHM 5.A - STEP 4.c", speedList(known, group));
        } else {
            known[t1] = va[t1];
            known[t2] = r1 * va[t1] / r2;
            keepWithinMaxima(net, known, t1, t2);
            stepLine(report, prefix, "ALGORITHM 5.A - STEP 4.d", speedList(known, group));
        }
        SpeedTask rest = secondTask;
        rest.compute[t1] = false;
        rest.compute[t2] = false;
        stepLine(report, prefix, "ALGORITHM 5.A - STEP 6", "Computing the speeds of the other transitions");
        if (context.reasons)
            context.reasons->restore(factsB);
        computeSpeeds(context, rest, M, Mnext, known);
        noteShared(context, pair, vb[t2] == va[t2] ? "5.A step 4.c" : "5.A step 4.d");
        v = known;
    } else {
        Flags down = downSet(net, group, t1, t2);
        Flags up(net.m, false);
        for (int t = 0; t < net.m; ++t)
            up[t] = group[t] && !down[t];
        if (std::find(up.begin(), up.end(), true) != up.end()) {
            stepLine(report, prefix, "ALGORITHM 5.A - STEP 5", "Computing speeds for UP set: " + memberList(up, "T"));
            computeSpeeds(context, SpeedTask{up, net.level, top, pair, prefix + "  "}, M, Mnext, v);
            if (context.failed())
                return;
        } else {
            stepLine(report, prefix, "ALGORITHM 5.A - STEP 5", "The UP set is empty");
        }
        if (std::find(down.begin(), down.end(), true) != down.end()) {
            textLine(report, prefix, "Computing speeds for DOWN set: " + memberList(down, "T"));
            computeSpeeds(context, SpeedTask{down, net.level, top, pair, prefix + "  "}, M, Mnext, v);
        } else {
            textLine(report, prefix, "The DOWN set is empty");
        }
        noteShared(context, pair, "5.A step 5");
    }
    textLine(report, prefix, "The speeds obtained from the algorithm 5.A are: " + speedList(v, group));
}

}  // namespace flowrun
