// Place, transition, arc and legend dialogs driven through their widgets.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>

#include "dialog_support.h"
#include "gui/editor/arc_dialog.h"
#include "gui/editor/dialog_constants.h"
#include "gui/editor/dialog_object_properties.h"
#include "gui/editor/legend_dialog.h"
#include "gui/editor/place_dialog.h"
#include "gui/editor/sheet_view.h"
#include "gui/editor/transition_dialog.h"
#include "gui/model/legend.h"
#include "gui/model/net_document.h"

namespace tokarium::test {
namespace {

template <typename T>
T& addNode(NetSheet& sheet, ObjectKind kind, std::int32_t index) {
    auto node = std::make_unique<T>(kind);
    node->setIndex(index);
    node->setRect(Rect::centredOn({100 + 60 * index, 100}, 40, 40));
    return static_cast<T&>(sheet.add(std::move(node)));
}

Arc& addArc(NetSheet& sheet, ObjectKind kind, NetNode& from, NetNode& to) {
    auto& arc = static_cast<Arc&>(sheet.add(std::make_unique<Arc>(kind)));
    arc.link(from, to);
    arc.updateReferences();
    return arc;
}

class PlaceDialogTest : public ::testing::Test {
protected:
    NetSheet m_sheet;
    Place& m_first = addNode<Place>(m_sheet, ObjectKind::kDiscretePlace, 1);
    Place& m_second = addNode<Place>(m_sheet, ObjectKind::kContinuousPlace, 2);
    MessageRecorder m_messages;
};

TEST_F(PlaceDialogTest, ZeroPlusStoresMinusOneAndIsShownAgain) {
    m_first.setInitialMarking(3);
    {
        PlaceDialog dialog(nullptr, m_sheet, m_first, m_messages.messenger());
        showActive(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Place Discrete");
        typeInto(dialog.initialField(), "0+");
        clickOk(dialog.buttons());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(m_first.initialMarking(), -1.0);
    EXPECT_EQ(markingText(m_first.shownMarking()), "0+");
    PlaceDialog again(nullptr, m_sheet, m_first, m_messages.messenger());
    EXPECT_EQ(again.initialField()->text(), "0+");
    EXPECT_EQ(again.afterField()->text(), "0+");
    EXPECT_EQ(again.beforeField()->text(), "0+");
}

TEST_F(PlaceDialogTest, StoresTypedFieldsAndResetsTheWorkingMarking) {
    m_second.setWorkingMarking(7);
    m_second.setShownMarking(8);
    PlaceDialog dialog(nullptr, m_sheet, m_second, m_messages.messenger());
    showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Place Continuous");
    EXPECT_EQ(dialog.beforeField()->text(), "7");
    EXPECT_EQ(dialog.afterField()->text(), "8");
    EXPECT_TRUE(dialog.beforeField()->isReadOnly());
    typeInto(dialog.initialField(), "1,5");
    typeInto(dialog.nameField(), "Buffer");
    QTest::mouseClick(dialog.fillPicker()->swatch(13), Qt::LeftButton);
    dialog.widthBox()->setCurrentIndex(0);
    clickOk(dialog.buttons());
    EXPECT_EQ(m_second.initialMarking(), 1.5);
    EXPECT_EQ(m_second.workingMarking(), 1.5);
    EXPECT_EQ(m_second.shownMarking(), 1.5);
    EXPECT_EQ(m_second.name(), "Buffer");
    EXPECT_EQ(m_second.format().back, 0xFF0000);
    EXPECT_EQ(m_second.format().width, 0);
    saveScreenshot(dialog, "place_dialog");
}

TEST_F(PlaceDialogTest, UsedIndexKeepsTheDialogOpenUntilAFreeOneIsTyped) {
    PlaceDialog dialog(nullptr, m_sheet, m_first, m_messages.messenger());
    showActive(dialog);
    typeInto(dialog.indexField(), "2");
    typeInto(dialog.nameField(), "Stock");
    clickOk(dialog.buttons());
    EXPECT_EQ(m_messages.messages, QStringList{"A place with the same index already exists."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(m_first.index(), 1);
    EXPECT_EQ(m_first.name(), "");

    typeInto(dialog.indexField(), "5");
    clickOk(dialog.buttons());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_first.index(), 5);
    EXPECT_EQ(m_first.name(), "Stock");
    EXPECT_EQ(m_messages.messages.size(), 1);
}

TEST_F(PlaceDialogTest, IndexBelowOneOrNotANumberBecomesOne) {
    for (const char* typed : {"0", "-3", "abc", ""}) {
        m_first.setIndex(4);
        PlaceDialog dialog(nullptr, m_sheet, m_first, m_messages.messenger());
        showActive(dialog);
        typeInto(dialog.indexField(), typed);
        clickOk(dialog.buttons());
        EXPECT_EQ(dialog.indexField()->text(), "1") << typed;
        EXPECT_EQ(m_first.index(), 1) << typed;
    }
    EXPECT_TRUE(m_messages.messages.isEmpty());
}

TEST_F(PlaceDialogTest, CancelLeavesThePlaceUnchanged) {
    m_first.setInitialMarking(2);
    PlaceDialog dialog(nullptr, m_sheet, m_first, m_messages.messenger());
    showActive(dialog);
    typeInto(dialog.initialField(), "9");
    typeInto(dialog.indexField(), "2");
    clickOk(dialog.buttons());
    clickCancel(dialog.buttons());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_first.initialMarking(), 2.0);
    EXPECT_EQ(m_first.index(), 1);
}

class TransitionDialogTest : public ::testing::Test {
protected:
    NetSheet m_sheet;
    Transition& m_discrete = addNode<Transition>(m_sheet, ObjectKind::kDiscreteTransition, 1);
    Transition& m_continuous = addNode<Transition>(m_sheet, ObjectKind::kContinuousTransition, 2);
    MessageRecorder m_messages;
};

TEST_F(TransitionDialogTest, InfInAnyLetterCaseStoresAnInfiniteValue) {
    {
        TransitionDialog dialog(nullptr, m_sheet, m_discrete, m_messages.messenger());
        showActive(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Transition Constant Duration");
        EXPECT_TRUE(dialog.durationField()->isEnabled());
        EXPECT_FALSE(dialog.speedField()->isEnabled());
        typeInto(dialog.durationField(), "INF");
        clickOk(dialog.buttons());
        saveScreenshot(dialog, "transition_dialog");
    }
    EXPECT_EQ(m_discrete.ft(), -1.0);
    {
        TransitionDialog dialog(nullptr, m_sheet, m_continuous, m_messages.messenger());
        showActive(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Transition Constant Maximal Speed");
        EXPECT_FALSE(dialog.durationField()->isEnabled());
        EXPECT_TRUE(dialog.speedField()->isEnabled());
        typeInto(dialog.speedField(), "inf");
        clickOk(dialog.buttons());
    }
    EXPECT_EQ(m_continuous.ft(), -1.0);
    TransitionDialog reopened(nullptr, m_sheet, m_discrete, m_messages.messenger());
    EXPECT_EQ(reopened.durationField()->text(), "inf");
    EXPECT_EQ(reopened.instantaneousField()->text(), "inf");
}

TEST_F(TransitionDialogTest, ValueIsReadAsARealAndTheShownSpeedIsNotRead) {
    m_continuous.setShownValue(0.25);
    TransitionDialog dialog(nullptr, m_sheet, m_continuous, m_messages.messenger());
    showActive(dialog);
    EXPECT_EQ(dialog.instantaneousField()->text(), "0.25");
    EXPECT_TRUE(dialog.instantaneousField()->isReadOnly());
    typeInto(dialog.speedField(), "2,5");
    clickOk(dialog.buttons());
    EXPECT_EQ(m_continuous.ft(), 2.5);
    EXPECT_EQ(m_continuous.shownValue(), 2.5);
}

TEST_F(TransitionDialogTest, UsedIndexShowsTheTransitionMessage) {
    TransitionDialog dialog(nullptr, m_sheet, m_continuous, m_messages.messenger());
    showActive(dialog);
    typeInto(dialog.indexField(), "1");
    clickOk(dialog.buttons());
    EXPECT_EQ(m_messages.messages, QStringList{"A transition with the same index already exists"});
    EXPECT_TRUE(dialog.isVisible());
    typeInto(dialog.indexField(), "3");
    clickOk(dialog.buttons());
    EXPECT_EQ(m_continuous.index(), 3);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TransitionDialogTest, ValueFieldsTakeOnlyTheirAllowedFormAndSayWhichItIs) {
    NetSheet sheet;
    Place& discrete = addNode<Place>(sheet, ObjectKind::kDiscretePlace, 1);
    Place& continuous = addNode<Place>(sheet, ObjectKind::kContinuousPlace, 2);
    Transition& timed = addNode<Transition>(sheet, ObjectKind::kDiscreteTransition, 1);
    discrete.setInitialMarking(3);
    continuous.setInitialMarking(3);
    timed.setFt(3);
    const QString wholeMarking = "a whole number of 0 or more, or 0+";
    const QString realMarking = "a number of 0 or more, or 0+";
    const QString value = "a number of 0 or more, or inf";
    const struct {
        NetObject* object;
        const char* typed;
        const char* shown;  // what the field holds after typing
        double stored;      // the value after OK; unchanged (3) when OK is refused
        QString refusal;    // the allowed form told on OK, or empty
    } cases[] = {
        {&discrete, "2.7", "2.7", 3, wholeMarking},  {&discrete, "-2", "2", 2, {}},
        {&discrete, "two", "", 3, wholeMarking},     {&discrete, "0+", "0+", -1, {}},
        {&continuous, "2,5", "2,5", 2.5, {}},        {&continuous, "-1", "1", 1, {}},
        {&continuous, ".", ".", 3, realMarking},   {&continuous, "inf", "", 3, realMarking},
        {&timed, "-4", "4", 4, {}},                  {&timed, "Inf", "Inf", -1, {}},
        {&timed, "soon", "", 3, value},              {&timed, "0", "0", 0, {}},
    };
    for (const auto& c : cases) {
        discrete.setInitialMarking(3);
        continuous.setInitialMarking(3);
        timed.setFt(3);
        MessageRecorder recorder;
        std::unique_ptr<NodeDialog> dialog;
        if (auto* place = dynamic_cast<Place*>(c.object))
            dialog = std::make_unique<PlaceDialog>(nullptr, sheet, *place, recorder.messenger());
        else
            dialog = std::make_unique<TransitionDialog>(nullptr, sheet, timed, recorder.messenger());
        showActive(*dialog);
        QLineEdit* field = dynamic_cast<PlaceDialog*>(dialog.get())
                               ? static_cast<PlaceDialog*>(dialog.get())->initialField()
                               : static_cast<TransitionDialog*>(dialog.get())->valueField();
        typeInto(field, c.typed);
        EXPECT_EQ(field->text(), c.shown) << c.typed;
        clickOk(dialog->buttons());
        const double stored = dynamic_cast<Place*>(c.object) ? static_cast<Place*>(c.object)->initialMarking()
                                                            : timed.ft();
        EXPECT_EQ(stored, c.stored) << c.typed;
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(recorder.messages.isEmpty()) << c.typed;
        } else {
            EXPECT_EQ(recorder.messages, QStringList{"The value must be " + c.refusal + "."}) << c.typed;
            EXPECT_TRUE(dialog->isVisible()) << c.typed;
            // The allowed form stands under the field.
            const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
            EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                                    [&](const QLabel* label) { return label->text() == c.refusal; }))
                << c.typed;
        }
    }
}

class ArcDialogTest : public ::testing::Test {
protected:
    NetSheet m_sheet;
    Place& m_place = addNode<Place>(m_sheet, ObjectKind::kDiscretePlace, 1);
    Transition& m_transition = addNode<Transition>(m_sheet, ObjectKind::kDiscreteTransition, 1);
};

TEST_F(ArcDialogTest, OrdinaryArcHasItsWeightFieldDisabled) {
    Arc& arc = addArc(m_sheet, ObjectKind::kOrdinaryArc, m_place, m_transition);
    ArcDialog dialog(nullptr, arc);
    showActive(dialog);
    EXPECT_FALSE(dialog.weightField()->isEnabled());
    EXPECT_EQ(dialog.typeBox()->currentText(), "Ordinary");
    EXPECT_EQ(dialog.linePicker()->transparentAction(), nullptr);
    QTest::mouseClick(dialog.linePicker()->swatch(16), Qt::LeftButton);
    dialog.widthBox()->setCurrentIndex(3);
    clickOk(dialog.buttons());
    EXPECT_EQ(arc.weight(), 1.0);
    EXPECT_EQ(arc.format().line, 0x0000FF);
    EXPECT_EQ(arc.format().width, 3);
}

TEST_F(ArcDialogTest, GeneralizedArcTakesOnlyAWeightAboveZero) {
    Arc& arc = addArc(m_sheet, ObjectKind::kGeneralizedArc, m_transition, m_place);
    arc.setWeight(3);
    MessageRecorder recorder;
    ArcDialog dialog(nullptr, arc, recorder.messenger());
    showActive(dialog);
    EXPECT_EQ(dialog.typeBox()->currentText(), "Generalized");
    EXPECT_EQ(dialog.weightField()->text(), "3");
    typeInto(dialog.weightField(), "-2");
    EXPECT_EQ(dialog.weightField()->text(), "2");
    typeInto(dialog.weightField(), "0");
    clickOk(dialog.buttons());
    EXPECT_EQ(recorder.messages, QStringList{"The value must be a number greater than 0."});
    EXPECT_EQ(arc.weight(), 3.0);
    typeInto(dialog.weightField(), "2,5");
    clickOk(dialog.buttons());
    EXPECT_EQ(arc.weight(), 2.5);
    saveScreenshot(dialog, "arc_dialog");
}

TEST(ColourPickerTest, PaletteTransparentAndOtherColours) {
    ColourPicker picker(0x123456, true);
    EXPECT_EQ(picker.colour(), 0x123456);
    EXPECT_EQ(picker.toolTip(), "0x123456");
    ASSERT_NE(picker.transparentAction(), nullptr);
    EXPECT_EQ(picker.othersAction()->text(), "Others...");
    QList<Colour> picked;
    QObject::connect(&picker, &ColourPicker::colourPicked, [&](Colour colour) { picked.append(colour); });
    for (int i : {0, 7, 21, 39}) {
        QTest::mouseClick(picker.swatch(i), Qt::LeftButton);
        EXPECT_EQ(picker.colour(), kPaletteColours[static_cast<std::size_t>(i)]);
    }
    picker.transparentAction()->trigger();
    EXPECT_EQ(picker.colour(), kNoColour);
    EXPECT_EQ(picked, (QList<Colour>{0x000000, 0x333333, 0xFF6633, 0xFFFFFF, kNoColour}));
    EXPECT_EQ(picker.transparentAction()->text(), "Transparent");

    picker.dropDown()->popup(QPoint(0, 0));
    saveScreenshot(*picker.dropDown(), "colour_palette");
    picker.dropDown()->close();
}

TEST(ColourPickerTest, OthersTakesAnyColourFromThePlatformChooser) {
    ColourPicker picker(kBlack, false);
    EXPECT_EQ(picker.transparentAction(), nullptr);
    whenModalShows([](QDialog& dialog) {
        auto* chooser = qobject_cast<QColorDialog*>(&dialog);
        ASSERT_NE(chooser, nullptr);
        chooser->setCurrentColor(QColor(0x12, 0x34, 0x56));
        chooser->accept();
    });
    picker.othersAction()->trigger();
    EXPECT_EQ(picker.colour(), 0x563412);
}

TEST(LineWidthBoxTest, OffersFineAndOneToNineAndKeepsAnOddWidth) {
    LineWidthBox box(12);
    EXPECT_EQ(box.count(), kLineWidthCount + 1);
    EXPECT_EQ(box.itemText(0), "(fine)");
    EXPECT_EQ(box.width(), 12);
    box.setCurrentIndex(9);
    EXPECT_EQ(box.width(), 9);
    LineWidthBox fine(0);
    EXPECT_EQ(fine.count(), kLineWidthCount);
    EXPECT_EQ(fine.currentText(), "(fine)");
}

TEST(FontPickerTest, StyleValuesAndUnderlineAddFour) {
    FontPicker picker(Font{"Arial", 14, kFontBold | kFontUnderline});
    EXPECT_EQ(picker.title(), "Font");
    EXPECT_EQ(picker.faceBox()->currentText(), "Arial");
    EXPECT_EQ(picker.sizeBox()->currentData().toInt(), 14);
    EXPECT_TRUE(picker.underlineBox()->isChecked());
    ASSERT_TRUE(picker.font().has_value());
    EXPECT_EQ(*picker.font(), (Font{"Arial", 14, 5}));

    const int italic = picker.styleBox()->findText("Italic");
    if (italic >= 0) {
        picker.styleBox()->setCurrentIndex(italic);
        EXPECT_EQ(picker.font()->style, kFontItalic | kFontUnderline);
    }
    picker.underlineBox()->setChecked(false);
    picker.styleBox()->setCurrentIndex(picker.styleBox()->findText("Normal"));
    EXPECT_EQ(picker.font()->style, 0);

    picker.faceBox()->setCurrentIndex(-1);
    EXPECT_FALSE(picker.font().has_value());
}

TEST(FontPickerTest, ScalableFacesOfferTheUsualSizes) {
    FontPicker picker(Font{"A face nobody has", 10, 0});
    QList<int> sizes;
    for (int i = 0; i < picker.sizeBox()->count(); ++i)
        sizes.append(picker.sizeBox()->itemData(i).toInt());
    EXPECT_EQ(sizes, (QList<int>{6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48}));
    EXPECT_EQ(picker.styleBox()->count(), 3);
}

TEST(LegendDialogTest, OpensWithTheTextSelectedAndStoresEveryField) {
    Legend legend;
    legend.setText("Line one\nLine two");
    LegendDialog dialog(nullptr, legend);
    showActive(dialog);
    EXPECT_EQ(dialog.focusWidget(), dialog.textField());
    EXPECT_EQ(dialog.textField()->textCursor().selectedText().size(), 17);
    ASSERT_NE(dialog.fillPicker()->transparentAction(), nullptr);
    ASSERT_NE(dialog.borderPicker()->transparentAction(), nullptr);
    EXPECT_EQ(dialog.textPicker()->transparentAction(), nullptr);
    EXPECT_EQ(dialog.frameBox()->count(), kFrameShapeCount);

    QTest::keyClicks(dialog.textField(), "New");
    QTest::keyClick(dialog.textField(), Qt::Key_Return);
    QTest::keyClicks(dialog.textField(), "text");
    QTest::mouseClick(dialog.borderPicker()->swatch(5), Qt::LeftButton);
    dialog.fillPicker()->transparentAction()->trigger();
    dialog.frameBox()->setCurrentIndex(3);
    dialog.fontPicker()->underlineBox()->setChecked(true);
    saveScreenshot(dialog, "legend_dialog");
    clickOk(dialog.buttons());
    EXPECT_EQ(legend.text(), "New\ntext");
    EXPECT_EQ(legend.format().back, kNoColour);
    EXPECT_EQ(legend.format().line, 0x800000);
    EXPECT_EQ(legend.format().style, 3);
    EXPECT_EQ(legend.font().style & kFontUnderline, kFontUnderline);
}

// The property dialogs installed in a real view, opened by double-clicks.
class InstalledDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_document.newDocument();
        m_session.propertiesEditor = &m_dialogs;
        m_view = std::make_unique<SheetView>(m_document, m_document.sheet(0), m_session);
        m_view->resize(800, 600);
        showActive(*m_view);
    }
    void doubleClick(const NetObject& object) {
        const Point centre = object.rect().centre();
        const QPoint at = m_view->toWindow(QPoint(centre.x, centre.y));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, at);
    }

