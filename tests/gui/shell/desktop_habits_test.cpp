// The main window's desktop habits: title marker, status bar, icons and tool tips.
#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>

#include "gui/editor/sheet_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell_icons.h"
#include "gui/shell/status_line.h"
#include "tests/gui/shell/shell_test_support.h"

using namespace tokarium;
using tokarium::test::RecordingPrompt;
using tokarium::test::TempFolder;

namespace {

bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() > 0)
                return true;
    return false;
}

class DesktopHabitsTest : public ::testing::Test {
protected:
    DesktopHabitsTest() : window(QString::fromStdString(folder.path().string())) {
        window.setUserPrompt(&prompt);
        test::writeDocumentFile(path, "Feeder");
        EXPECT_TRUE(window.openFile(path));
        window.refreshNow();
    }

    SheetView& view() { return *window.activeView(); }

    TempFolder folder;
    RecordingPrompt prompt;
    MainWindow window;
    std::string path = folder.file("feeder.pn");
};

} // namespace

TEST_F(DesktopHabitsTest, TitleShowsTheDocumentAndMarksUnsavedChangesUntilSaved) {
    EXPECT_EQ(window.windowTitle(), "feeder.pn[*] - Tokarium");
    EXPECT_FALSE(window.isWindowModified());

    view().selectAll();
    view().deleteSelection();
    window.refreshNow();
    EXPECT_TRUE(window.isWindowModified());

    ASSERT_TRUE(window.saveActive());
    window.refreshNow();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(window.windowTitle(), "feeder.pn[*] - Tokarium");

    ASSERT_TRUE(window.closeActiveDocument());
    window.refreshNow();
    EXPECT_EQ(window.windowTitle(), "Tokarium");
    EXPECT_FALSE(window.isWindowModified());
}

TEST_F(DesktopHabitsTest, StatusBarShowsToolPointerZoomAndNetKind) {
    const StatusLine& status = window.statusLine();
    EXPECT_EQ(status.tool(), "Select");
    EXPECT_EQ(status.zoom(), "100%");
    // The document's net holds one continuous place.
    EXPECT_EQ(status.netKind(), "Continuous net");
    EXPECT_EQ(status.clock(), "");

    window.commands().continuousTransition->trigger();
    window.refreshNow();
    EXPECT_EQ(status.tool(), "Transition: Constant Maximal Speed");
    window.commands().generalizedArc->trigger();
    window.refreshNow();
    EXPECT_EQ(status.tool(), "Arc: Generalized");
    window.commands().zoom[5]->trigger();
    window.refreshNow();
    EXPECT_EQ(status.zoom(), "200%");

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint at = view().windowMiddle();
    const QPoint logical = view().toLogical(at);
    QTest::mouseMove(view().viewport(), at);
    EXPECT_EQ(status.position(), QStringLiteral("x %1, y %2").arg(logical.x()).arg(logical.y()));
}

TEST_F(DesktopHabitsTest, CommandsShowSharpIconsAndToolTipsNamingTheirShortcut) {
    const ShellActions& a = window.commands();
    int iconCount = 0;
    for (const QToolBar* bar : window.findChildren<QToolBar*>()) {
        for (const QAction* action : bar->actions()) {
            if (action->isSeparator() || qobject_cast<const QWidgetAction*>(action))
                continue;
            ++iconCount;
            EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
            // Drawn from vector pictures at the size asked for: as sharp at 200 % as at 100 %.
            for (const qreal scale : {1.0, 2.0}) {
                const QPixmap picture = action->icon().pixmap(QSize(24, 24), scale);
                EXPECT_EQ(picture.size(), QSize(24, 24) * scale) << action->text().toStdString();
                EXPECT_TRUE(hasInk(picture.toImage())) << action->text().toStdString();
            }
            EXPECT_FALSE(action->toolTip().isEmpty()) << action->text().toStdString();
        }
    }
    EXPECT_GE(iconCount, 20);
    EXPECT_EQ(a.save->toolTip(), "Save (Ctrl+S)");
    EXPECT_EQ(a.print->toolTip(), "Print (Ctrl+P)");
    EXPECT_EQ(a.simulation[4]->toolTip(), "One Step Forward (Alt+S)");
    EXPECT_EQ(a.placeButton->toolTip(), "Place");
    // The menus' insert commands show the toolbar's pictures.
    EXPECT_FALSE(a.discretePlace->icon().isNull());
    EXPECT_FALSE(a.generalizedArc->icon().isNull());
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(shellIcon(QStringLiteral("tokarium")).pixmap(QSize(64, 64), 2.0).isNull());
}
