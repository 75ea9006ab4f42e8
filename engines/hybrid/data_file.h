// Text reading of "data.txt": the title and the flat list of numbers.
#pragma once

#include "engines/hybrid/array.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mixsim {

struct DataFile {
    std::string names;       // the first whitespace-delimited token of the file
    Vec date;                // every number after the first line, in order
    std::vector<int> linii;  // the line number of each value of `date`
};

struct DataFileResult {
    std::optional<DataFile> file;
    std::string error;  // set when `file` is empty
};

// Splits the text; a token after the first line that is not a finite number
// (C locale) is an error naming its line.
[[nodiscard]] DataFileResult parseDataText(std::string_view text);

}  // namespace mixsim
