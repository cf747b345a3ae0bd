#include "qt/Picture.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace ostrel::demo {

bool saveWindowPicture(QWidget& window, const QString& file) {
    QCoreApplication::processEvents(); // what was typed last is drawn
    const QPixmap content = window.grab();
    const QFontMetrics metrics(window.font());
    const int titleHeight = metrics.height() + 10;
    QImage picture(content.width(), content.height() + titleHeight, QImage::Format_RGB32);
    picture.fill(window.palette().color(QPalette::Dark));
    QPainter painter(&picture);
    painter.setFont(window.font());
    painter.setPen(window.palette().color(QPalette::BrightText));
    painter.drawText(QRect(8, 0, content.width() - 16, titleHeight), Qt::AlignVCenter,
                     window.windowTitle());
    painter.drawPixmap(0, titleHeight, content);
    painter.end();
    return picture.save(file);
}

} // namespace ostrel::demo
