// The plain values of the property dialogs and how they are written back to objects.
#include <gtest/gtest.h>
#include <memory>

#include "gui/editor/dialog_values.h"

namespace tokarium {
namespace {

class DialogValuesTest : public ::testing::Test {
protected:
    template <typename T>
    T& add(ObjectKind kind, std::int32_t index) {
        auto node = std::make_unique<T>(kind);
        node->setIndex(index);
        return static_cast<T&>(m_sheet.add(std::move(node)));
    }

    NetSheet m_sheet;
};

TEST_F(DialogValuesTest, UsedPlaceIndexLeavesThePlaceUntouched) {
    Place& place = add<Place>(ObjectKind::kDiscretePlace, 1);
    add<Place>(ObjectKind::kContinuousPlace, 2);
    place.setInitialMarking(3);
    const PlaceValues before = placeValues(place);
    PlaceValues edited = before;
    edited.node.index = 2;
    edited.node.name = "Stock";
    edited.node.format.back = 0x00FF00;
    edited.initialMarking = 9;
    EXPECT_FALSE(applyPlaceValues(m_sheet, place, edited));
    EXPECT_EQ(placeValues(place), before);

    edited.node.index = 3;
    ASSERT_TRUE(applyPlaceValues(m_sheet, place, edited));
    EXPECT_EQ(placeValues(place), edited);
    EXPECT_EQ(place.workingMarking(), 9.0);
    EXPECT_EQ(place.shownMarking(), 9.0);
}

TEST_F(DialogValuesTest, IndicesAreCheckedWithinTheTransitionFamilyOnly) {
    add<Place>(ObjectKind::kDiscretePlace, 2);
    add<Transition>(ObjectKind::kContinuousTransition, 4);
    Transition& transition = add<Transition>(ObjectKind::kDiscreteTransition, 1);
    transition.setShownValue(7);
    TransitionValues edited = transitionValues(transition);
    edited.node.index = 4;
    edited.ft = -1;
    EXPECT_FALSE(applyTransitionValues(m_sheet, transition, edited));
    EXPECT_EQ(transition.index(), 1);
    EXPECT_EQ(transition.ft(), 1.0);

    edited.node.index = 2;
    ASSERT_TRUE(applyTransitionValues(m_sheet, transition, edited));
    EXPECT_EQ(transition.index(), 2);
    EXPECT_EQ(transition.ft(), -1.0);
    EXPECT_EQ(transition.shownValue(), -1.0);
}

TEST_F(DialogValuesTest, OnlyAGeneralizedArcTakesTheWeightNeverBelowZero) {
    Arc ordinary(ObjectKind::kOrdinaryArc);
    ArcValues values = arcValues(ordinary);
    values.weight = 5;
    values.format.width = 4;
    applyArcValues(ordinary, values);
    EXPECT_EQ(ordinary.weight(), 1.0);
    EXPECT_EQ(ordinary.format().width, 4);

    Arc generalized(ObjectKind::kGeneralizedArc);
    values.weight = -2;
    applyArcValues(generalized, values);
    EXPECT_EQ(generalized.weight(), 0.0);
    values.weight = 2.5;
    applyArcValues(generalized, values);
    EXPECT_EQ(generalized.weight(), 2.5);
}

TEST_F(DialogValuesTest, LegendKeepsItsFontWhenNoFaceWasChosen) {
    Legend legend;
    legend.setFont(Font{"Courier", 12, kFontItalic});
    LegendValues values = legendValues(legend);
    values.text = "Two\nlines";
    values.font.reset();
    applyLegendValues(legend, values);
    EXPECT_EQ(legend.text(), "Two\nlines");
    EXPECT_EQ(legend.font(), (Font{"Courier", 12, kFontItalic}));
}

} // namespace
} // namespace tokarium
