#include "platform/qt/MessageBoxSink.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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

} // namespace
