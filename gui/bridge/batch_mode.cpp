// Batch simulation of a document without any window.
#include "gui/bridge/batch_mode.h"

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "gui/bridge/stepping.h"
#include "gui/model/number_text.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/plot/plotter_table.h"
#include "gui/xml/document_file.h"

namespace tokarium {
namespace {

constexpr std::string_view kSimulateOption = "--simulate";
constexpr std::string_view kOutOption = "--out";
constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kUsage =
    "Usage: tokarium [--screenshot FILE.png] [DOCUMENT.pn]\n"
    "       tokarium --simulate DOCUMENT.pn [--out FOLDER]\n"
    "       tokarium --help\n"
    "\n"
    "Without --simulate or --help the editor opens, with the document if one is named; --screenshot\n"
    "saves a picture of the main window after start-up and ends.\n"
    "\n"
    "--simulate DOCUMENT.pn  Simulates every net of the document without opening a window, as the\n"
    "                        command \"Start\" does: each net is verified, its engine (flowrun for a\n"
    "                        continuous net, mixsim for any other) runs in its folder beside the\n"
    "                        program, and the results are stepped through to the end of the\n"
    "                        simulation duration. The Plotter table of each net is written as a\n"
    "                        TAB-separated text file named DOCUMENT-N-NAME.txt (N the net's position,\n"
    "                        NAME its name), and a summary per net is printed: the engine, the number\n"
    "                        of steps, the final clock and the final markings.\n"
    "--out FOLDER            Writes the text files into FOLDER (created when missing) instead of the\n"
    "                        document's folder.\n"
    "--help                  Shows this text.\n"
    "\n"
    "Exit status: 0 success; 1 bad arguments or a document that cannot be opened; 2 a net fails\n"
    "verification (its messages are printed and nothing is simulated); 3 an engine run or a text file\n"
    "failed.\n";

// The model's texts are Latin-1; the terminal gets UTF-8.
std::string utf8(std::string_view latin1) {
    std::string text;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// Letters, digits, '-' and '_' kept; every other byte becomes '_'.
std::string fileNamePart(std::string_view name) {
    std::string part;
    for (unsigned char c : name)
        part += (std::isalnum(c) && c < 0x80) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    return part.empty() ? "PN" : part;
}

class BatchPrompt : public UserPrompt {
public:
    explicit BatchPrompt(std::ostream& err) : m_err(err) {}
    void showMessage(const std::string& text) override { m_err << utf8(text) << '\n'; }
    bool askYesNo(const std::string& text) override {
        m_err << utf8(text) << " Yes.\n";
        return true;
    }
    Answer askYesNoCancel(const std::string& text) override {
        m_err << utf8(text) << " Yes.\n";
        return Answer::kYes;
    }

private:
    std::ostream& m_err;
};

class BatchFeedback : public SimulationFeedback {
public:
    void showVerificationFailure(NetSheet& sheet, const std::vector<std::string>& messages) override {
        failedSheet = &sheet;
        failedMessages = messages;
    }
    NetSheet* failedSheet = nullptr;
    std::vector<std::string> failedMessages;
};

struct BatchArguments {
    std::string document;
    std::optional<std::string> outFolder;
    bool help = false;
};

std::optional<BatchArguments> parseArguments(int argc, const char* const* argv, std::ostream& err) {
    BatchArguments arguments;
    bool simulate = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kHelpOption) {
            arguments.help = true;
        } else if (argument == kSimulateOption || argument == kOutOption) {
            if (i + 1 >= argc) {
                err << "tokarium: " << argument << " needs a value\n";
                return std::nullopt;
            }
            if (argument == kSimulateOption) {
                simulate = true;
                arguments.document = argv[++i];
            } else {
                arguments.outFolder = argv[++i];
            }
        } else {
            err << "tokarium: unexpected argument \"" << argument << "\"\n";
            return std::nullopt;
        }
    }
    if (!simulate && !arguments.help) {
        err << "tokarium: --simulate needs a document\n";
        return std::nullopt;
    }
    return arguments;
}

std::string engineName(EngineKind kind) {
    return kind == EngineKind::kHybrid ? "hybrid engine (mixsim)" : "continuous engine (flowrun)";
}

void printSheetSummary(const NetSheet& sheet, std::size_t position, int steps, std::ostream& out) {
    const SimulationRun& run = sheet.simulationRun();
    out << "PN " << position << " \"" << utf8(sheet.name()) << "\": " << engineName(run.engine) << ", "
        << steps << (steps == 1 ? " step" : " steps") << ", final clock " << formatReal(run.clock) << '\n';
    if (!run.problem.empty())
        out << "  run ended early: " << run.problem << '\n';
    if (!run.reportPath.empty())
        out << "  engine report: " << run.reportPath << '\n';
    out << "  markings:";
    for (NetObject* object : sheet.sortedByIndex(kPlaceKinds)) {
        const auto& place = static_cast<const Place&>(*object);
        out << ' ' << utf8(place.displayName()) << '=' << markingText(place.shownMarking());
    }
    out << '\n';
}

int simulate(const BatchArguments& arguments, std::ostream& out, std::ostream& err,
             const BridgeSettings& settings) {
    NetDocument document;
    BatchPrompt prompt(err);
    std::vector<SheetWindow> windows;
    if (!openDocument(document, arguments.document, prompt, windows))
        return kBatchUsageError;

    const std::filesystem::path documentPath(arguments.document);
    const std::filesystem::path folder =
        arguments.outFolder ? std::filesystem::path(*arguments.outFolder) : documentPath.parent_path();
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);

