// Fuzzes mixsim from "data.txt" through the whole run, sub-nets solved by the real flowrun, on nets
// of small size and short duration.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "engines/hybrid/constants.h"
#include "engines/hybrid/driver.h"
#include "tests/fuzz/engine_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::FILE* const errors = std::fopen("/dev/null", "w");
    static const bool linked = [] {
        std::error_code error;
        std::filesystem::create_symlink(TOKARIUM_FUZZ_FLOWRUN, tokarium::fuzz::runFolder() / "flowrun", error);
        return true;
    }();
    (void)linked;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!tokarium::fuzz::hasSmallNumbers(text))
        return -1;
    tokarium::fuzz::writeInput(mixsim::kDataFileName, text);
    (void)mixsim::runMixsim(errors);
    return 0;
}
