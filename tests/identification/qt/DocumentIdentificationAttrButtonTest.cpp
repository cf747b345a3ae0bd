#include "identification/qt/DocumentIdentificationAttrButton.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(DocumentIdentificationAttrButtonTest, ADoubleClickIsOneClickAndOneSwitch) {
    DocumentIdentificationAttrButton button(false);
    button.show();
    QSignalSpy clicks(&button, &DocumentIdentificationAttrButton::clicked);
    QSignalSpy toggles(&button, &DocumentIdentificationAttrButton::autoInsertToggleRequested);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mousePress(&button, Qt::LeftButton); // the second press, reported as a double click
    QTest::mouseDClick(&button, Qt::LeftButton);
    QTest::mouseMove(&button, QPoint(3, 3)); // the hand moves a little before letting go
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1) << "the second press clicks nothing";
    EXPECT_EQ(toggles.count(), 1);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2) << "the next click counts again";
    EXPECT_FALSE(button.isChecked()) << "only the dialog switches the look";
}

TEST(DocumentIdentificationAttrButtonTest, ASecondMenuRequestOnlyClosesTheOpenMenu) {
    DocumentIdentificationAttrButton button(true);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    button.showMenu(button.mapToGlobal(QPoint(2, 2)));
    QMenu* menu = button.openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions()[2]->isChecked()) << "checked like the button";
    button.showMenu(button.mapToGlobal(QPoint(2, 2)));
    EXPECT_EQ(button.openMenu(), menu);
    EXPECT_FALSE(menu->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(button.openMenu(), nullptr);
}

} // namespace
