#include "identification/qt/CSelectorEdit.h"

#include "host/common/OstrelDocAttribute.h"
#include "identification/IdentificationModel.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/qt/detail/DialogSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace {

using ostrel::identification::TextSelection;

// Qt counts positions in UTF-16 units, the model in characters; they differ
// only for characters beyond the Basic Multilingual Plane.
int toCharacters(const QString& text, int units) {
    units = std::clamp(units, 0, static_cast<int>(text.size()));
    int characters = 0;
    for (int i = 0; i < units; ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())) {
            ++characters;
        }
    }
    return characters;
}

int toUnits(const QString& text, int characters) {
    int units = 0;
    for (int seen = 0; units < text.size() && seen < characters; ++seen) {
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                         text.at(units + 1).isLowSurrogate()
                     ? 2
                     : 1;
    }
    return units;
}

} // namespace

CSelectorEdit::CSelectorEdit(DocumentIdentificationDlg2* dialog, OstrelDocAttribute* attribute)
    : QWidget(dialog) {
    QWidget* editor = nullptr;
    if (attribute != nullptr && attribute->isMultiline()) {
        lines_ = new QPlainTextEdit(this);
        lines_->setTabChangesFocus(true);
        lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        lines_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        connect(lines_, &QPlainTextEdit::textChanged, this, &CSelectorEdit::OnEnChange);
        editor = lines_;
    } else {
        line_ = new QLineEdit(this);
        connect(line_, &QLineEdit::textChanged, this, &CSelectorEdit::OnEnChange);
        editor = line_;
    }
    editor->setObjectName(QStringLiteral("editor"));
    setFocusProxy(editor);
    setFocusPolicy(editor->focusPolicy());
}

QWidget* CSelectorEdit::editor() const {
    return lines_ != nullptr ? static_cast<QWidget*>(lines_) : line_;
}

QString CSelectorEdit::text() const {
    return lines_ != nullptr ? lines_->toPlainText() : line_->text();
}

void CSelectorEdit::setText(const QString& text) {
    if (lines_ != nullptr) {
        lines_->setPlainText(text);
    } else {
        line_->setText(text);
    }
}

TextSelection CSelectorEdit::selection() const {
    int start = 0;
    int end = 0;
    if (lines_ != nullptr) {
        const QTextCursor cursor = lines_->textCursor();
        start = cursor.selectionStart();
        end = cursor.selectionEnd();
    } else if (line_->hasSelectedText()) {
        start = line_->selectionStart();
        end = line_->selectionEnd();
    } else {
        start = end = line_->cursorPosition();
    }
    const QString current = text();
    return {toCharacters(current, start), toCharacters(current, end)};
}

void CSelectorEdit::setSelection(TextSelection selection) {
    const QString current = text();
    const int start = toUnits(current, selection.start);
    const int end = toUnits(current, selection.end);
    if (lines_ != nullptr) {
        QTextCursor cursor = lines_->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        lines_->setTextCursor(cursor);
        lines_->ensureCursorVisible();
    } else if (start == end) {
        line_->setCursorPosition(end);
    } else {
        // QLineEdit puts the caret at the far end of the selected stretch.
        line_->setSelection(start, end - start);
    }
}

void CSelectorEdit::setFieldText(const ostrel::identification::FieldText& fitted) {
    setText(ostrel::platform::toQString(fitted.text));
    setSelection(fitted.selection);
}

void CSelectorEdit::OnEnChange() {
    emit changed();
}

void CSelectorEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    editor()->setGeometry(rect());
}
