// Result file texts and their safe writing.
#include "engines/continuous/result_files.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engines/continuous/number_format.h"

namespace flowrun {
namespace {

std::string countLine(std::size_t count)
{
    return std::to_string(count) + "\n";
}

// A marking or speed field of "P.rez" and "T.rez": the value, "0", or "-1" for the codes.
std::string codedField(Real value, const char* realFormat)
{
    if (value > 0)
        return resultForm(value, realFormat);
    return value > -0.5f ? "0" : "-1";
}

std::string placeFile(const EngineRun& run, int p)
{
    const std::size_t k = run.states.size();
    std::string text = countLine(k);
    for (std::size_t i = 0; i < k; ++i) {
        const Real marking = run.states[i].marking[p];
        text += marking >= 0 ? formatReal("%4.2f\n", marking) : "0\n";
        text += formatReal("%4.2f\n", i + 1 < k ? run.states[i].duration : run.states[k - 1].balances[p]);
    }
    return text;
}

std::string transitionFile(const EngineRun& run, int t)
{
    const std::size_t k = run.states.size();
    std::string text = countLine(k);
    for (std::size_t i = 0; i < k; ++i) {
        text += formatReal("%4.2f\n", run.states[i].speeds[t]);
        if (i + 1 < k)
            text += formatReal("%4.2f\n", run.states[i].duration);
    }
    return text;
}

std::string placesTable(const EngineRun& run, int places)
{
    const std::size_t k = run.states.size();
    std::string text = countLine(k);
    for (std::size_t i = 0; i < k; ++i) {
        const bool last = i + 1 == k;
        if (!last)
            text += resultForm(run.states[i].duration, "%4.2f");
        const Vector& marking = last ? run.finalMarking : run.states[i].marking;
        for (int p = 0; p < places; ++p)
            text += "\t" + codedField(marking[p], "%4.2f");
        text += "\n";
    }
    for (int p = 0; p < places; ++p)
        text += "\t" + resultForm(run.states[k - 1].balances[p], "%4.2f");
    text += "\n";
    return text;
}

std::string transitionsTable(const EngineRun& run, int transitions)
{
    const std::size_t k = run.states.size();
    std::string text = countLine(k);
    for (std::size_t i = 0; i < k; ++i) {
        text += resultForm(run.states[i].duration, "%4.2f");
        for (int t = 0; t < transitions; ++t)
            text += "\t" + codedField(run.states[i].speeds[t], "%6.4f");
        text += "\n";
    }
    return text;
}

bool writeWhole(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

std::vector<ResultFile> resultFiles(const EngineRun& run, int places, int transitions)
{
    std::vector<ResultFile> files;
    for (int p = 0; p < places; ++p)
        files.push_back({"P" + std::to_string(p + 1) + kResultExtension, placeFile(run, p)});
    files.push_back({std::string("P") + kResultExtension, placesTable(run, places)});
    files.push_back({std::string("T") + kResultExtension, transitionsTable(run, transitions)});
    for (int t = 0; t < transitions; ++t)
        files.push_back({"T" + std::to_string(t + 1) + kResultExtension, transitionFile(run, t)});
    return files;
}

bool writeResultFiles(const std::vector<ResultFile>& files, std::string& message)
{
    std::error_code error;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string temporary = files[i].name + kTemporarySuffix;
        const bool written = writeWhole(temporary, files[i].text);
        int writeError = errno;
        if (written) {
            std::filesystem::rename(temporary, files[i].name, error);
            writeError = error.value();
        }
        if (!written || error) {
            std::filesystem::remove(temporary, error);
            for (std::size_t j = 0; j < i; ++j)
                std::filesystem::remove(files[j].name, error);
            message = "The result file " + files[i].name + " cannot be written: " + std::strerror(writeError) + ".";
            return false;
        }
    }
    return true;
}

void removeOldResults()
{
    std::error_code error;
    std::vector<std::filesystem::path> old;
    for (std::filesystem::directory_iterator it(".", error), end; !error && it != end; it.increment(error)) {
        std::string extension = it->path().extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::error_code kindError;
        if (extension == kResultExtension && it->is_regular_file(kindError))
            old.push_back(it->path());
    }
    for (const std::filesystem::path& path : old)
        std::filesystem::remove(path, error);
}

}  // namespace flowrun
