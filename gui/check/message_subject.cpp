// messageSubjects: the message is matched against the texts verification writes.
#include "gui/check/message_subject.h"

#include <optional>
#include <string_view>

#include "gui/check/check_messages.h"
#include "gui/check/verify.h"
#include "gui/model/arc.h"
#include "gui/model/net_node.h"

namespace tokarium {

namespace {

constexpr std::string_view kField = "%s";

// The texts standing for the "%s" fields of the message text, or none when the message is not of it.
std::optional<std::vector<std::string>> fieldsOf(std::string_view text, std::string_view message) {
    std::vector<std::string> fields;
    std::size_t field = text.find(kField);
    if (field == std::string_view::npos || message.substr(0, field) != text.substr(0, field))
        return std::nullopt;
    message.remove_prefix(field);
    text.remove_prefix(field + kField.size());
    for (;;) {
        const std::size_t next = text.find(kField);
        const std::string_view literal = text.substr(0, next);
        if (next == std::string_view::npos) {
            if (message.size() < literal.size() || message.substr(message.size() - literal.size()) != literal)
                return std::nullopt;
            fields.emplace_back(message.substr(0, message.size() - literal.size()));
            return fields;
        }
        const std::size_t at = message.find(literal);
        if (at == std::string_view::npos)
            return std::nullopt;
        fields.emplace_back(message.substr(0, at));
        message.remove_prefix(at + literal.size());
        text.remove_prefix(next + kField.size());
    }
}

// Messages naming one object, and the kinds it may be of.
struct SingleSubject {
    std::string_view text;
    KindMask kinds;
};
constexpr SingleSubject kSingleSubjects[] = {
    {kMessageIsolatedPlace, kPlaceKinds},
    {kMessageIsolatedTransition, kTransitionKinds},
    {kMessageWeightNotInteger, kArcKinds},
    {kMessageWeightNegative, kArcKinds},
    {kMessageMarkingNegative, kPlaceKinds},
    {kMessageMarkingNotInteger, kPlaceKinds},
    {kMessageDurationNegative, kTransitionKinds},
    {kMessageSpeedNegative, kTransitionKinds},
    {kMessageNotFinite, kNodeKinds | kArcKinds},
};

// The object of the kinds that the messages call by the name: nodes "P3", arcs "P1 - T2".
NetObject* objectNamed(const NetSheet& sheet, KindMask kinds, const std::string& name) {
    for (NetObject* object : sheet.objects(kinds)) {
        if (const auto* arc = dynamic_cast<const Arc*>(object)) {
            if (arc->isLinked() && verifiedArcName(*arc) == name)
                return object;
        } else if (static_cast<const NetNode*>(object)->defaultName() == name) {
            return object;
        }
    }
    return nullptr;
}

} // namespace

std::vector<NetObject*> messageSubjects(const NetSheet& sheet, const std::string& message) {
    std::vector<NetObject*> found;
    const auto add = [&found](NetObject* object) {
        if (object)
            found.push_back(object);
    };
    for (const SingleSubject& subject : kSingleSubjects) {
        if (const auto f = fieldsOf(subject.text, message)) {
            add(objectNamed(sheet, subject.kinds, f->at(0)));
            return found;
        }
    }
    if (const auto f = fieldsOf(kMessageUnequalArcs, message); f && f->size() == 2) {
        add(objectNamed(sheet, kTransitionKinds, f->at(0)));
        add(objectNamed(sheet, kPlaceKinds, f->at(1)));
    }
    return found;
}

} // namespace tokarium
