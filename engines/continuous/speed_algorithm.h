// Algorithm 5.3 with 5.1 and 5.2: the speeds of a set of transitions, level by level.
#pragma once

#include "engines/continuous/engine_context.h"

namespace flowrun {

// On entry v holds the known speeds of the transitions outside task.compute; on return it
// holds every speed. M and Mnext may lose "0+" entries of places that turn out unfed.
void computeSpeeds(EngineContext& context, const SpeedTask& task, Vector& M, Vector& Mnext, Vector& v);

}  // namespace flowrun
