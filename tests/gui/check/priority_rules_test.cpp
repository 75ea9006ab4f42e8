// Normal form of priority entries, creation for new conflicts, and the edits of the conflicts dialog.
#include "gui/check/priority_rules.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/check/entry_text.h"
#include "gui/check/setting_text.h"
#include "gui/check/verify.h"
#include "tests/gui/check/net_builder.h"

namespace tokarium {
namespace {

using namespace tokarium::testing;
using Indices = std::vector<std::int32_t>;
using Ratios = std::vector<double>;

// A continuous place P1 feeding the continuous transitions T1, T2, T3.
class ThreeWayConflict : public ::testing::Test {
protected:
    ThreeWayConflict() {
        for (std::int32_t index : {1, 2, 3})
            arcs.push_back(&addArc(sheet, place, continuousTransition(sheet, index)));
    }

    PriorityEntry& verifiedEntry() {
        std::vector<std::string> messages;
        EXPECT_TRUE(verify(sheet, messages));
        PriorityEntry* entry = findEntry(sheet.priorities(), place);
        EXPECT_NE(entry, nullptr);
        return *entry;
    }

    NetSheet sheet;
    Place& place = continuousPlace(sheet, 1);
    std::vector<Arc*> arcs;
};

TEST_F(ThreeWayConflict, NewEntryHoldsEveryTransitionSharingEqually) {
    PriorityEntry& entry = verifiedEntry();
    EXPECT_EQ(entry.transitionIndices, (Indices{1, 2, 3}));
    EXPECT_EQ(entry.priorities, (Indices{1, 1, 1}));
    EXPECT_EQ(entry.ratios, (Ratios{1.0, 1.0, 1.0}));
    EXPECT_EQ(entryText(entry), "[T1, T2, T3]");
}

TEST_F(ThreeWayConflict, PriorityTwoForT3LeavesAClassOfTwo) {
    PriorityEntry& entry = verifiedEntry();
    applyPriorityText(entry, 2, "2", sheet);
    EXPECT_EQ(entry.priorities, (Indices{1, 1, 2}));
    EXPECT_EQ(entry.ratios, (Ratios{1.0, 1.0, 0.0}));
    EXPECT_EQ(entryText(entry), "[T1, T2] < T3");
    EXPECT_EQ(ratioText(entry.ratios[2]), "") << "Sharing: stays empty and disabled for T3";
}

TEST_F(ThreeWayConflict, TypedContinuousPrioritiesBecomePositive) {
    PriorityEntry& entry = verifiedEntry();
    applyPriorityText(entry, 0, "-4", sheet);
    EXPECT_EQ(entry.priorities[0], 4);
    applyPriorityText(entry, 0, "0", sheet);
    EXPECT_EQ(entry.priorities[0], 1);
    applyPriorityText(entry, 0, "7", sheet);
    applyPriorityText(entry, 0, "high", sheet);
    EXPECT_EQ(entry.priorities[0], 1);
    applyPriorityText(entry, 0, "-2147483648", sheet);
    EXPECT_EQ(entry.priorities[0], std::numeric_limits<std::int32_t>::max());
}

TEST_F(ThreeWayConflict, SharingZeroOrNegativeInASharedClassBecomesOne) {
    PriorityEntry& entry = verifiedEntry();
    applyRatioText(entry, 1, "0,5", sheet);
    EXPECT_EQ(entry.ratios[1], 0.5);
    EXPECT_EQ(entryText(entry), "[T1, 0.5T2, T3]");
    applyRatioText(entry, 1, "0", sheet);
    EXPECT_EQ(entry.ratios[1], 1.0);
    applyRatioText(entry, 1, "-3", sheet);
    EXPECT_EQ(entry.ratios[1], 1.0);
    applyRatioText(entry, 1, "lots", sheet);
    EXPECT_EQ(entry.ratios[1], 1.0);
}

TEST_F(ThreeWayConflict, SharingOfAClassOfOneStaysZero) {
    PriorityEntry& entry = verifiedEntry();
    applyPriorityText(entry, 2, "2", sheet);
    applyRatioText(entry, 2, "3", sheet);
    EXPECT_EQ(entry.ratios[2], 0.0);
}

TEST_F(ThreeWayConflict, EditsOutsideTheEntryAreIgnored) {
    PriorityEntry& entry = verifiedEntry();
    applyPriorityText(entry, 3, "5", sheet);
    applyRatioText(entry, 3, "5", sheet);
    EXPECT_EQ(entry.priorities, (Indices{1, 1, 1}));
    EXPECT_EQ(entry.ratios, (Ratios{1.0, 1.0, 1.0}));
}

TEST_F(ThreeWayConflict, DeletingArcsDropsTheElementThenTheEntry) {
    // Arcs back into the place keep T1 and T2 connected once their arcs from the place are gone.
    addArc(sheet, *sheet.findTransition(1), place);
    addArc(sheet, *sheet.findTransition(2), place);
    verifiedEntry();
    sheet.remove(*arcs[1]);
    PriorityEntry& entry = verifiedEntry();
    EXPECT_EQ(entry.transitionIndices, (Indices{1, 3}));
    EXPECT_EQ(entry.ratios, (Ratios{1.0, 1.0}));

    sheet.remove(*arcs[0]);
    std::vector<std::string> messages;
    ASSERT_TRUE(verify(sheet, messages));
    EXPECT_TRUE(sheet.priorities().empty());
    EXPECT_EQ(findEntry(sheet.priorities(), place), nullptr);
}

TEST_F(ThreeWayConflict, SettingsSurviveAnotherVerification) {
    PriorityEntry& entry = verifiedEntry();
    applyPriorityText(entry, 0, "3", sheet);
    applyRatioText(entry, 2, "2,5", sheet);
    PriorityEntry& again = verifiedEntry();
    EXPECT_EQ(again.priorities, (Indices{3, 1, 1}));
    EXPECT_EQ(again.ratios, (Ratios{0.0, 1.0, 2.5}));
    EXPECT_EQ(entryText(again), "[T2, 2.5T3] < T1");
}

TEST(NormalizeEntry, ElementsReadInTheOrderT5T2AreSorted) {
    NetSheet sheet;
    Place& p7 = continuousPlace(sheet, 7);
    addArc(sheet, p7, continuousTransition(sheet, 2));
    addArc(sheet, p7, continuousTransition(sheet, 5));
    PriorityEntry entry;
    entry.placeIndex = 7;
    entry.addElement(5, 3, 0.0);
    entry.addElement(2, 1, 0.0);

    ASSERT_TRUE(normalizeEntry(entry, sheet));
    EXPECT_EQ(entry.place, &p7);
    EXPECT_EQ(entry.transitionIndices, (Indices{2, 5}));
    EXPECT_EQ(entry.priorities, (Indices{1, 3}));
    EXPECT_EQ(entry.ratios, (Ratios{0.0, 0.0}));
}

TEST(NormalizeEntry, DiscreteTransitionsTakeNegativePriorities) {
    NetSheet sheet;
    Place& p = discretePlace(sheet, 1);
    addArc(sheet, p, discreteTransition(sheet, 1));
    addArc(sheet, p, discreteTransition(sheet, 2));
    PriorityEntry entry = createEntry(sheet, p);
    EXPECT_EQ(entry.priorities, (Indices{-1, -1}));
    EXPECT_EQ(entry.ratios, (Ratios{1.0, 1.0}));

    applyPriorityText(entry, 0, "5", sheet);
    EXPECT_EQ(entry.priorities[0], -5);
    EXPECT_EQ(entry.ratios, (Ratios{0.0, 0.0}));
    applyPriorityText(entry, 0, "0", sheet);
    EXPECT_EQ(entry.priorities[0], -1);
    applyPriorityText(entry, 0, "-3", sheet);
    applyPriorityText(entry, 0, "x1", sheet);
    EXPECT_EQ(entry.priorities[0], -1);
}

TEST(NormalizeEntry, MixedConflictGivesEachKindItsDefault) {
    NetSheet sheet;
    Place& p = continuousPlace(sheet, 1);
    addArc(sheet, p, continuousTransition(sheet, 4));
    addArc(sheet, p, discreteTransition(sheet, 2));
    PriorityEntry entry = createEntry(sheet, p);
    EXPECT_EQ(entry.placeIndex, 1);
    EXPECT_EQ(entry.transitionIndices, (Indices{2, 4}));
    EXPECT_EQ(entry.priorities, (Indices{-1, 1}));
    EXPECT_EQ(entry.ratios, (Ratios{0.0, 0.0}));
    EXPECT_EQ(entryText(entry), "T2 < T4");
}

TEST(NormalizeEntry, FailsForAMissingPlaceOrOneWithoutConflict) {
    NetSheet sheet;
    Place& p = continuousPlace(sheet, 1);
    addArc(sheet, p, continuousTransition(sheet, 1));
    addArc(sheet, continuousTransition(sheet, 2), p);
    PriorityEntry entry;
    entry.placeIndex = 1;
    EXPECT_FALSE(normalizeEntry(entry, sheet));
    entry.placeIndex = 2;
    EXPECT_FALSE(normalizeEntry(entry, sheet));
    EXPECT_EQ(entry.place, nullptr);
}

TEST(NormalizeEntry, DropsElementsThePlaceDoesNotFeed) {
    NetSheet sheet;
    Place& p = continuousPlace(sheet, 1);
    addArc(sheet, p, continuousTransition(sheet, 1));
    addArc(sheet, p, continuousTransition(sheet, 2));
    addArc(sheet, continuousTransition(sheet, 3), p);
    continuousTransition(sheet, 4);
    PriorityEntry entry;
    entry.placeIndex = 1;
    entry.addElement(9, 2, 0.0);
    entry.addElement(3, 2, 0.0);
    entry.addElement(4, 2, 0.0);
    entry.addElement(2, 2, 0.0);

    ASSERT_TRUE(normalizeEntry(entry, sheet));
    EXPECT_EQ(entry.transitionIndices, (Indices{1, 2}));
    EXPECT_EQ(entry.priorities, (Indices{1, 2}));
}

TEST(NormalizeEntry, RepeatedAndIncompleteElementsAreRepaired) {
    NetSheet sheet;
    Place& p = continuousPlace(sheet, 1);
    addArc(sheet, p, continuousTransition(sheet, 1));
    addArc(sheet, p, continuousTransition(sheet, 2));
    PriorityEntry entry;
    entry.placeIndex = 1;
    entry.addElement(2, 3, 0.0);
    entry.addElement(2, 4, 0.0);
    entry.transitionIndices.push_back(1);

    ASSERT_TRUE(normalizeEntry(entry, sheet));
    EXPECT_EQ(entry.transitionIndices, (Indices{1, 2}));
    EXPECT_EQ(entry.priorities, (Indices{1, 3}));
    EXPECT_EQ(entry.ratios, (Ratios{0.0, 0.0}));
}

TEST(FindEntry, ReturnsTheFirstEntryOfThePlace) {
    NetSheet sheet;
    Place& p1 = continuousPlace(sheet, 1);
    Place& p2 = continuousPlace(sheet, 2);
    PriorityTable table(3);
    table[0].place = &p2;
    table[1].place = &p1;
    table[1].placeIndex = 10;
    table[2].place = &p1;
    table[2].placeIndex = 20;
    ASSERT_NE(findEntry(table, p1), nullptr);
    EXPECT_EQ(findEntry(table, p1)->placeIndex, 10);
    table.erase(table.begin() + 1, table.end());
    EXPECT_EQ(findEntry(table, p1), nullptr);
    const PriorityTable& constTable = table;
    EXPECT_EQ(findEntry(constTable, p2), &table[0]);
}

TEST(ConflictPlaces, ListsPlacesWithSeveralOutputArcsInContainerOrder) {
    NetSheet sheet;
    Place& p4 = continuousPlace(sheet, 4);
    Place& p2 = discretePlace(sheet, 2);
    Place& p3 = continuousPlace(sheet, 3);
    Transition& t1 = continuousTransition(sheet, 1);
    Transition& t2 = continuousTransition(sheet, 2);
    for (Place* p : {&p4, &p2}) {
        addArc(sheet, *p, t1);
        addArc(sheet, *p, t2);
    }
    addArc(sheet, p3, t1);
    addArc(sheet, t2, p3);
    EXPECT_EQ(conflictPlaces(sheet), (std::vector<const Place*>{&p4, &p2}));
}

} // namespace
} // namespace tokarium
