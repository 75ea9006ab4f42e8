// Helpers of the dialog tests.
#include "dialog_support.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tokarium::test {

void showActive(QWidget& widget) {
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
}

void typeInto(QLineEdit* field, const QString& text, QWidget* next) {
    field->setFocus();
    field->selectAll();
    field->del();
    QTest::keyClicks(field, text);
    if (next)
        next->setFocus();
}

void clickOk(QDialogButtonBox* buttons) {
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void clickCancel(QDialogButtonBox* buttons) {
    QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
}

void whenModalShows(std::function<void(QDialog&)> action) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, action = std::move(action)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action(*dialog);
    });
    poll->start();
}

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TOKARIUM_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    if (!widget.isVisible())
        widget.show();
    EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

} // namespace tokarium::test
