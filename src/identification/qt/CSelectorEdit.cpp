#include "identification/qt/CSelectorEdit.h"

#include "host/common/OstrelDocAttribute.h"
#include "identification/IdentificationModel.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "identification/qt/detail/CSelectorEditPrivate.h"
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
    : QWidget(dialog), d_(std::make_unique<CSelectorEditPrivate>()) {
    QWidget* editor = nullptr;
    if (attribute != nullptr && attribute->isMultiline()) {
        auto* lines = new QPlainTextEdit(this);
        lines->setTabChangesFocus(true);
        lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        lines->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        connect(lines, &QPlainTextEdit::textChanged, this, &CSelectorEdit::OnEnChange);
        d_->lines = lines;
        editor = lines;
    } else {
        d_->line = new QLineEdit(this);
        connect(d_->line, &QLineEdit::textChanged, this, &CSelectorEdit::OnEnChange);
        editor = d_->line;
    }
    editor->setObjectName(QStringLiteral("editor"));
    setFocusProxy(editor);
    setFocusPolicy(editor->focusPolicy());
}

CSelectorEdit::~CSelectorEdit() = default;

QWidget* CSelectorEdit::editor() const {
    return d_->lines != nullptr ? static_cast<QWidget*>(d_->lines) : d_->line;
}

QString CSelectorEdit::text() const {
    return d_->lines != nullptr ? d_->lines->toPlainText() : d_->line->text();
}

void CSelectorEdit::setText(const QString& text) {
    if (d_->lines != nullptr) {
        d_->lines->setPlainText(text);
    } else {
        d_->line->setText(text);
    }
}

TextSelection CSelectorEdit::selection() const {
    int start = 0;
    int end = 0;
    if (d_->lines != nullptr) {
        const QTextCursor cursor = d_->lines->textCursor();
        start = cursor.selectionStart();
        end = cursor.selectionEnd();
    } else if (d_->line->hasSelectedText()) {
        start = d_->line->selectionStart();
        end = d_->line->selectionEnd();
    } else {
        start = end = d_->line->cursorPosition();
    }
    const QString current = text();
    return {toCharacters(current, start), toCharacters(current, end)};
}

void CSelectorEdit::setSelection(TextSelection selection) {
    const QString current = text();
    const int start = toUnits(current, selection.start);
    const int end = toUnits(current, selection.end);
    if (d_->lines != nullptr) {
        QTextCursor cursor = d_->lines->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        d_->lines->setTextCursor(cursor);
        d_->lines->ensureCursorVisible();
    } else if (start == end) {
        d_->line->setCursorPosition(end);
    } else {
        // QLineEdit puts the caret at the far end of the selected stretch.
        d_->line->setSelection(start, end - start);
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
