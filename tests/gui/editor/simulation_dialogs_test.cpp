// The "Messages", "Conflicts Resolution" and "Stop Conditions" dialogs.
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "dialog_support.h"
#include "gui/check/entry_text.h"
#include "gui/check/priority_rules.h"
#include "gui/check/verify.h"
#include "gui/editor/conflicts_dialog.h"
#include "gui/editor/messages_dialog.h"
#include "gui/editor/stop_conditions_dialog.h"

namespace tokarium::test {
namespace {

TEST(MessagesDialogTest, ListsTheMessagesAndCloses) {
    NetSheet empty;
    std::vector<std::string> messages;
    ASSERT_FALSE(verify(empty, messages));
    MessagesDialog dialog(nullptr, messages);
    showActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Messages");
    ASSERT_EQ(dialog.messageList()->count(), 2);
    EXPECT_EQ(dialog.messageList()->item(0)->text(), "No defined place.");
    EXPECT_EQ(dialog.messageList()->item(1)->text(), "No defined transition.");
    EXPECT_EQ(dialog.closeButton()->text(), "Close");
    saveScreenshot(dialog, "messages_dialog");
    QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(MessagesDialogTest, ShowMessagesReturnsWhenClosed) {
    bool shown = false;
    whenModalShows([&](QDialog& dialog) {
        auto* messages = qobject_cast<MessagesDialog*>(&dialog);
        ASSERT_NE(messages, nullptr);
        shown = messages->messageList()->count() == 1;
        QTest::mouseClick(messages->closeButton(), Qt::LeftButton);
    });
    showMessages(nullptr, {"Place P4 without input and output arc."});
    EXPECT_TRUE(shown);
}

// A continuous place P1 feeding T1, T2, T3 and a discrete place P2 feeding T4 and T5, verified.
class ConflictsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Place& p1 = addPlace(ObjectKind::kContinuousPlace, 1);
        Place& p2 = addPlace(ObjectKind::kDiscretePlace, 2);
        for (int t = 1; t <= 3; ++t)
            link(p1, addTransition(ObjectKind::kContinuousTransition, t));
        for (int t = 4; t <= 5; ++t)
            link(p2, addTransition(ObjectKind::kDiscreteTransition, t));
        std::vector<std::string> messages;
        ASSERT_TRUE(verify(m_sheet, messages));
        m_dialog = std::make_unique<ConflictsDialog>(nullptr, m_sheet);
        showActive(*m_dialog);
    }
    Place& addPlace(ObjectKind kind, std::int32_t index) {
        auto place = std::make_unique<Place>(kind);
        place->setIndex(index);
        return static_cast<Place&>(m_sheet.add(std::move(place)));
    }
    Transition& addTransition(ObjectKind kind, std::int32_t index) {
        auto transition = std::make_unique<Transition>(kind);
        transition->setIndex(index);
        return static_cast<Transition&>(m_sheet.add(std::move(transition)));
    }
    void link(NetNode& from, NetNode& to) {
        auto& arc = static_cast<Arc&>(m_sheet.add(std::make_unique<Arc>(ObjectKind::kOrdinaryArc)));
        arc.link(from, to);
        arc.updateReferences();
    }
    QStringList rowTexts(QListWidget* list, int row) { return list->item(row)->data(Qt::UserRole).toStringList(); }
    const PriorityEntry& entry() { return *m_dialog->currentEntry(); }
    // Selects the transition row and types the priority, then leaves the field.
    void typePriority(int row, const QString& text) {
        m_dialog->transitionList()->setCurrentRow(row);
        typeInto(m_dialog->priorityField(), text, m_dialog->transitionList());
    }

