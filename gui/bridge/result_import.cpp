// Result import: "p.rez", "t.rez", "pos.dat", "tran.dat".
#include "gui/bridge/result_import.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "gui/bridge/result_text.h"
#include "gui/model/number_text.h"

namespace tokarium {
namespace {

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

std::string missingLine(std::string_view file, std::size_t line) {
    return std::string(file) + ": line " + formatInteger(static_cast<std::int64_t>(line)) + " is missing";
}

// The count of the first line; a missing line reads as 0, a negative count is refused.
bool readCount(ResultLines& lines, std::string_view file, std::int32_t& count, std::string& problem) {
    const std::optional<std::string_view> line = lines.next();
    count = line ? resultCount(*line) : 0;
    if (count < 0) {
        problem = std::string(file) + ": negative count " + formatInteger(count);
        return false;
    }
    return true;
}

// Appends `rows` data lines of `columns` fields to the matrix.
bool readRows(ResultLines& lines, std::string_view file, std::int64_t rows, ResultMatrix& matrix,
              std::string& problem) {
    for (std::int64_t r = 0; r < rows; ++r) {
        const std::optional<std::string_view> line = lines.next();
        if (!line) {
            problem = missingLine(file, lines.linesRead() + 1);
            return false;
        }
        matrix.appendRow(fieldValues(*line, matrix.columns));
    }
    return true;
}

} // namespace

bool readContinuousPlaceResults(std::string_view text, std::size_t placeCount, SimulationRun& run,
                                std::string& problem) {
    ResultLines lines(text);
    run.placeResults.clear(placeCount + 1);
    std::int32_t n = 0;
    return readCount(lines, "p.rez", n, problem) &&
           readRows(lines, "p.rez", std::int64_t(n) + 1, run.placeResults, problem);
}

bool readContinuousTransitionResults(std::string_view text, std::size_t transitionCount, SimulationRun& run,
                                     std::string& problem) {
    ResultLines lines(text);
    run.transitionResults.clear(transitionCount + 1);
    std::int32_t m = 0;
    return readCount(lines, "t.rez", m, problem) && readRows(lines, "t.rez", m, run.transitionResults, problem);
}

bool readHybridPlaceResults(std::string_view text, std::size_t placeCount, SimulationRun& run,
                            std::string& problem) {
    ResultLines lines(text);
    run.placeResults.clear(placeCount + 1);
    run.finalRates.clear();
    std::int32_t k = 0;
    if (!readCount(lines, "pos.dat", k, problem))
        return false;
    run.stepCount = k;
    if (!readRows(lines, "pos.dat", 2 * std::int64_t(k), run.placeResults, problem))
        return false;
    const std::optional<std::string_view> last = lines.next();
    if (!last)
        return true;
    const std::vector<std::string_view> fields = splitFields(*last);
    if (fields.size() != placeCount + 1) {
        problem = "pos.dat: the final rates line has " + formatInteger(static_cast<std::int64_t>(fields.size())) +
                  " fields instead of " + formatInteger(static_cast<std::int64_t>(placeCount + 1));
        return false;
    }
    run.finalRates = fieldValues(*last, placeCount + 1);
    return true;
}

bool readHybridTransitionResults(std::string_view text, std::size_t transitionCount, SimulationRun& run,
                                 std::string& problem) {
    ResultLines lines(text);
    run.transitionResults.clear(transitionCount + 1);
    (void)lines.next();
    std::vector<double> previous(transitionCount + 1, 0.0);
    for (std::int32_t k = 0; k < run.stepCount; ++k) {
        if (k == 0 || run.placeResults.at(2 * std::size_t(k), 0) != 0.0) {
            const std::optional<std::string_view> line = lines.next();
            if (!line) {
                problem = missingLine("tran.dat", lines.linesRead() + 1);
                return false;
            }
            previous = fieldValues(*line, transitionCount + 1);
        }
        run.transitionResults.appendRow(previous);
    }
    return true;
}

std::optional<std::filesystem::path> findFileIgnoringCase(const std::filesystem::path& folder,
                                                          std::string_view name) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / name, error))
        return folder / name;
    const std::string wanted = lowered(name);
    std::optional<std::filesystem::path> found;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        if (lowered(path.filename().string()) == wanted && entry->is_regular_file(error) &&
            (!found || path.filename() < found->filename()))
            found = path;
    }
    return found;
}

std::optional<std::string> readResultFile(const std::filesystem::path& folder, std::string_view name,
                                          std::string& problem) {
    const std::optional<std::filesystem::path> path = findFileIgnoringCase(folder, name);
    if (!path) {
        problem = "no result file " + lowered(name) + " in " + folder.string();
        return std::nullopt;
    }
    std::ifstream file(*path, std::ios::binary);
    if (!file) {
        problem = "cannot open " + path->string();
        return std::nullopt;
    }
    std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        problem = "cannot read " + path->string();
        return std::nullopt;
    }
    return content;
}

} // namespace tokarium
