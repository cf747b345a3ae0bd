#include "identification/qt/DocumentIdentificationDlg2.h"

#include "host/base/detail/TextFormat.h"
#include "host/common/OstrelDocAttribute.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "identification/IdentificationModel.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationAttrButton.h"
#include "platform/qt/detail/DialogSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>

namespace {

using ostrel::identification::ClientRect;
using ostrel::identification::IdentificationModel;
using ostrel::platform::toQString;

// The dialog's window template, in dialog units of the dialog's font.
constexpr QSize kTemplateSize{212, 164};
constexpr QRect kStickyCursorPlace{7, 147, 82, 10};
constexpr QRect kOkPlace{100, 143, 50, 14};
constexpr QRect kCancelPlace{154, 143, 50, 14};

QString translated(const char* messageId) {
    return toQString(ostrel::i18n::translate(messageId));
}

QRect pixelsOf(const QFont& font, const QRect& dialogUnits) {
    const QSize topLeft =
        ostrel::platform::dialogUnitsToPixels(font, dialogUnits.x(), dialogUnits.y());
    return {QPoint(topLeft.width(), topLeft.height()),
            ostrel::platform::dialogUnitsToPixels(font, dialogUnits.width(), dialogUnits.height())};
}

QRect toQRect(const ClientRect& rect) {
    return {rect.left, rect.top, rect.width(), rect.height()};
}

// Host texts are shown as they stand: a name or value that looks like markup
// is not rendered as such.
QString plainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? QStringLiteral("<p style='white-space:pre'>") +
                                           text.toHtmlEscaped() + QStringLiteral("</p>")
                                     : text;
}

// A row's label has a fixed width; a name too long for it ends in "..."
// and shows whole in its tooltip, instead of being cut off mid-letter.
class RowLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        const QRect room = contentsRect();
        const int flags = Qt::TextShowMnemonic | Qt::TextSingleLine;
        if (fontMetrics().horizontalAdvance(text()) <= room.width()) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        const QString elided =
            fontMetrics().elidedText(text(), Qt::ElideRight, room.width(), flags);
        style()->drawItemText(&painter, room, static_cast<int>(alignment()) | flags, palette(),
                              isEnabled(), elided, foregroundRole());
    }
};

} // namespace

DocumentIdentificationDlg2::DocumentIdentificationDlg2(CMEditableDocument& document,
                                                       OstrelDomainConfiguration* configuration,
                                                       QWidget* parent)
    : QDialog(parent), model_(std::make_unique<IdentificationModel>(document)),
      configuration_(configuration) {
    setWindowIcon(ostrel::platform::windowIcon());
    createTemplateControls();
}

DocumentIdentificationDlg2::~DocumentIdentificationDlg2() = default;

