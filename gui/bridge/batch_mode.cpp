// Batch simulation of a document without any window.
#include "gui/bridge/batch_mode.h"

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "gui/bridge/batch_prompt.h"
#include "gui/check/speed_explanation.h"
#include "gui/bridge/run_folder.h"
#include "gui/bridge/stepping.h"
#include "gui/model/number_text.h"
#include "gui/model/place.h"
#include "gui/model/transition.h"
#include "gui/plot/plotter_csv.h"
#include "gui/plot/plotter_table.h"
#include "gui/xml/document_file.h"

namespace tokarium {
namespace {

constexpr std::string_view kSimulateOption = "--simulate";
constexpr std::string_view kOutOption = "--out";
constexpr std::string_view kFormatOption = "--format";
constexpr std::string_view kCsvFormat = "csv";
constexpr std::string_view kTextFormat = "text";
constexpr std::string_view kExplainOption = "--explain";
constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kKeepRunsOption = "--keep-runs";
constexpr std::string_view kUsage =
    "Usage: tokarium [--screenshot FILE.png] [DOCUMENT.pn]\n"
    "       tokarium --simulate DOCUMENT.pn [--out FOLDER] [--format text|csv] [--explain] [--keep-runs]\n"
    "       tokarium --import-pnml FILE.pnml --out DOCUMENT.pn\n"
    "       tokarium --export-pnml DOCUMENT.pn --out FILE.pnml\n"
    "       tokarium --export-picture DOCUMENT.pn --net N --out FILE.svg|.png|.pdf [--dpi D]\n"
    "       tokarium --analyse DOCUMENT.pn\n"
    "       tokarium --help\n"
    "\n"
    "Without --simulate or --help the editor opens, with the document if one is named; --screenshot\n"
    "saves a picture of the main window after start-up and ends.\n"
    "\n"
    "--simulate DOCUMENT.pn  Simulates every net of the document without opening a window, as the\n"
    "                        command \"Start\" does: each net is verified, its engine (flowrun for a\n"
    "                        continuous net, mixsim for any other) runs in a working folder of its\n"
    "                        own below $XDG_CACHE_HOME/tokarium/runs (or ~/.cache/tokarium/runs),\n"
    "                        and the results are stepped through to the end of the simulation\n"
    "                        duration. The Plotter table of each net is written as a\n"
    "                        TAB-separated text file named DOCUMENT-N-NAME.txt (N the net's position,\n"
    "                        NAME its name), and a summary per net is printed: the engine, the number\n"
    "                        of steps, the final clock and the final markings.\n"
    "--out FOLDER            Writes the text files into FOLDER (created when missing) instead of the\n"
    "                        document's folder.\n"
    "--format csv            Writes each table as DOCUMENT-N-NAME.csv instead: a header row with\n"
    "                        \"time\" and the nodes' names, one row per recorded time, numbers in\n"
    "                        full precision with a decimal point.\n"
    "--explain               After each summary, one line per phase and per continuous transition\n"
    "                        running below its maximal speed, naming what holds it back: an empty\n"
    "                        place and its feeders, a priority or sharing ratio, a discrete place.\n"
    "                        For a continuous net these are flowrun's own causes, as in the section\n"
    "                        \"WHY THESE SPEEDS\" of its report.\n"
    "--import-pnml FILE      Reads the place/transition nets of a PNML file into a new document\n"
    "                        (nets of other types are reported and left out).\n"
    "--export-pnml DOCUMENT  Writes every net of the document as a PNML place/transition net; what\n"
    "                        the standard cannot hold is kept in this program's toolspecific data.\n"
    "--export-picture DOC    Writes the page of net N (its position or its name) as printed; --dpi\n"
    "                        sets a PNG's resolution (default 150).\n"
    "--analyse DOCUMENT      Prints the minimal P- and T-invariants of every net, the sums they\n"
    "                        keep constant, whether the net is covered by P-invariants, and the\n"
    "                        minimal siphons and traps of nets with at most 20 places.\n"
    "--keep-runs             Keeps the working folders of the runs (their paths are printed);\n"
    "                        otherwise they are removed at the end.\n"
    "--help                  Shows this text.\n"
    "\n"
    "Exit status: 0 success; 1 bad arguments or a document that cannot be opened; 2 a net fails\n"
    "verification (its messages are printed and nothing is simulated); 3 an engine run or a text file\n"
    "failed.\n";

// Letters, digits, '-' and '_' kept; every other byte becomes '_'.
std::string fileNamePart(std::string_view name) {
    std::string part;
    for (unsigned char c : name)
        part += (std::isalnum(c) && c < 0x80) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    return part.empty() ? "PN" : part;
}

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
    bool csv = false;
    bool explain = false;
    bool help = false;
    bool keepRuns = false;
};

std::optional<BatchArguments> parseArguments(int argc, const char* const* argv, std::ostream& err) {
    BatchArguments arguments;
    bool simulate = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kHelpOption) {
            arguments.help = true;
        } else if (argument == kExplainOption) {
            arguments.explain = true;
        } else if (argument == kFormatOption) {
            const std::string_view format = i + 1 < argc ? argv[++i] : std::string_view();
            if (format != kCsvFormat && format != kTextFormat) {
                err << "tokarium: --format needs \"text\" or \"csv\"\n";
                return std::nullopt;
            }
            arguments.csv = format == kCsvFormat;
        } else if (argument == kKeepRunsOption) {
            arguments.keepRuns = true;
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

void printSheetSummary(const NetSheet& sheet, std::size_t position, int steps, bool keptFolder, std::ostream& out) {
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
    if (keptFolder && run.folder)
        out << "  working folder: " << run.folder->path().string() << '\n';
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
    std::vector<ExplanationLog> explanations(document.sheetCount());
    for (std::size_t i = 0; i < document.sheetCount() && arguments.explain; ++i)
        explanations[i].record(document.sheet(i));
    while (!AllEnded(document)) {
        std::vector<bool> stepped(document.sheetCount(), false);
        for (std::size_t i = 0; i < document.sheetCount(); ++i)
            if (!IsSheetEnded(document.sheet(i))) {
                ++steps[i];
                stepped[i] = true;
            }
        StepAll(document);
        for (std::size_t i = 0; i < document.sheetCount() && arguments.explain; ++i)
            if (stepped[i])
                explanations[i].record(document.sheet(i));
    }

    int status = kBatchSuccess;
    const std::string stem = documentPath.stem().string();
    for (std::size_t i = 0; i < document.sheetCount(); ++i) {
        const NetSheet& sheet = document.sheet(i);
        printSheetSummary(sheet, i + 1, steps[i], settings.keepRuns, out);
        for (const std::string& line : explanations[i].lines())
            out << "  why: " << utf8(line) << '\n';
        if (!sheet.simulationRun().problem.empty() && sheet.simulationRun().stepsShown == 0)
            status = kBatchRunFailed;
        const std::filesystem::path table = folder / (stem + "-" + std::to_string(i + 1) + "-" +
                                                      fileNamePart(sheet.name()) + (arguments.csv ? ".csv" : ".txt"));
        const PlotterTable plotterTable(sheet);
        if (arguments.csv ? savePlotterCsv(plotterTable, table.string())
                          : savePlotterText(plotterTable, table.string())) {
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
    BridgeSettings batchSettings = settings;
    batchSettings.keepRuns = batchSettings.keepRuns || arguments->keepRuns;
    return simulate(*arguments, out, err, batchSettings);
}

} // namespace tokarium
