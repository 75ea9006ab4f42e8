// Algorithm 5.C: classify each group's conflicts and hand it to 5.3, 5.A or 5.B.
#include "engines/continuous/conflicts.h"

#include <algorithm>

#include "engines/continuous/groups.h"
#include "engines/continuous/speed_algorithm.h"
#include "engines/continuous/trace.h"

namespace flowrun {

GroupConflict classifyGroup(const ContinuousNet& net, const Flags& members)
{
    GroupConflict conflict;
    std::vector<int> sharers;
    const auto byLevel = [&net](int a, int b) { return net.level[a] < net.level[b] || (net.level[a] == net.level[b] && a < b); };
    for (int p = 0; p < net.n; ++p) {
        sharers.clear();
        for (int t : net.arcs.consumers[p]) {
            if (members[t])
                sharers.push_back(t);
        }
        if (sharers.size() < 2)
            continue;
        // Members of equal level at p form classes; every two members of a class are a pair.
        // Of the pairs (r, s), r < s, the last in increasing order is the two largest members
        // of the class whose second largest member is largest.
        std::sort(sharers.begin(), sharers.end(), byLevel);
        int pairs = 0;
        int last = -1;
        for (std::size_t start = 0, end = 0; start < sharers.size(); start = end) {
            end = start + 1;
            while (end < sharers.size() && net.level[sharers[end]] == net.level[sharers[start]])
                ++end;
            const int size = static_cast<int>(end - start);
            pairs += size * (size - 1) / 2;
            if (size >= 2 && sharers[end - 2] > last) {
                last = sharers[end - 2];
                conflict.t1 = sharers[end - 2];
                conflict.t2 = sharers[end - 1];
            }
        }
        if (pairs == 0)
            continue;
        conflict.pairs += pairs;
        conflict.place = p;
        ++conflict.sharingPlaces;
    }
    if (conflict.sharingPlaces == 0)
        conflict.type = 1;
    else if (conflict.sharingPlaces == 1)
        conflict.type = conflict.pairs == 1 ? 2 : 3;
    else
        conflict.type = 4;
    return conflict;
}

void computePhaseSpeeds(EngineContext& context, Vector& M, Vector& Mnext, Vector& v, const std::string& prefix)
{
    const ContinuousNet& net = context.net;
    Report& report = context.report;
    const int groups = groupCount(net.group);
    for (int g = 0; g < groups && !context.failed(); ++g) {
        Flags members(net.m, false);
        for (int t = 0; t < net.m; ++t)
            members[t] = net.group[t] == g;
        const int top = wholeTop(net.level, members);
        if (report.active())
            stepLine(report, prefix, "Algorithm 5.C - Step 1",
                     "The group G<sub>" + std::to_string(g + 1) + "</sub>: " + memberList(members, "T"));
        const GroupConflict conflict = classifyGroup(net, members);
        stepLine(report, prefix, "Algorithm 5.C - Step 2", "The conflict type is " + std::to_string(conflict.type));
        if (conflict.type == 1) {
            stepLine(report, prefix, "Algorithm 5.C - Step 3", "Algorithm 5.C - Type 1");
            SpeedTask task{members, net.level, top, SharingEquation{}, prefix + "  "};
            computeSpeeds(context, task, M, Mnext, v);
        } else if (conflict.type == 2) {
            stepLine(report, prefix, "Algorithm 5.C - Step 4", "Type 2");
            SharingEquation pair{conflict.t1, conflict.t2, net.shareRatio(conflict.place, conflict.t1),
                                 net.shareRatio(conflict.place, conflict.t2), conflict.place};
            // Without ratios the place is shared equally, so that no ratio divides by zero.
            if (pair.ra <= 0 || pair.rb <= 0) {
                pair.ra = 1;
                pair.rb = 1;
                textLine(report, prefix, "No sharing ratios are given: the place is shared equally.");
            }
            shareBetweenTwo(context, members, top, pair, M, Mnext, v, prefix);
        } else if (conflict.type == 3) {
            stepLine(report, prefix, "Algorithm 5.C - Step 5", "Type 3");
            // Ratios are only given to the output transitions of a place, at that place.
            Flags hasRatio(net.m, false);
            Vector ratio(net.m, 0);
            for (int t = 0; t < net.m; ++t) {
                for (int p : net.arcs.inputs[t]) {
                    if (net.shareRatio(p, t) > 0) {
                        hasRatio[t] = true;
                        ratio[t] = net.shareRatio(p, t);
                    }
                }
            }
            shareAmongMany(context, members, hasRatio, ratio, conflict.place, M, Mnext, v, prefix);
        } else {
            if (context.reasons)
                context.reasons->notComputed(members);
            textLine(report, prefix,
                     "The group has sharing conflicts at more than one place; its transitions keep the speed 0.");
        }
    }
}

}  // namespace flowrun
