// The toolkit's services that libostrel installs when it is loaded: messages in boxes, monitors
// from the screens.

#include "platform/qt/MessageBoxSink.h"
#include "platform/qt/ScreenMonitors.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace ostrel::platform;

TEST(MessageBoxSinkTest, ShowsAModalErrorBoxOverItsOwnerUntilOkIsPressed) {
    QWidget owner;
    QString seen;
    // Runs inside the box's own event loop, answers like a user, then the box returns.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = box->windowTitle() + "|" + box->text() + "|" +
               QString::number(box->icon() == QMessageBox::Critical) + "|" +
               QString::number(box->parentWidget() == &owner) + "|" +
               QString::number(box->textFormat() == Qt::PlainText) + "|" +
               QString::number(box->buttons().size()) + "|" + box->buttons().front()->text();
        box->button(QMessageBox::Ok)->click();
    });
    MessageBoxSink().showError(&owner, "Error", "Number: <b>expected</b> 3 digits");
    EXPECT_EQ(seen.toStdString(), "Error|Number: <b>expected</b> 3 digits|1|1|1|1|OK");
}

TEST(ScreenMonitorsTest, AWindowOnTheScreenOrOffItIsNearestToThatScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const ScreenRect expected{screen.left(), screen.top(), screen.left() + screen.width(),
                              screen.top() + screen.height()};

    QWidget window;
    window.setGeometry(screen.left() + 10, screen.top() + 10, 200, 100);
    QWidget child(&window);
    const ScreenMonitors monitors;
    EXPECT_EQ(monitors.nearestMonitor(&child), expected) << "a child answers for its window";
    window.move(screen.right() + 5000, screen.bottom() + 5000);
    EXPECT_EQ(monitors.nearestMonitor(&window), expected) << "off every screen: the closest";
    EXPECT_EQ(monitors.nearestMonitor(nullptr), std::nullopt);
}

} // namespace
