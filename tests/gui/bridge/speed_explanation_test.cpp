// "Why this speed" on nets whose limiting cause is known by construction, through the batch mode
// and the real continuous engine.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "gui/bridge/batch_mode.h"
#include "gui/bridge/speed_cause_import.h"
#include "gui/xml/document_file.h"
#include "tests/gui/bridge/bridge_test_support.h"

namespace tokarium {
namespace {

using namespace testing;

struct Case {
    const char* title;
    std::function<void(NetSheet&)> build;
    std::vector<std::string> why; // the "why" lines: the first phase outlasts the duration 1
};

// P1 (4) feeds P2 through T1 at the given speed; P2 is drained by the given transitions.
void feedThenDrain(NetSheet& sheet, double feedSpeed, const std::vector<double>& drainSpeeds) {
    Place& source = continuousPlace(sheet, 1, 4);
    Place& middle = continuousPlace(sheet, 2);
    Transition& feed = continuousTransition(sheet, 1, feedSpeed);
    addArc(sheet, source, feed);
    addArc(sheet, feed, middle);
    for (std::size_t i = 0; i < drainSpeeds.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i + 2);
        Transition& drain = continuousTransition(sheet, index, drainSpeeds[i]);
        Place& sink = continuousPlace(sheet, index + 1);
        addArc(sheet, middle, drain);
        addArc(sheet, drain, sink);
    }
}

void settle(NetSheet& sheet, std::vector<std::pair<int, double>> settings) {
    PriorityEntry entry;
    entry.placeIndex = 2;
    for (std::size_t i = 0; i < settings.size(); ++i)
        entry.addElement(static_cast<std::int32_t>(i + 2), settings[i].first, settings[i].second);
    sheet.priorities().push_back(entry);
}

TEST(SpeedExplanation, NamesTheCauseKnownByConstruction) {
    const Case cases[] = {
        {"an empty place fed slower than its output",
         [](NetSheet& sheet) { feedThenDrain(sheet, 1, {3}); },
         {"T2 at time 0 runs at 1 instead of 3: P2 is empty, fed by T1 at 1; the linear program of priority level 1 "
          "holds its balance at 0 (dual value 1)"}},
        {"a conflict settled by priority",
         [](NetSheet& sheet) {
             feedThenDrain(sheet, 2, {2, 2});
             settle(sheet, {{1, 0}, {2, 0}});
         },
         {"T3 at time 0 runs at 0 instead of 2: P2 is empty, fed by T1 at 2; T2 (priority 1) takes 2 of it, and "
          "nothing is left for T3 (priority 2)"}},
        {"a 1:2 sharing ratio",
         [](NetSheet& sheet) {
             feedThenDrain(sheet, 3, {5, 5});
             settle(sheet, {{1, 1}, {1, 2}});
         },
         {"T2 at time 0 runs at 2 instead of 5: P2 is empty, fed by T1 at 3, and shared in the ratios T2 1 : T3 2 "
          "(5.A step 5)",
          "T3 at time 0 runs at 1 instead of 5: P2 is empty, fed by T1 at 3, and shared in the ratios T2 1 : T3 2 "
          "(5.A step 5)"}},
        {"a chain: T2 is fed by T1, which is itself held by an empty place",
         [](NetSheet& sheet) {
             Place& source = continuousPlace(sheet, 1, 4);
             Place& first = continuousPlace(sheet, 2);
             Place& second = continuousPlace(sheet, 3);
             Place& sink = continuousPlace(sheet, 4);
             Transition& t0 = continuousTransition(sheet, 1, 1);
             Transition& t1 = continuousTransition(sheet, 2, 2);
             Transition& t2 = continuousTransition(sheet, 3, 3);
             addArc(sheet, source, t0);
             addArc(sheet, t0, first);
             addArc(sheet, first, t1);
             addArc(sheet, t1, second);
             addArc(sheet, second, t2);
             addArc(sheet, t2, sink);
         },
         {"T2 at time 0 runs at 1 instead of 2: P2 is empty, fed by T1 at 1; the linear program of priority level 1 "
          "holds its balance at 0 (dual value 2)",
          "T3 at time 0 runs at 1 instead of 3: P3 is empty, fed by T2 at 1 (T2 is limited too); the linear program "
          "of priority level 1 holds its balance at 0 (dual value 1)"}},
        {"the engine's node numbers become the names the user gave, in index order",
         [](NetSheet& sheet) {
             feedThenDrain(sheet, 1, {3});
             for (NetObject* object : sheet.sortedByIndex(kNodeKinds)) {
                 auto& node = static_cast<NetNode&>(*object);
                 node.setName((node.isPlace() ? "tank " : "pump ") + std::to_string(node.index()));
             }
         },
         {"pump 2 at time 0 runs at 1 instead of 3: tank 2 is empty, fed by pump 1 at 1; the linear program of "
          "priority level 1 holds its balance at 0 (dual value 1)"}},
    };
    ProgramFolder programs;
    const BridgeSettings settings = programs.settings();
    for (const Case& test : cases) {
        TempFolder folder;
        std::unique_ptr<NetDocument> document = newDocument();
        NetSheet& sheet = document->sheet(0);
        test.build(sheet);
        sheet.setDuration(1);
        const std::string path = (folder.path() / "net.pn").string();
        ASSERT_TRUE(saveDocument(*document, path, {}));
        const std::vector<std::string> arguments{"tokarium", "--simulate", path, "--explain"};
        std::vector<const char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(argument.c_str());
        std::ostringstream out, err;
        ASSERT_EQ(runBatch(static_cast<int>(argv.size()), argv.data(), out, err, settings), kBatchSuccess)
            << test.title << "\n" << err.str();
        std::vector<std::string> why;
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);)
            if (line.starts_with("  why: "))
                why.push_back(line.substr(7));
        EXPECT_EQ(why, test.why) << test.title << "\n" << out.str();
    }
}

// Whatever the engine's file holds, its reading keeps the well-formed lines only and never fails.
TEST(SpeedExplanation, CauseFileLinesOfEveryShapeAreReadOrSkipped) {
    std::unique_ptr<NetDocument> document = newDocument();
    NetSheet& sheet = document->sheet(0);
    feedThenDrain(sheet, 1, {3});
    static_cast<NetNode&>(*sheet.sortedByIndex(kPlaceKinds)[1]).setName("tank");
    const char* text = "0\t2\t{P2} is empty, fed by {T1}\r\n"
                       "1\t1\t{P9} and {T0} and {X} and {P} and {P2\n"
                       "2\t3\ttoo far: T3 does not exist\n"
                       "3\t0\tno transition 0\n"
                       "x\t1\tnot a row\n"
                       "4\t1\n"
                       "99999999999999999999999\t1\ttoo large a row\n"
                       "\n"
                       "5\t1\t";
    readSpeedCauses(text, sheet);
    const SimulationRun& run = sheet.simulationRun();
    EXPECT_TRUE(run.speedCausesKnown);
    ASSERT_EQ(run.speedCauses.size(), 3u);
    EXPECT_EQ(run.speedCauses[0].row, 0u);
    EXPECT_EQ(run.speedCauses[0].transition, 1u);
    EXPECT_EQ(run.speedCauses[0].text, "tank is empty, fed by T1");
    EXPECT_EQ(run.speedCauses[1].text, "P9 and T0 and X and P and {P2");
    EXPECT_EQ(run.speedCauses[2].row, 5u);
    EXPECT_EQ(run.speedCauses[2].text, "");
}

} // namespace
} // namespace tokarium