    NetSheet m_sheet;
    std::unique_ptr<ConflictsDialog> m_dialog;
};

TEST_F(ConflictsDialogTest, RowsNameNodesByNumberAndTypedName) {
    m_sheet.findPlace(2)->setName("Buffer");
    m_sheet.findTransition(5)->setName("Drain");
    ConflictsDialog named(nullptr, m_sheet);
    named.placeList()->setCurrentRow(1);
    EXPECT_EQ(rowTexts(named.placeList(), 0), (QStringList{"P1", "[T1, T2, T3]"}));
    EXPECT_EQ(rowTexts(named.placeList(), 1), (QStringList{"P2 Buffer", "[T4, T5]"}));
    ASSERT_EQ(named.transitionList()->count(), 2);
    EXPECT_EQ(rowTexts(named.transitionList(), 0).value(0), "T4");
    EXPECT_EQ(rowTexts(named.transitionList(), 1).value(0), "T5 Drain");
}

TEST_F(ConflictsDialogTest, OpensOnTheFirstPlaceWithNoTransitionSelected) {
    EXPECT_EQ(m_dialog->windowTitle(), "Conflicts Resolution");
    ASSERT_EQ(m_dialog->placeList()->count(), 2);
    EXPECT_EQ(m_dialog->placeList()->currentRow(), 0);
    EXPECT_EQ(rowTexts(m_dialog->placeList(), 0), (QStringList{"P1", "[T1, T2, T3]"}));
    EXPECT_EQ(rowTexts(m_dialog->placeList(), 1), (QStringList{"P2", "[T4, T5]"}));
    ASSERT_EQ(m_dialog->transitionList()->count(), 3);
    EXPECT_TRUE(m_dialog->transitionList()->isEnabled());
    EXPECT_EQ(rowTexts(m_dialog->transitionList(), 0), (QStringList{"T1", "1", "1"}));
    EXPECT_FALSE(m_dialog->priorityField()->isEnabled());
    EXPECT_FALSE(m_dialog->sharingField()->isEnabled());

    m_dialog->transitionList()->setCurrentRow(1);
    EXPECT_EQ(m_dialog->transitionField()->text(), "2");
    EXPECT_TRUE(m_dialog->transitionField()->isReadOnly());
    EXPECT_EQ(m_dialog->priorityField()->text(), "1");
    EXPECT_EQ(m_dialog->sharingField()->text(), "1");
    EXPECT_TRUE(m_dialog->sharingField()->isEnabled());
    saveScreenshot(*m_dialog, "conflicts_dialog");
}

TEST_F(ConflictsDialogTest, PriorityTwoForT3LeavesTheOthersSharing) {
    typePriority(2, "2");
    EXPECT_EQ(entry().priorities, (std::vector<std::int32_t>{1, 1, 2}));
    EXPECT_EQ(entry().ratios, (std::vector<double>{1.0, 1.0, 0.0}));
    EXPECT_EQ(entryText(entry()), "[T1, T2] < T3");
    EXPECT_TRUE(m_dialog->sharingField()->text().isEmpty());
    EXPECT_FALSE(m_dialog->sharingField()->isEnabled());
    EXPECT_EQ(rowTexts(m_dialog->placeList(), 0), (QStringList{"P1", "[T1, T2] < T3"}));
    EXPECT_EQ(rowTexts(m_dialog->transitionList(), 2), (QStringList{"T3", "2", ""}));
}

TEST_F(ConflictsDialogTest, PrioritiesTakeTheSignOfTheTransitionsKind) {
    typePriority(0, "-4");
    EXPECT_EQ(entry().priorities[0], 4);
    typePriority(1, "0");
    EXPECT_EQ(entry().priorities[1], 1);
    typePriority(2, "high");
    EXPECT_EQ(entry().priorities[2], 1);

    m_dialog->placeList()->setCurrentRow(1);
    typePriority(0, "5");
    EXPECT_EQ(entry().priorities[0], -5);
    typePriority(1, "x");
    EXPECT_EQ(entry().priorities[1], -1);
    EXPECT_EQ(entryText(entry()), "T5 < T4");
}

TEST_F(ConflictsDialogTest, SharingZeroInASharedClassBecomesOne) {
    m_dialog->transitionList()->setCurrentRow(0);
    typeInto(m_dialog->sharingField(), "2,5", m_dialog->transitionList());
    EXPECT_EQ(entry().ratios[0], 2.5);
    EXPECT_EQ(rowTexts(m_dialog->placeList(), 0), (QStringList{"P1", "[2.5T1, T2, T3]"}));
    typeInto(m_dialog->sharingField(), "0", m_dialog->transitionList());
    EXPECT_EQ(entry().ratios[0], 1.0);
    EXPECT_EQ(m_dialog->sharingField()->text(), "0");
    typeInto(m_dialog->sharingField(), "-3", m_dialog->transitionList());
    EXPECT_EQ(entry().ratios[0], 1.0);
}

TEST_F(ConflictsDialogTest, ClosingWithTheFocusInAFieldStoresIt) {
    m_dialog->transitionList()->setCurrentRow(0);
    typeInto(m_dialog->priorityField(), "3");
    m_dialog->reject();
    EXPECT_EQ(entry().priorities[0], 3);
}

TEST_F(ConflictsDialogTest, SelectingAnotherPlaceRefillsTheTransitions) {
    m_dialog->transitionList()->setCurrentRow(0);
    m_dialog->placeList()->setCurrentRow(1);
    ASSERT_EQ(m_dialog->transitionList()->count(), 2);
    EXPECT_EQ(m_dialog->transitionList()->currentRow(), -1);
    EXPECT_EQ(rowTexts(m_dialog->transitionList(), 1), (QStringList{"T5", "-1", "1"}));
    EXPECT_TRUE(m_dialog->priorityField()->text().isEmpty());
}

TEST(ConflictRowsTest, TextsAreShortenedWithThreeDotsToFitTheirColumn) {
    const QFontMetrics metrics(QFont("Sans", 10));
    const QString text = "[T1, T2, T3, T4, T5, T6] < T7";
    const int full = metrics.horizontalAdvance(text);
    EXPECT_EQ(shortenedText(text, metrics, full), text);
    const QString cut = shortenedText(text, metrics, full / 2);
    EXPECT_TRUE(cut.endsWith("..."));
    EXPECT_TRUE(text.startsWith(cut.chopped(3)));
    EXPECT_LE(metrics.horizontalAdvance(cut), full / 2);
    EXPECT_GT(metrics.horizontalAdvance(cut.chopped(3) + text.at(cut.size() - 3) + "..."), full / 2);
    EXPECT_EQ(shortenedText(text, metrics, 0), "...");
}

TEST(ConflictRowsTest, ColumnsArePercentagesOfTheNarrowedRow) {
    QObject owner;
    const ColumnRowDelegate places({0, 20, 100}, &owner);
    const std::vector<QRect> placeColumns = places.columnRects(QRect(10, 5, 204, 16));
    ASSERT_EQ(placeColumns.size(), 2u);
    EXPECT_EQ(placeColumns[0], QRect(12, 5, 40, 16));
    EXPECT_EQ(placeColumns[1], QRect(52, 5, 160, 16));
    const ColumnRowDelegate transitions({0, 36, 72, 100}, &owner);
    const std::vector<QRect> transitionColumns = transitions.columnRects(QRect(0, 0, 104, 16));
    ASSERT_EQ(transitionColumns.size(), 3u);
    EXPECT_EQ(transitionColumns[1].left(), 38);
    EXPECT_EQ(transitionColumns[2].left(), 74);
    EXPECT_EQ(transitionColumns[2].right(), 101);
}

TEST_F(ConflictsDialogTest, NarrowRowsShortenTheirTextsWithThreeDots) {
    const auto* delegate = dynamic_cast<ColumnRowDelegate*>(m_dialog->placeList()->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    typePriority(2, "2");
    const QStringList texts = rowTexts(m_dialog->placeList(), 0);
    const QFontMetrics metrics(m_dialog->placeList()->font());
    const int wide = 4 * (metrics.horizontalAdvance(texts[0]) + metrics.horizontalAdvance(texts[1]));
    const auto full = delegate->layoutRow(QRect(0, 0, wide, 16), texts, metrics);
    ASSERT_EQ(full.size(), 2u);
    EXPECT_EQ(full[0].second, "P1");
    EXPECT_EQ(full[1].second, "[T1, T2] < T3");

    const int narrow = metrics.horizontalAdvance("P1") * 5 + 2 * 2;
    const auto cut = delegate->layoutRow(QRect(0, 0, narrow, 16), texts, metrics);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].second, "P1");
    EXPECT_TRUE(cut[1].second.endsWith("...")) << cut[1].second.toStdString();
    EXPECT_TRUE(texts[1].startsWith(cut[1].second.chopped(3)));
    EXPECT_LE(metrics.horizontalAdvance(cut[1].second), cut[1].first.width());

