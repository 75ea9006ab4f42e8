#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/shell/pn_properties_dialog.h"
#include "gui/shell/pns_manager_dialog.h"
#include "gui/shell/qt_text.h"
#include "tests/gui/shell/shell_test_support.h"

using namespace tokarium;
using tokarium::test::pnName;

TEST(PnPropertiesDialog, PaperListInOrderWithItsCodesAndTheSheetsSizeInCentimetres) {
    PnPropertiesDialog dialog("Line", PageSettings{}, nullptr);
    tokarium::test::saveScreenshot(dialog, QStringLiteral("pn_properties_dialog"));
    QComboBox* papers = dialog.paperList();
    ASSERT_EQ(papers->count(), 11);
    const QStringList labels = {"Letter", "Legal",  "A4",     "Executive", "A5",         "Com-10 Env",
                                "Monarch  Env", "DL Env", "C5 Env", "B5 Env",    "Custom size"};
    const std::vector<int> codes = {1, 5, 9, 7, 11, 20, 37, 27, 28, 34, 68};
    for (int i = 0; i < papers->count(); ++i) {
        EXPECT_EQ(papers->itemText(i), labels[i]);
        EXPECT_EQ(papers->itemData(i).toInt(), codes[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(papers->currentText(), "A4");
    EXPECT_EQ(dialog.widthField()->text(), "21 cm");
    EXPECT_EQ(dialog.heightField()->text(), "29.7 cm");
    EXPECT_TRUE(dialog.portraitButton()->isChecked());
    EXPECT_EQ(dialog.nameField()->text(), "Line");
}

TEST(PnPropertiesDialog, StandardPaperTurnsAndTypedSizesMakeItCustom) {
    PnPropertiesDialog dialog("Line", PageSettings{}, nullptr);
    dialog.paperList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.widthField()->text(), "21.59 cm");
    EXPECT_EQ(dialog.heightField()->text(), "27.94 cm");
    QTest::mouseClick(dialog.landscapeButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.widthField()->text(), "27.94 cm");
    EXPECT_EQ(dialog.page(), (PageSettings{1, 2794, 2159, kLandscape}));

    dialog.widthField()->selectAll();
    QTest::keyClicks(dialog.widthField(), "300 mm");
    EXPECT_EQ(dialog.paperList()->currentText(), "Custom size");
    EXPECT_FALSE(dialog.portraitButton()->isEnabled());
    EXPECT_EQ(dialog.widthField()->text(), "300 mm");
    EXPECT_EQ(dialog.page(), (PageSettings{68, 3000, 2159, kLandscape}));
}

TEST(PnsManagerDialog, DeleteNeedsTwoEntriesAndMovesTheSelection) {
    NetDocument document;
    document.newDocument();
    document.newSheet();
    document.newSheet();
    PnsManagerDialog dialog(document, &document.sheet(2), nullptr);
    tokarium::test::saveScreenshot(dialog, QStringLiteral("pns_manager_dialog"));
    EXPECT_EQ(dialog.list()->currentRow(), 2);
    EXPECT_EQ(dialog.nameField()->text(), QString::fromLatin1(pnName(3).c_str()));
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.list()->currentRow(), 1);
    EXPECT_EQ(dialog.nameField()->text(), QString::fromLatin1(pnName(2).c_str()));
    dialog.list()->setCurrentRow(0);
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.list()->count(), 1);
    EXPECT_FALSE(dialog.deleteButton()->isEnabled());
    const std::vector<SheetListEntry> entries = dialog.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].sheet, &document.sheet(1));
    EXPECT_EQ(document.sheetCount(), 3u);
}

TEST(PnsManagerDialog, MovingAnEntryChangesTheOrderGivenToTheDocument) {
    NetDocument document;
    document.newDocument();
    document.newSheet();
    document.newSheet();
    PnsManagerDialog dialog(document, &document.sheet(0), nullptr);
    EXPECT_FALSE(dialog.upButton()->isEnabled());
    QTest::mouseClick(dialog.downButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.downButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.list()->currentRow(), 2);
    EXPECT_FALSE(dialog.downButton()->isEnabled());
    dialog.nameField()->selectAll();
    QTest::keyClicks(dialog.nameField(), "First");
    NetSheet* first = &document.sheet(0);
    ASSERT_TRUE(document.applySheetList(dialog.entries()));
    EXPECT_EQ(&document.sheet(2), first);
    EXPECT_EQ(document.sheet(2).name(), "First");
    EXPECT_EQ(document.sheet(0).name(), pnName(2));
}

TEST(QtText, DocumentFilterAndModelTextsConvert) {
    EXPECT_EQ(qtFileFilter(kDocumentFilter), "Tokarium Files (*.pn);;All Files (*.*)");
    EXPECT_EQ(fromLatin1Text(pnName(2)), QString::fromUtf8("PN n\xC2\xB0" "2"));
    EXPECT_EQ(toLatin1Text(QString::fromUtf8("PN n\xC2\xB0" "2")), pnName(2));
    EXPECT_EQ(fromMessageText("Can't open file \"/tmp/caf\xC3\xA9.pn\"."),
              QString::fromUtf8("Can't open file \"/tmp/caf\xC3\xA9.pn\"."));
    EXPECT_EQ(fromMessageText("Place \"n\xB0\""), QString::fromUtf8("Place \"n\xC2\xB0\""));
    EXPECT_EQ(menuItemText("In & Out"), "In && Out");
}
