// Writing a file so that a failure cannot destroy the previous good copy.
#pragma once

#include <string>
#include <string_view>

namespace tokarium {

// Writes the bytes to a temporary file in the same folder, flushes it to the disk, then renames it
// over path. On any failure the temporary file is removed, the old file stays as it was, and false
// is returned.
[[nodiscard]] bool replaceFile(const std::string& path, std::string_view bytes);

} // namespace tokarium