    const auto* transitions = dynamic_cast<ColumnRowDelegate*>(m_dialog->transitionList()->itemDelegate());
    ASSERT_NE(transitions, nullptr);
    const auto row = transitions->layoutRow(QRect(0, 0, 400, 16), rowTexts(m_dialog->transitionList(), 2), metrics);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[1].second, "2");
    EXPECT_TRUE(row[2].second.isEmpty());
}

TEST(StopConditionsDialogTest, ShowsTheDurationAndStoresTheTypedReal) {
    NetSheet sheet;
    {
        StopConditionsDialog dialog(nullptr, sheet);
        showActive(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Stop Conditions");
        EXPECT_EQ(dialog.durationField()->text(), "100");
        saveScreenshot(dialog, "stop_conditions_dialog");
        typeInto(dialog.durationField(), "2,5");
        clickOk(dialog.buttons());
    }
    EXPECT_EQ(sheet.duration(), 2.5);
    {
        StopConditionsDialog dialog(nullptr, sheet);
        showActive(dialog);
        EXPECT_EQ(dialog.durationField()->text(), "2.5");
        typeInto(dialog.durationField(), "7");
        clickCancel(dialog.buttons());
    }
    EXPECT_EQ(sheet.duration(), 2.5);
    // Letters cannot be typed; OK on the empty field names the allowed form and changes nothing.
    MessageRecorder recorder;
    StopConditionsDialog dialog(nullptr, sheet, recorder.messenger());
    showActive(dialog);
    typeInto(dialog.durationField(), "soon");
    EXPECT_EQ(dialog.durationField()->text(), "");
    clickOk(dialog.buttons());
    EXPECT_EQ(recorder.messages, QStringList{"The value must be a number."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(sheet.duration(), 2.5);
}

} // namespace
} // namespace tokarium::test
