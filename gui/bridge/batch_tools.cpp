// PNML import and export and structural analysis from the command line.
#include "gui/bridge/batch_tools.h"

#include <string>
#include <string_view>
#include <vector>

#include "gui/bridge/batch_prompt.h"
#include "gui/check/net_analysis.h"
#include "gui/xml/document_file.h"
#include "gui/xml/pnml_export.h"
#include "gui/xml/pnml_import.h"

namespace tokarium {
namespace {

constexpr std::string_view kImportOption = "--import-pnml";
constexpr std::string_view kExportOption = "--export-pnml";
constexpr std::string_view kAnalyseOption = "--analyse";
constexpr std::string_view kOutOption = "--out";
constexpr int kToolSuccess = 0;
constexpr int kToolFailure = 1;

struct ToolArguments {
    std::string_view tool;
    std::string input;
    std::string output;
};

bool isTool(std::string_view argument) {
    return argument == kImportOption || argument == kExportOption || argument == kAnalyseOption;
}

bool parseToolArguments(int argc, const char* const* argv, ToolArguments& arguments, std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!isTool(argument) && argument != kOutOption) {
            err << "tokarium: unexpected argument \"" << argument << "\"\n";
            return false;
        }
        if (i + 1 >= argc) {
            err << "tokarium: " << argument << " needs a file\n";
            return false;
        }
        if (argument == kOutOption) {
            arguments.output = argv[++i];
        } else if (!arguments.tool.empty()) {
            err << "tokarium: " << arguments.tool << " and " << argument << " cannot be combined\n";
            return false;
        } else {
            arguments.tool = argument;
            arguments.input = argv[++i];
        }
    }
    const bool needsOut = arguments.tool != kAnalyseOption;
    if (needsOut == arguments.output.empty()) {
        err << "tokarium: " << arguments.tool << (needsOut ? " needs --out FILE\n" : " takes no --out\n");
        return false;
    }
    return true;
}

int importPnml(const ToolArguments& arguments, std::ostream& out, std::ostream& err) {
    NetDocument document;
    std::vector<std::string> messages;
    std::string error;
    const bool imported = importPnmlFile(arguments.input, document, messages, error);
    for (const std::string& message : messages)
        err << utf8(message) << '\n';
    if (!imported) {
        err << "tokarium: " << utf8(error) << '\n';
        return kToolFailure;
    }
    if (!saveDocument(document, arguments.output, {})) {
        err << "tokarium: cannot write " << arguments.output << '\n';
        return kToolFailure;
    }
    out << "Imported " << document.sheetCount() << (document.sheetCount() == 1 ? " net" : " nets") << " into "
        << arguments.output << '\n';
    return kToolSuccess;
}

bool openForTool(NetDocument& document, const std::string& path, std::ostream& err) {
    BatchPrompt prompt(err);
    std::vector<SheetWindow> windows;
    return openDocument(document, path, prompt, windows);
}

int exportPnml(const ToolArguments& arguments, std::ostream& out, std::ostream& err) {
    NetDocument document;
    if (!openForTool(document, arguments.input, err))
        return kToolFailure;
    if (!exportPnmlFile(document, arguments.output)) {
        err << "tokarium: cannot write " << arguments.output << '\n';
        return kToolFailure;
    }
    out << "Exported " << document.sheetCount() << (document.sheetCount() == 1 ? " net" : " nets") << " to "
        << arguments.output << '\n';
    return kToolSuccess;
}

int analyse(const ToolArguments& arguments, std::ostream& out, std::ostream& err) {
    NetDocument document;
    if (!openForTool(document, arguments.input, err))
        return kToolFailure;
    for (std::size_t i = 0; i < document.sheetCount(); ++i) {
        const NetSheet& sheet = document.sheet(i);
        out << "PN " << i + 1 << " \"" << utf8(sheet.name()) << "\"\n";
        for (const AnalysisLine& line : analysisLines(analyseSheet(sheet)))
            out << "  " << utf8(line.text) << '\n';
    }
    return kToolSuccess;
}

} // namespace

bool wantsBatchTool(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (isTool(argv[i]))
            return true;
    return false;
}

int runBatchTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    ToolArguments arguments;
    if (!parseToolArguments(argc, argv, arguments, err))
        return kToolFailure;
    if (arguments.tool == kImportOption)
        return importPnml(arguments, out, err);
    if (arguments.tool == kExportOption)
        return exportPnml(arguments, out, err);
    return analyse(arguments, out, err);
}

} // namespace tokarium
