// Verification messages, their order, and what a failed or successful verification leaves behind.
#include "gui/check/verify.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/check/check_messages.h"
#include "gui/check/message_subject.h"
#include "gui/check/priority_rules.h"
#include "tests/gui/check/net_builder.h"

namespace tokarium {
namespace {

using namespace tokarium::testing;
using Messages = std::vector<std::string>;

struct VerifyCase {
    const char* name;
    std::function<void(NetSheet&)> build;
    Messages expected;
};

std::string joined(const Messages& messages) {
    std::string text;
    for (const auto& message : messages)
        text += "\n  " + message;
    return text.empty() ? "\n  (none)" : text;
}

const std::vector<VerifyCase>& verifyCases() {
    static const std::vector<VerifyCase> cases = {
        {"empty sheet", [](NetSheet&) {}, {"No defined place.", "No defined transition."}},
        {"isolated named place",
         [](NetSheet& s) { addPlace(s, ObjectKind::kDiscretePlace, 4, "Buffer"); },
         {"Place P4 without input and output arc.", "No defined transition."}},
        {"isolated named transition",
         [](NetSheet& s) { addTransition(s, ObjectKind::kContinuousTransition, 2, "Pump"); },
         {"No defined place.", "Transition T2 without input and output arc."}},
        {"isolated nodes listed in container order, not index order",
         [](NetSheet& s) {
             discretePlace(s, 5);
             continuousPlace(s, 3);
             discreteTransition(s, 9);
             continuousTransition(s, 1);
         },
         {"Place P5 without input and output arc.", "Place P3 without input and output arc.",
          "Transition T9 without input and output arc.", "Transition T1 without input and output arc."}},
        {"fractional weight between discrete nodes",
         [](NetSheet& s) { addArc(s, discretePlace(s, 1), discreteTransition(s, 1), 1.5); },
         {"The weight of arc P1 - T1 is not an integer."}},
        {"fractional weight from a discrete transition to a discrete place",
         [](NetSheet& s) {
             Place& p = discretePlace(s, 2);
             addArc(s, discreteTransition(s, 7), p, 0.25, ObjectKind::kGeneralizedArc);
         },
         {"The weight of arc T7 - P2 is not an integer."}},
        {"fractional weight towards a continuous transition, paired back",
         [](NetSheet& s) {
             Place& p = discretePlace(s, 1);
             Transition& t = continuousTransition(s, 1);
             addArc(s, p, t, 1.5);
             addArc(s, t, p, 1.5);
         },
         {}},
        {"fractional weight between continuous nodes",
         [](NetSheet& s) {
             Place& p = continuousPlace(s, 1);
             addArc(s, p, continuousTransition(s, 1), 0.3);
             addArc(s, discreteTransition(s, 2), p, 2.5);
         },
         {}},
        {"discrete place feeding a continuous transition with no arc back",
         [](NetSheet& s) { addArc(s, discretePlace(s, 2), continuousTransition(s, 3)); },
         {"No arc between transition T3 and place P2."}},
        {"continuous transition feeding a discrete place with no arc back",
         [](NetSheet& s) { addArc(s, continuousTransition(s, 3), discretePlace(s, 2)); },
         {"No arc between transition T3 and place P2."}},
        {"arcs both ways with weights 1 and 2",
         [](NetSheet& s) {
             Place& p = discretePlace(s, 2);
             Transition& t = continuousTransition(s, 3);
             addArc(s, p, t, 1.0);
             addArc(s, t, p, 2.0);
         },
         {"No arc between transition T3 and place P2.", "No arc between transition T3 and place P2."}},
        {"arcs both ways with equal weights",
         [](NetSheet& s) {
             Place& p = discretePlace(s, 2);
             Transition& t = continuousTransition(s, 3);
             addArc(s, p, t, 2.0);
             addArc(s, t, p, 2.0);
         },
         {}},
        {"continuous place and discrete transition need no pair",
         [](NetSheet& s) { addArc(s, continuousPlace(s, 1), discreteTransition(s, 1)); },
         {}},
        {"every rule at once, in rule order",
         [](NetSheet& s) {
             Place& p1 = discretePlace(s, 1);
             Transition& t2 = continuousTransition(s, 2);
             addArc(s, t2, p1, 1.0);
             Transition& t1 = discreteTransition(s, 1);
             addArc(s, p1, t1, 0.5);
             discretePlace(s, 3);
             continuousTransition(s, 4);
         },
         {"Place P3 without input and output arc.", "Transition T4 without input and output arc.",
          "The weight of arc P1 - T1 is not an integer.", "No arc between transition T2 and place P1."}},
    };
    return cases;
}

TEST(Verify, EachFixtureGivesItsExactMessageList) {
    for (const VerifyCase& c : verifyCases()) {
        NetSheet sheet;
        c.build(sheet);
        Messages messages;
        bool valid = verify(sheet, messages);
        EXPECT_EQ(messages, c.expected) << c.name << "\nactual:" << joined(messages) << "\nexpected:"
                                        << joined(c.expected);
        EXPECT_EQ(valid, c.expected.empty()) << c.name;
    }
}

TEST(Verify, ValidNetMessageForTheCommand) {
    EXPECT_EQ(kMessageValidNet, "Valid PN.");
    EXPECT_EQ(kMessagesDialogTitle, "Messages");
}

TEST(Verify, MessagesAreAppendedAfterWhatTheCallerHolds) {
    NetSheet sheet;
    Messages messages{"earlier"};
    EXPECT_FALSE(verify(sheet, messages));
    EXPECT_EQ(messages, (Messages{"earlier", "No defined place.", "No defined transition."}));

    addArc(sheet, continuousPlace(sheet, 1), continuousTransition(sheet, 1));
    Messages kept{"earlier"};
    EXPECT_TRUE(verify(sheet, kept));
    EXPECT_EQ(kept, Messages{"earlier"});
}

TEST(Verify, FailureLeavesThePriorityTableAlone) {
    NetSheet sheet;
    Place& p = continuousPlace(sheet, 5);
    addArc(sheet, p, continuousTransition(sheet, 1));
    addArc(sheet, p, continuousTransition(sheet, 2));
    discretePlace(sheet, 6);
    PriorityEntry stale;
    stale.placeIndex = 99;
    sheet.priorities().push_back(stale);

    Messages messages;
    EXPECT_FALSE(verify(sheet, messages));
    ASSERT_EQ(sheet.priorities().size(), 1u);
    EXPECT_EQ(sheet.priorities()[0].placeIndex, 99);
}

TEST(Verify, ConflictPlaceGainsAnEntryAndADeletedPlaceLosesIt) {
    NetSheet sheet;
    Place& p5 = continuousPlace(sheet, 5);
    addArc(sheet, p5, continuousTransition(sheet, 1));
    addArc(sheet, p5, continuousTransition(sheet, 2));
    PriorityEntry orphan;
    orphan.placeIndex = 8;
    orphan.addElement(1, 1, 0.0);
    sheet.priorities().push_back(orphan);

    Messages messages;
    ASSERT_TRUE(verify(sheet, messages)) << joined(messages);
    ASSERT_EQ(sheet.priorities().size(), 1u);
    const PriorityEntry& entry = sheet.priorities()[0];
    EXPECT_EQ(entry.placeIndex, 5);
    EXPECT_EQ(entry.place, &p5);
    EXPECT_EQ(entry.transitionIndices, (std::vector<std::int32_t>{1, 2}));
}

TEST(Verify, SecondEntryOfAPlaceIsDroppedAndTheFirstKeepsItsSettings) {
    NetSheet sheet;
    Place& p = continuousPlace(sheet, 1);
    addArc(sheet, p, continuousTransition(sheet, 1));
    addArc(sheet, p, continuousTransition(sheet, 2));
    PriorityEntry first;
    first.placeIndex = 1;
    first.addElement(1, 3, 0.0);
    first.addElement(2, 1, 0.0);
    PriorityEntry second;
    second.placeIndex = 1;
    second.addElement(1, 1, 4.0);
    second.addElement(2, 1, 4.0);
    sheet.priorities() = {first, second};

    Messages messages;
    ASSERT_TRUE(verify(sheet, messages));
    ASSERT_EQ(sheet.priorities().size(), 1u);
    EXPECT_EQ(sheet.priorities()[0].priorities, (std::vector<std::int32_t>{3, 1}));
}

TEST(Verify, EntriesFollowTheRemainingTableOrderThenNewPlacesInContainerOrder) {
    NetSheet sheet;
    Place& p3 = continuousPlace(sheet, 3);
    Place& p1 = continuousPlace(sheet, 1);
    Place& p2 = continuousPlace(sheet, 2);
    for (Place* p : {&p3, &p1, &p2}) {
        addArc(sheet, *p, continuousTransition(sheet, p->index() * 10));
        addArc(sheet, *p, continuousTransition(sheet, p->index() * 10 + 1));
    }
    PriorityEntry existing;
    existing.placeIndex = 2;
    sheet.priorities().push_back(existing);

    Messages messages;
    ASSERT_TRUE(verify(sheet, messages));
    std::vector<std::int32_t> order;
    for (const PriorityEntry& entry : sheet.priorities())
        order.push_back(entry.placeIndex);
    EXPECT_EQ(order, (std::vector<std::int32_t>{2, 3, 1}));
}

} // namespace
TEST(Verify, EveryMessageLeadsBackToTheObjectsItNames) {
    NetSheet sheet;
    Place& lonely = discretePlace(sheet, 1);
    Place& tank = continuousPlace(sheet, 2);
    Transition& gate = discreteTransition(sheet, 1);
    Transition& flow = continuousTransition(sheet, 2);
    Transition& idle = discreteTransition(sheet, 3);
    Arc& half = addArc(sheet, discretePlace(sheet, 3), gate, 1.5);
    addArc(sheet, tank, flow);
    addArc(sheet, discretePlace(sheet, 4), flow);
    std::vector<std::string> messages;
    ASSERT_FALSE(verify(sheet, messages));
    std::vector<std::vector<NetObject*>> subjects;
    for (const std::string& message : messages)
        subjects.push_back(messageSubjects(sheet, message));
    using Objects = std::vector<NetObject*>;
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(subjects[0], Objects{&lonely}) << messages[0];
    EXPECT_EQ(subjects[1], Objects{&idle}) << messages[1];
    EXPECT_EQ(subjects[2], Objects{&half}) << messages[2];
    EXPECT_EQ(subjects[3], (Objects{&flow, sheet.findPlace(4)})) << messages[3];
    // The value messages name nodes and arcs the same way.
    EXPECT_EQ(messageSubjects(sheet, "The marking of place P2 is negative."), Objects{&tank});
    EXPECT_EQ(messageSubjects(sheet, "The maximal speed of transition T2 is negative."), Objects{&flow});
    EXPECT_EQ(messageSubjects(sheet, "The value of T2 is not a finite number."), Objects{&flow});
    EXPECT_EQ(messageSubjects(sheet, "The value of P3 - T1 is not a finite number."), Objects{&half});
    // Messages naming no object, or objects the sheet no longer has, lead nowhere.
    EXPECT_TRUE(messageSubjects(sheet, "No defined place.").empty());
    EXPECT_TRUE(messageSubjects(sheet, "Place P9 without input and output arc.").empty());
    EXPECT_TRUE(messageSubjects(sheet, "Place P1 without").empty());
    EXPECT_TRUE(messageSubjects(sheet, "").empty());
}

} // namespace tokarium
