// The text of the "About Tokarium..." box: name, version, the versions of lp_solve and Qt, licence.
#pragma once

#include <string>

namespace tokarium {

// Plain text, one fact a line; qtVersion is the version of the Qt library in use.
std::string aboutText(const std::string& qtVersion);

} // namespace tokarium
