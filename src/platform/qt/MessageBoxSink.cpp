#include "platform/qt/MessageBoxSink.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace ostrel::platform {

void MessageBoxSink::showError(WindowHandle owner, const std::string& caption,
                               const std::string& text) {
    // The handle only ever carries a widget of ours; the box needs it
    // non-const as its parent.
    auto* parent = const_cast<QWidget*>(static_cast<const QWidget*>(owner));
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    // Texts of the host (an attribute's message) are shown as they stand,
    // never interpreted as rich text.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace ostrel::platform
