// Writing a file so that a failure leaves the previous copy intact.
#pragma once

#include <string>
#include <string_view>

namespace flowrun {

// Writes `content` to a temporary file beside `path` and renames it over
// `path`. On failure returns false with `error` set and removes the temporary.
[[nodiscard]] bool writeFileReplacing(const std::string& path, std::string_view content,
                                      std::string& error);

}  // namespace flowrun
