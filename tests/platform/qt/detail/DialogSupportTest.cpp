#include "platform/qt/detail/DialogSupport.h"

#include "host/common/OstrelDomainConfiguration.h"

#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

using namespace ostrel::platform;

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
