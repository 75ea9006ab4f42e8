// The picture export of the command line.
#include "gui/shell/picture_command.h"

#include <QGuiApplication>
#include <charconv>
#include <clocale>
#include <string>
#include <string_view>
#include <vector>

#include "gui/bridge/batch_prompt.h"
#include "gui/editor/sheet_picture.h"
#include "gui/plot/graph_drawing.h"
#include "gui/xml/document_file.h"

namespace tokarium {
namespace {

constexpr std::string_view kPictureOption = "--export-picture";

struct PictureArguments {
    std::string document;
    std::string net;
    std::string out;
    int dpi = kDefaultPictureDpi;
};

bool parsePictureArguments(int argc, const char* const* argv, PictureArguments& arguments, std::ostream& err) {
    std::string dpi;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        std::string* target = option == kPictureOption ? &arguments.document
                              : option == "--net"      ? &arguments.net
                              : option == "--out"      ? &arguments.out
                              : option == "--dpi"      ? &dpi
                                                       : nullptr;
        if (!target) {
            err << "tokarium: unexpected argument \"" << option << "\"\n";
            return false;
        }
        if (i + 1 >= argc) {
            err << "tokarium: " << option << " needs a value\n";
            return false;
        }
        *target = argv[++i];
    }
    if (arguments.net.empty() || arguments.out.empty()) {
        err << "tokarium: --export-picture needs --net N and --out FILE\n";
        return false;
    }
    if (!dpi.empty()) {
        const auto [end, error] = std::from_chars(dpi.data(), dpi.data() + dpi.size(), arguments.dpi);
        if (error != std::errc() || end != dpi.data() + dpi.size()) {
            err << "tokarium: --dpi needs a whole number\n";
            return false;
        }
    }
    return true;
}

// The net at that position (1-based) when the text is a number in range, else the net of that name.
NetSheet* findNet(const NetDocument& document, const std::string& net) {
    std::size_t position = 0;
    const auto [end, error] = std::from_chars(net.data(), net.data() + net.size(), position);
    if (error == std::errc() && end == net.data() + net.size() && position >= 1 && position <= document.sheetCount())
        return &document.sheet(position - 1);
    return document.findSheetByName(net);
}

} // namespace

bool wantsPictureExport(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (argv[i] == kPictureOption)
            return true;
    return false;
}

int runPictureExport(int argc, char** argv, std::ostream& out, std::ostream& err) {
    PictureArguments arguments;
    if (!parsePictureArguments(argc, argv, arguments, err))
        return 1;
    // Pictures need fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    NetDocument document;
    BatchPrompt prompt(err);
    std::vector<SheetWindow> windows;
    if (!openDocument(document, arguments.document, prompt, windows))
        return 1;
    NetSheet* sheet = findNet(document, arguments.net);
    if (!sheet) {
        err << "tokarium: " << arguments.document << " has no net \"" << arguments.net << "\"\n";
        return 1;
    }
    GraphDrawer graphs;
    EditorSession session;
    session.graphRenderer = &graphs;
    std::string error;
    if (!saveSheetPicture(*sheet, session, arguments.out, arguments.dpi, error)) {
        err << "tokarium: " << error << '\n';
        return 1;
    }
    out << "Wrote " << arguments.out << '\n';
    return 0;
}

} // namespace tokarium
