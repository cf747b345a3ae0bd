#include "qt/ResultDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel::demo {

ResultDialog::ResultDialog(const QString& file, const QString& record, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Document filed"));
    auto* where = new QLabel(tr("Filed as %1").arg(file), this);
    where->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    auto* text = new QPlainTextEdit(record, this);
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setObjectName(QStringLiteral("record"));
    text->setAccessibleName(tr("Filed record"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    resize(820, 300);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    buttons->button(QDialogButtonBox::Close)->setFocus();
}

} // namespace ostrel::demo
