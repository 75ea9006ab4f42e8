// Groups of transitions whose speeds are computed together, built once per run.
#pragma once

#include <vector>

#include "engines/continuous/continuous_net.h"

namespace flowrun {

// group[t], 0-based and consecutive; groups feeding others come first.
std::vector<int> buildGroups(const ContinuousNet& net);

int groupCount(const std::vector<int>& group);

}  // namespace flowrun
