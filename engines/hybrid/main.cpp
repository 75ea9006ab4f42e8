// mixsim: simulates the hybrid net of "data.txt" in the current directory.
#include "engines/hybrid/constants.h"
#include "engines/hybrid/driver.h"

#include <cstdio>
#include <exception>

int main()
{
    try {
        return mixsim::runMixsim(stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mixsim: internal error: %s\n", e.what());
        return mixsim::kExitInternalError;
    }
}