int DocumentIdentificationDlg2::DoModal() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void DocumentIdentificationDlg2::setVisible(bool visible) {
    // Both dialogs fill themselves on their first showing, whichever way
    // they are run, so that the placement is in place before the window
    // appears.
    if (visible && !initialized_) {
        initialized_ = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void DocumentIdentificationDlg2::OnInitDialog() {
    if (!createRows()) {
        // As far as it got: the rows made so far stand, nothing else is set up.
        return;
    }
    layOutButtons();
    applyTextsAndFocus();
}

void DocumentIdentificationDlg2::createTemplateControls() {
    setWindowTitle(QStringLiteral("Document Identification"));
    const QFont& templateFont = font();
    resize(ostrel::platform::dialogUnitsToPixels(templateFont, kTemplateSize.width(),
                                                 kTemplateSize.height()));

    // Created first, so that they come first in the tab order, as in the
    // window template; the rows follow.
    stickyCursorCheck_ = new QCheckBox(QStringLiteral("Auto idents."), this);
    stickyCursorCheck_->setObjectName(QStringLiteral("rememberCursor"));
    stickyCursorCheck_->setGeometry(pixelsOf(templateFont, kStickyCursorPlace));
    connect(stickyCursorCheck_, &QCheckBox::clicked, this,
            &DocumentIdentificationDlg2::OnBnClickedStickyCursor);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(pixelsOf(templateFont, kOkPlace));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &DocumentIdentificationDlg2::OnBnClickedOk);

    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setGeometry(pixelsOf(templateFont, kCancelPlace));
    cancelButton_->setAutoDefault(false);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

bool DocumentIdentificationDlg2::createRows() {
    const bool complete = model_->initialize(parentWidget());
    insertLastValueOf_ = ostrel::i18n::translate(ostrel::i18n::text::insertLastValueOf).str();
    for (std::size_t row = 0; row < model_->rows().size(); ++row) {
        createRow(row);
    }
    return complete;
}

void DocumentIdentificationDlg2::createRow(std::size_t index) {
    const IdentificationModel::Row& row = model_->rows()[index];
    const QString name = toQString(row.attribute->getVisibleName());
    const std::string plainName = ostrel::withoutMnemonics(row.attribute->getVisibleName().str());
    const QString fieldId = QString::number(row.fieldId());

    auto* label = new RowLabel(this);
    label->setObjectName(QStringLiteral("label") + fieldId);
    // The host's names are shown as they stand, never as markup; an "&" in
    // one still marks its mnemonic.
    label->setTextFormat(Qt::PlainText);
    label->setText(name);
    label->setToolTip(plainToolTip(QString::fromStdString(plainName)));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(toQRect(row.label));

    auto* button = new DocumentIdentificationAttrButton(false, this);
    button->setObjectName(QStringLiteral("button") + QString::number(row.buttonId()));
    button->move(row.button.left, row.button.top);
    button->resize(button->sizeHint());
    button->setAccessibleName(
        toQString(Ostrel::u8string(ostrel::substitute(insertLastValueOf_, {plainName}))));
    if (row.hasLastUsed) {
        button->setToolTip(plainToolTip(toQString(row.lastUsedValue)));
    }
    button->setEnabled(row.buttonEnabled());
    button->setAutoInsert(row.autoInsert);

    auto* edit = new CSelectorEdit(this, row.attribute);
    edit->setObjectName(QStringLiteral("field") + fieldId);
    edit->setGeometry(toQRect(row.field));
    edit->setText(toQString(row.text));
    edit->editor()->setAccessibleName(QString::fromStdString(plainName));
    label->setBuddy(edit);

    edit->setEnabled(!row.readOnly);
    // A value inserted at start-up leaves the caret at its end.
    const auto end = static_cast<int>(edit->text().toUcs4().size());
    edit->setSelection({end, end});

    connect(edit, &CSelectorEdit::changed, this, [this, edit] { onChangeIdent(edit); });
    connect(button, &DocumentIdentificationAttrButton::clicked, this,
            [this, id = row.buttonId()] { OnLastIdentValueClicked(static_cast<unsigned>(id)); });
    connect(button, &DocumentIdentificationAttrButton::autoInsertToggleRequested, this,
            [this, index] { toggleAutoInsert(index); });
    rows_.push_back({edit, label, button});
}

void DocumentIdentificationDlg2::layOutButtons() {
    const int top = model_->buttonsTop();
    int buttonHeight = 0;
    for (QWidget* control : {static_cast<QWidget*>(okButton_), static_cast<QWidget*>(cancelButton_),
                             static_cast<QWidget*>(stickyCursorCheck_)}) {
        control->move(control->x(), top);
        buttonHeight = std::max(buttonHeight, control->height());
    }
    resize(width(), model_->dialogHeight(buttonHeight, 0, 0));
    const ostrel::platform::ScreenPoint position = model_->windowPosition();
    move(position.x, position.y);
}

void DocumentIdentificationDlg2::applyTextsAndFocus() {
    setWindowTitle(translated(ostrel::i18n::text::documentIdentification));
    cancelButton_->setText(translated(ostrel::i18n::text::cancel));
    stickyCursorCheck_->setText(translated(ostrel::i18n::text::rememberCursor));
    stickyCursorCheck_->setChecked(model_->isRememberCursorChecked());

    // After every move: the rows keep their pixel places, the font changes
    // how their texts and the template's controls look.
    if (configuration_ != nullptr) {
        ostrel::platform::applyCustomFont(this, *configuration_->getSharedConfiguration());
    }

    const auto focused = model_->initialFocusFieldId();
    const auto& rows = model_->rows();
    const auto target = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
        return focused && row.fieldId() == *focused;
    });
    if (target != rows.end()) {
        rows_[static_cast<std::size_t>(target - rows.begin())].edit->setFocus();
    } else {
        // Qt would give the focus to the first control when the dialog is
        // shown; holding it in the dialog itself leaves every control without.
        setFocus();
    }
}

void DocumentIdentificationDlg2::OnBnClickedOk() {
    const QPoint corner = frameGeometry().topLeft();
    const auto outcome = model_->confirm(this, {corner.x(), corner.y()});
    if (outcome.result == ostrel::identification::Confirmation::Accepted) {
        accept();
    }
}

void DocumentIdentificationDlg2::OnBnClickedStickyCursor() {
    model_->setRememberCursor(stickyCursorCheck_->isChecked());
}

void DocumentIdentificationDlg2::OnLastIdentValueClicked(unsigned id) {
    if (const auto insertion = model_->insertLastValue(static_cast<int>(id))) {
        showInsertion(insertion->row, insertion->field);
    }
}

void DocumentIdentificationDlg2::onChangeIdent(CSelectorEdit* field) {
    const auto row = rowOf(field);
    if (!row) {
        return;
    }
    const auto fitted =
        model_->changeText(*row, ostrel::platform::fromQString(field->text()), field->selection());
    if (fitted) {
        field->setFieldText(*fitted);
    }
}

void DocumentIdentificationDlg2::toggleAutoInsert(std::size_t row) {
    const auto insertion = model_->toggleAutoInsert(row);
    rows_[row].button->setAutoInsert(model_->rows()[row].autoInsert);
    if (insertion) {
        showInsertion(insertion->row, insertion->field);
    }
}

void DocumentIdentificationDlg2::showInsertion(std::size_t row,
                                               const ostrel::identification::FieldText& text) {
    CSelectorEdit* field = rows_[row].edit;
    field->setFieldText(text);
    field->setFocus();
}

std::optional<std::size_t> DocumentIdentificationDlg2::rowOf(const CSelectorEdit* field) const {
    const auto found = std::find_if(rows_.begin(), rows_.end(),
                                    [field](const IdentRow& row) { return row.edit == field; });
    if (found == rows_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - rows_.begin());
}