    BatchFeedback feedback;
    if (!InitializeAll(document, settings, feedback)) {
        const auto& sheets = document.sheets();
        std::size_t position = 1;
        while (position <= sheets.size() && sheets[position - 1].get() != feedback.failedSheet)
            ++position;
        err << "PN " << position << " \"" << utf8(feedback.failedSheet->name()) << "\" fails verification:\n";
        for (const std::string& message : feedback.failedMessages)
            err << "  " << utf8(message) << '\n';
        ResetAll(document);
        return kBatchVerifyFailed;
    }

    std::vector<int> steps(document.sheetCount(), 0);
    while (!AllEnded(document)) {
        for (std::size_t i = 0; i < document.sheetCount(); ++i)
            if (!IsSheetEnded(document.sheet(i)))
                ++steps[i];
        StepAll(document);
    }

    int status = kBatchSuccess;
    const std::string stem = documentPath.stem().string();
    for (std::size_t i = 0; i < document.sheetCount(); ++i) {
        const NetSheet& sheet = document.sheet(i);
        printSheetSummary(sheet, i + 1, steps[i], out);
        if (!sheet.simulationRun().problem.empty() && sheet.simulationRun().stepsShown == 0)
            status = kBatchRunFailed;
        const std::filesystem::path table =
            folder / (stem + "-" + std::to_string(i + 1) + "-" + fileNamePart(sheet.name()) + ".txt");
        if (savePlotterText(PlotterTable(sheet), table.string())) {
            out << "  table: " << table.string() << '\n';
        } else {
            err << "tokarium: cannot write " << table.string() << '\n';
            status = kBatchRunFailed;
        }
    }
    ResetAll(document);
    return status;
}

} // namespace

bool wantsBatchMode(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kSimulateOption || argument == kHelpOption)
            return true;
    }
    return false;
}

int runBatch(int argc, char** argv, std::ostream& out, std::ostream& err) {
    return runBatch(argc, argv, out, err, BridgeSettings::forRunningProgram());
}

int runBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
             const BridgeSettings& settings) {
    const std::optional<BatchArguments> arguments = parseArguments(argc, argv, err);
    if (!arguments) {
        err << kUsage;
        return kBatchUsageError;
    }
    if (arguments->help) {
        out << kUsage;
        return kBatchSuccess;
    }
    return simulate(*arguments, out, err, settings);
}

} // namespace tokarium
