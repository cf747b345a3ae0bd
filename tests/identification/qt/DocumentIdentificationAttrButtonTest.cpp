#include "identification/qt/DocumentIdentificationAttrButton.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts what the button reports to its dialog.
struct Reports {
    explicit Reports(DocumentIdentificationAttrButton& button)
        : clicks(&button, &DocumentIdentificationAttrButton::clicked),
          toggles(&button, &DocumentIdentificationAttrButton::autoInsertToggleRequested) {}
    QSignalSpy clicks;
    QSignalSpy toggles;
};

TEST(DocumentIdentificationAttrButtonTest, ClicksReportAndNeverSwitchTheCheckedLook) {
    DocumentIdentificationAttrButton button(false);
    button.show();
    Reports reports(button);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::keyClick(&button, Qt::Key_Space);
    button.clickToParent();
    EXPECT_EQ(reports.clicks.count(), 3);
    EXPECT_EQ(reports.toggles.count(), 0);
    EXPECT_FALSE(button.isChecked());

    button.setAutoInsert(true);
    EXPECT_TRUE(button.isChecked());
    EXPECT_TRUE(button.isAutoInsert());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(button.isChecked()) << "still checked after a click";
    EXPECT_EQ(reports.clicks.count(), 4);
    EXPECT_EQ(reports.toggles.count(), 0) << "setAutoInsert asks nobody";
}

TEST(DocumentIdentificationAttrButtonTest, ADoubleClickIsOneClickAndOneSwitch) {
    DocumentIdentificationAttrButton button(false);
    button.show();
    Reports reports(button);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mousePress(&button, Qt::LeftButton); // the second press, reported as a double click
    QTest::mouseDClick(&button, Qt::LeftButton);
    QTest::mouseMove(&button, QPoint(3, 3)); // the hand moves a little before letting go
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(reports.clicks.count(), 1) << "the second press clicks nothing";
    EXPECT_EQ(reports.toggles.count(), 1);
    EXPECT_FALSE(button.isDown());

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(reports.clicks.count(), 2) << "the next click counts again";
}

TEST(DocumentIdentificationAttrButtonTest, OneMenuAtATimeAndNothingWhenDisabled) {
    DocumentIdentificationAttrButton button(true);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    button.showMenu(button.mapToGlobal(QPoint(2, 2)));
    QMenu* menu = button.openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions()[2]->isChecked()) << "checked like the button";
    button.showMenu(button.mapToGlobal(QPoint(2, 2)));
    EXPECT_EQ(button.openMenu(), menu) << "the second request only closed the first menu";
    EXPECT_FALSE(menu->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(button.openMenu(), nullptr);

    button.setEnabled(false);
    Reports reports(button);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseDClick(&button, Qt::LeftButton);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2),
                              button.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&button, &request);
    EXPECT_EQ(reports.clicks.count() + reports.toggles.count(), 0);
    EXPECT_EQ(button.openMenu(), nullptr);
}

} // namespace
