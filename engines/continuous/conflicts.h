// Speeds of a phase group by group (Algorithm 5.C) and the sharing algorithms 5.A and 5.B.
#pragma once

#include <string>

#include "engines/continuous/engine_context.h"

namespace flowrun {

// How the transitions of one group compete for their input places.
struct GroupConflict {
    int type = 1;            // 1: none, 2: one pair at one place, 3: several pairs at one place, 4: several places
    int t1 = -1;             // the last equal-level pair found, and its place
    int t2 = -1;
    int place = -1;
    int sharingPlaces = 0;
    int pairs = 0;
};

GroupConflict classifyGroup(const ContinuousNet& net, const Flags& members);

// Algorithm 5.C: fills v (cleared by the caller) for every group in order.
void computePhaseSpeeds(EngineContext& context, Vector& M, Vector& Mnext, Vector& v, const std::string& prefix);

// Algorithm 5.A: t1 and t2 of equal level share the place s with ratios r1 and r2.
void shareBetweenTwo(EngineContext& context, const Flags& group, int top, const SharingEquation& pair, Vector& M,
                     Vector& Mnext, Vector& v, const std::string& prefix);

// Algorithm 5.B: three or more transitions of equal level share the place s.
void shareAmongMany(EngineContext& context, const Flags& group, const Flags& hasRatio, const Vector& ratio, int s,
                    Vector& M, Vector& Mnext, Vector& v, const std::string& prefix);

}  // namespace flowrun
