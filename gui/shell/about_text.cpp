// The "About Tokarium..." text; kept apart so that the solver's header meets no other header.
#include "gui/shell/about_text.h"

#include <lpsolve/lp_lib.h>

namespace tokarium {

std::string aboutText(const std::string& qtVersion) {
    const std::string lpSolveVersion = std::to_string(MAJORVERSION) + "." + std::to_string(MINORVERSION) + "." +
                                       std::to_string(RELEASE) + "." + std::to_string(BUILD);
    return "Tokarium " TOKARIUM_VERSION "\n"
           "Drawing and simulation of discrete, continuous and hybrid Petri nets.\n\n"
           "lp_solve " + lpSolveVersion + "\n"
           "Qt " + qtVersion + "\n\n"
           "lp_solve and Qt are used under the GNU Lesser General Public License.";
}

} // namespace tokarium