    NetDocument m_document;
    EditorSession m_session;
    MessageRecorder m_messages;
    PropertyDialogs m_dialogs{m_messages.messenger()};
    std::unique_ptr<SheetView> m_view;
};

TEST_F(InstalledDialogsTest, LegendWhoseTextIsClearedDisappears) {
    NetSheet& sheet = m_document.sheet(0);
    auto legend = std::make_unique<Legend>();
    legend->setText("Note");
    legend->setRect({100, 100, 280, 160});
    sheet.add(std::move(legend));
    bool shown = false;
    whenModalShows([&](QDialog& dialog) {
        auto* legendDialog = qobject_cast<LegendDialog*>(&dialog);
        ASSERT_NE(legendDialog, nullptr);
        shown = true;
        legendDialog->textField()->clear();
        clickOk(legendDialog->buttons());
    });
    doubleClick(sheet.at(0));
    EXPECT_TRUE(shown);
    EXPECT_EQ(sheet.count(maskOf(ObjectKind::kLegend)), 0u);
}

TEST_F(InstalledDialogsTest, PlaceDialogOpensOnDoubleClickAndCancelChangesNothing) {
    NetSheet& sheet = m_document.sheet(0);
    Place& place = addNode<Place>(sheet, ObjectKind::kDiscretePlace, 1);
    place.setInitialMarking(4);
    whenModalShows([&](QDialog& dialog) {
        auto* placeDialog = qobject_cast<PlaceDialog*>(&dialog);
        ASSERT_NE(placeDialog, nullptr);
        typeInto(placeDialog->initialField(), "8");
        clickCancel(placeDialog->buttons());
    });
    doubleClick(place);
    EXPECT_EQ(place.initialMarking(), 4.0);
    // "Properties..." on the selected place, cancelled, leaves the document unmodified.
    m_document.setModified(false);
    whenModalShows([&](QDialog& dialog) { clickCancel(static_cast<PlaceDialog&>(dialog).buttons()); });
    m_view->properties();
    EXPECT_FALSE(m_document.isModified());
    whenModalShows([&](QDialog& dialog) {
        auto* placeDialog = qobject_cast<PlaceDialog*>(&dialog);
        ASSERT_NE(placeDialog, nullptr);
        typeInto(placeDialog->initialField(), "8");
        clickOk(placeDialog->buttons());
    });
    doubleClick(place);
    EXPECT_EQ(place.initialMarking(), 8.0);
    EXPECT_TRUE(m_document.isModified());
}

} // namespace
} // namespace tokarium::test
