// Headless document tools of the GUI program: PNML import and export, structural analysis.
#pragma once

#include <ostream>

namespace tokarium {

// True when the arguments name one of the tools: --import-pnml, --export-pnml or --analyse.
bool wantsBatchTool(int argc, const char* const* argv);

// "--import-pnml IN.pnml --out OUT.pn", "--export-pnml IN.pn --out OUT.pnml", "--analyse DOC.pn".
// Exit status 0 on success, 1 on bad arguments, an unreadable or malformed input, nothing to import,
// or an output that cannot be written (the previous output file stays as it was).
int runBatchTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace tokarium
