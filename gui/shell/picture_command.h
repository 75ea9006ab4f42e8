// "tokarium --export-picture DOC.pn --net N --out FILE.svg|.png|.pdf [--dpi D]" without any window.
#pragma once

#include <ostream>

namespace tokarium {

bool wantsPictureExport(int argc, const char* const* argv);

// Opens the document, finds the net by position (1, 2, ...) or by name, and writes its picture.
// Exit status 0 on success, 1 otherwise (the message says why).
int runPictureExport(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace tokarium
