#include "pn_test_support.h"

#include "gui/xml/pn_sheet.h"
#include "gui/xml/xml_reader.h"
#include "gui/xml/xml_writer.h"

#include <sstream>

namespace tokarium::test {

Place& addPlace(ObjectContainer& container, ObjectKind kind, std::int32_t index, Point centre) {
    auto& place = addObject<Place>(container, kind);
    place.setIndex(index);
    place.centreOn(centre);
    return place;
}

Transition& addTransition(ObjectContainer& container, ObjectKind kind, std::int32_t index, Point centre) {
    auto& transition = addObject<Transition>(container, kind);
    transition.setIndex(index);
    transition.centreOn(centre);
    return transition;
}

Arc& addArc(ObjectContainer& container, ObjectKind kind, NetNode& from, NetNode& to) {
    auto& arc = addObject<Arc>(container, kind);
    arc.link(from, to);
    return arc;
}

std::string documentText(const NetDocument& document, const std::vector<ViewPlacement>& views) {
    std::ostringstream out(std::ios::out | std::ios::binary);
    XmlWriter writer(out);
    writeDocument(document, writer, views);
    return out.str();
}

ReadOutcome readDocumentText(NetDocument& document, const std::string& text, bool acceptMissingVersion) {
    std::istringstream in(text, std::ios::in | std::ios::binary);
    XmlReader reader(in);
    ReadOutcome outcome;
    outcome.status = readDocument(
        document, reader,
        [&] {
            ++outcome.versionQuestions;
            return acceptMissingVersion;
        },
        outcome.windows);
    return outcome;
}

std::string sheetText(const NetSheet& sheet) {
    std::ostringstream out(std::ios::out | std::ios::binary);
    XmlWriter writer(out);
    writeSheet(sheet, writer);
    return out.str();
}

} // namespace tokarium::test
