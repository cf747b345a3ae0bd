#include "platform/qt/detail/DialogSupport.h"

#include "host/common/OstrelDomainConfiguration.h"

#include <QFont>
#include <QFontMetrics>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace ostrel::platform {
namespace {

// Draws the SVG anew for every size, so that an image stays sharp on any
// screen scale instead of being stretched from one bitmap.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(const QString& resource)
        : resource_(resource), renderer_(std::make_shared<QSvgRenderer>(resource)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        if (mode == QIcon::Disabled) {
            painter->setOpacity(0.4);
        }
        renderer_->render(painter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap image(size * scale);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return image;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new SvgIconEngine(*this); }
    bool isNull() override { return !renderer_->isValid(); }
    QString key() const override { return QStringLiteral("ostrel-svg"); }

private:
    QString resource_;
    std::shared_ptr<QSvgRenderer> renderer_; // shared by clones, read only
};

int roundedMulDiv(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

} // namespace

QString toQString(const Ostrel::u8string& text) {
    return QString::fromUtf8(text.str().data(), static_cast<qsizetype>(text.size()));
}

Ostrel::u8string fromQString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return Ostrel::u8string(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QSize dialogUnitsToPixels(const QFont& font, int widthUnits, int heightUnits) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int averageWidth = (alphabet / 26 + 1) / 2;
    return {roundedMulDiv(widthUnits, averageWidth, 4),
            roundedMulDiv(heightUnits, metrics.height(), 8)};
}

bool applyCustomFont(QWidget* dialog, const OstrelSharedConfiguration& shared) {
    if (dialog == nullptr || !shared.getUseCustomFont()) {
        return false;
    }
    QFont font = dialog->font();
    font.setFamily(toQString(shared.getCustomFontName()));
    const int height = shared.getCustomFontHeight();
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height includes the leading above the characters: shrink the
        // character size until the font's line height is the one asked for.
        font.setPixelSize(height);
        const int cell = QFontMetrics(font).height();
        if (cell > height) {
            font.setPixelSize(std::max(1, height * height / cell));
        }
    }
    dialog->setFont(font);
    return true;
}

QIcon svgIcon(const QString& resource) {
    return QIcon(new SvgIconEngine(resource));
}

QIcon windowIcon() {
    return svgIcon(QStringLiteral(":/ostrel/window-icon.svg"));
}

} // namespace ostrel::platform
