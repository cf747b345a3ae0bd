// The toolkit's services that libostrel installs when it is loaded (messages in boxes, monitors
// from the screens) and what its dialogs share (the custom font, dialog units, the window icon).

#include "platform/qt/MessageBoxSink.h"
#include "platform/qt/ScreenMonitors.h"
#include "platform/qt/detail/DialogSupport.h"

#include "host/common/OstrelDomainConfiguration.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
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

TEST(DialogSupportTest, CustomFontReachesTheChildrenOnlyWhenAskedFor) {
    QDialog dialog;
    QLabel* label = new QLabel(QStringLiteral("Number"), &dialog);
    OstrelSharedConfiguration shared;
    const QFont before = label->font();
    EXPECT_FALSE(applyCustomFont(&dialog, shared));
    EXPECT_EQ(label->font(), before);

    shared.setCustomFont("DejaVu Serif", 0, -20);
    ASSERT_TRUE(applyCustomFont(&dialog, shared));
    EXPECT_EQ(label->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(label->font().pixelSize(), 20) << "negative: the character height";

    shared.setCustomFont("DejaVu Serif", 0, 20);
    ASSERT_TRUE(applyCustomFont(&dialog, shared));
    EXPECT_LE(QFontMetrics(label->font()).height(), 20) << "positive: the whole cell height";
    EXPECT_GT(label->font().pixelSize(), 12);
}

TEST(DialogSupportTest, DialogUnitsGrowWithTheFont) {
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    QFont large = small;
    large.setPixelSize(22);
    const QSize a = dialogUnitsToPixels(small, 296, 201);
    const QSize b = dialogUnitsToPixels(large, 296, 201);
    EXPECT_GT(a.width(), 296) << "a horizontal unit is a quarter of a character, wider than 1 px";
    EXPECT_NEAR(b.width(), 2 * a.width(), 0.1 * a.width());
    EXPECT_NEAR(b.height(), 2 * a.height(), 0.1 * a.height());
}

TEST(DialogSupportTest, TheWindowIconIsDrawnSharpAtEveryScale) {
    const QIcon icon = windowIcon();
    ASSERT_FALSE(icon.isNull()) << "the image resource is compiled in";
    for (const int size : {16, 32, 64}) {
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0) << "something is drawn at " << size;
    }
}

} // namespace
