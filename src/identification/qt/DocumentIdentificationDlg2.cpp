#include "identification/qt/DocumentIdentificationDlg2.h"

#include "host/base/detail/TextFormat.h"
#include "host/common/OstrelDocAttribute.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "identification/IdentificationModel.h"
#include "identification/detail/ControlRow.h"
#include "identification/qt/CSelectorEdit.h"
#include "identification/qt/DocumentIdentificationAttrButton.h"
#include "identification/qt/detail/DocumentIdentificationDlg2Private.h"
#include "platform/qt/detail/DialogSupport.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QToolTip>

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
// and shows whole in a tooltip, instead of being cut off mid-letter. Only
// a shortened name has a tooltip: a screen reader reads a widget's tooltip
// as its description, and a whole name would be read out twice.
class RowLabel : public QLabel {
public:
    RowLabel(const std::string& plainName, QWidget* parent)
        : QLabel(parent), plainName_(QString::fromStdString(plainName)) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return QLabel::event(event);
        }
        if (shortened()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               plainToolTip(plainName_), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }

    void paintEvent(QPaintEvent* event) override {
        if (!shortened()) {
            QLabel::paintEvent(event);
            return;
        }
        const QRect room = contentsRect();
        QPainter painter(this);
        const QString elided =
            fontMetrics().elidedText(text(), Qt::ElideRight, room.width(), kRowLabelFlags);
        style()->drawItemText(&painter, room, static_cast<int>(alignment()) | kRowLabelFlags,
                              palette(), isEnabled(), elided, foregroundRole());
    }

private:
    bool shortened() const {
        return fontMetrics().size(kRowLabelFlags, text()).width() > contentsRect().width();
    }

    static constexpr int kRowLabelFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;
    QString plainName_;
};

// What a screen reader says of a row's button after its name: the value it
// inserts and whether automatic insertion is on (the pressed-in look).
void describeButton(DocumentIdentificationAttrButton* button, const IdentificationModel::Row& row) {
    namespace text = ostrel::i18n::text;
    const std::string pattern =
        ostrel::i18n::translate(row.autoInsert ? text::lastValueAutomatic : text::lastValueManual)
            .str();
    button->setAccessibleDescription(
        row.hasLastUsed
            ? toQString(Ostrel::u8string(ostrel::substitute(pattern, {row.lastUsedValue.str()})))
            : translated(text::noLastValue));
}

// The template gives the check box and the buttons their places; a longer
// translation or a larger custom font widens them, never cuts their text.
void fitToTexts(QWidget* dialog, const std::vector<QWidget*>& row) {
    ostrel::identification::ControlRow places{{}, dialog->width()};
    std::vector<int> textWidths;
    for (const QWidget* control : row) {
        const QRect place = control->geometry();
        places.controls.push_back({place.left(), place.top(), place.left() + place.width(),
                                   place.top() + place.height()});
        textWidths.push_back(control->sizeHint().width());
    }
    const ostrel::identification::ControlRow fitted =
        ostrel::identification::fitToTexts(places, textWidths);
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i]->setGeometry(toQRect(fitted.controls[i]));
    }
    dialog->resize(fitted.windowWidth, dialog->height());
}

} // namespace

DocumentIdentificationDlg2Private::DocumentIdentificationDlg2Private(
    DocumentIdentificationDlg2* dialog, CMEditableDocument& document,
    OstrelDomainConfiguration* configuration_)
    : q(dialog), model(std::make_unique<IdentificationModel>(document)),
      configuration(configuration_) {}

DocumentIdentificationDlg2::DocumentIdentificationDlg2(CMEditableDocument& document,
                                                       OstrelDomainConfiguration* configuration,
                                                       QWidget* parent)
    : QDialog(parent),
      d_(std::make_unique<DocumentIdentificationDlg2Private>(this, document, configuration)) {
    setWindowIcon(ostrel::platform::windowIcon());
    d_->createTemplateControls();
}

DocumentIdentificationDlg2::~DocumentIdentificationDlg2() = default;

int DocumentIdentificationDlg2::DoModal() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void DocumentIdentificationDlg2::setVisible(bool visible) {
    // Both dialogs fill themselves on their first showing, whichever way
    // they are run, so that the placement is in place before the window
    // appears.
    if (visible && !d_->initialized) {
        d_->initialized = true;
        d_->OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void DocumentIdentificationDlg2Private::OnInitDialog() {
    if (!createRows()) {
        // As far as it got: the rows made so far stand, nothing else is set up.
        return;
    }
    layOutButtons();
    applyTextsAndFocus();
}

void DocumentIdentificationDlg2Private::createTemplateControls() {
    q->setWindowTitle(QStringLiteral("Document Identification"));
    const QFont& templateFont = q->font();
    q->resize(ostrel::platform::dialogUnitsToPixels(templateFont, kTemplateSize.width(),
                                                    kTemplateSize.height()));

    // Created first, so that they come first in the tab order, as in the
    // window template; the rows follow.
    stickyCursorCheck = new QCheckBox(QStringLiteral("Auto idents."), q);
    stickyCursorCheck->setObjectName(QStringLiteral("rememberCursor"));
    stickyCursorCheck->setGeometry(pixelsOf(templateFont, kStickyCursorPlace));
    QObject::connect(stickyCursorCheck, &QCheckBox::clicked, q,
                     &DocumentIdentificationDlg2::OnBnClickedStickyCursor);

    okButton = new QPushButton(QStringLiteral("OK"), q);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(pixelsOf(templateFont, kOkPlace));
    okButton->setDefault(true);
    QObject::connect(okButton, &QPushButton::clicked, q,
                     &DocumentIdentificationDlg2::OnBnClickedOk);

    cancelButton = new QPushButton(QStringLiteral("Cancel"), q);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(pixelsOf(templateFont, kCancelPlace));
    cancelButton->setAutoDefault(false);
    QObject::connect(cancelButton, &QPushButton::clicked, q, &QDialog::reject);
}

bool DocumentIdentificationDlg2Private::createRows() {
    const bool complete = model->initialize(q->parentWidget());
    insertLastValueOf = ostrel::i18n::translate(ostrel::i18n::text::insertLastValueOf).str();
    for (std::size_t row = 0; row < model->rows().size(); ++row) {
        createRow(row);
    }
    return complete;
}

void DocumentIdentificationDlg2Private::createRow(std::size_t index) {
    const IdentificationModel::Row& row = model->rows()[index];
    const QString name = toQString(row.attribute->getVisibleName());
    const std::string plainName = ostrel::withoutMnemonics(row.attribute->getVisibleName().str());
    const QString fieldId = QString::number(row.fieldId());

    auto* label = new RowLabel(plainName, q);
    label->setObjectName(QStringLiteral("label") + fieldId);
    // The host's names are shown as they stand, never as markup; an "&" in
    // one still marks its mnemonic.
    label->setTextFormat(Qt::PlainText);
    label->setText(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(toQRect(row.label));

    auto* button = new DocumentIdentificationAttrButton(false, q);
    button->setObjectName(QStringLiteral("button") + QString::number(row.buttonId()));
    button->move(row.button.left, row.button.top);
    button->resize(button->sizeHint());
    button->setAccessibleName(
        toQString(Ostrel::u8string(ostrel::substitute(insertLastValueOf, {plainName}))));
    if (row.hasLastUsed) {
        button->setToolTip(plainToolTip(toQString(row.lastUsedValue)));
    }
    button->setEnabled(row.buttonEnabled());
    button->setAutoInsert(row.autoInsert);
    describeButton(button, row);

    auto* edit = new CSelectorEdit(q, row.attribute);
    edit->setObjectName(QStringLiteral("field") + fieldId);
    edit->setGeometry(toQRect(row.field));
    edit->setText(toQString(row.text));
    edit->editor()->setAccessibleName(QString::fromStdString(plainName));
    label->setBuddy(edit);

    edit->setEnabled(!row.readOnly);
    // A value inserted at start-up leaves the caret at its end.
    const auto end = static_cast<int>(edit->text().toUcs4().size());
    edit->setSelection({end, end});

    QObject::connect(edit, &CSelectorEdit::changed, q, [this, edit] { q->onChangeIdent(edit); });
    QObject::connect(
        button, &DocumentIdentificationAttrButton::clicked, q,
        [this, id = row.buttonId()] { q->OnLastIdentValueClicked(static_cast<unsigned>(id)); });
    QObject::connect(button, &DocumentIdentificationAttrButton::autoInsertToggleRequested, q,
                     [this, index] { toggleAutoInsert(index); });
    rows.push_back({edit, label, button});
}

void DocumentIdentificationDlg2Private::layOutButtons() {
    const int top = model->buttonsTop();
    int buttonHeight = 0;
    for (QWidget* control : {static_cast<QWidget*>(okButton), static_cast<QWidget*>(cancelButton),
                             static_cast<QWidget*>(stickyCursorCheck)}) {
        control->move(control->x(), top);
        buttonHeight = std::max(buttonHeight, control->height());
    }
    q->resize(q->width(), model->dialogHeight(buttonHeight, 0, 0));
    const ostrel::platform::ScreenPoint position = model->windowPosition();
    q->move(position.x, position.y);
}

void DocumentIdentificationDlg2Private::applyTextsAndFocus() {
    q->setWindowTitle(translated(ostrel::i18n::text::documentIdentification));
    cancelButton->setText(translated(ostrel::i18n::text::cancel));
    stickyCursorCheck->setText(translated(ostrel::i18n::text::rememberCursor));
    stickyCursorCheck->setChecked(model->isRememberCursorChecked());

    // After every move: the rows keep their pixel places, the font changes
    // how their texts and the template's controls look.
    if (configuration != nullptr) {
        ostrel::platform::applyCustomFont(q, *configuration->getSharedConfiguration());
    }
    fitToTexts(q, {stickyCursorCheck, okButton, cancelButton});

    const auto focused = model->initialFocusFieldId();
    const auto& modelRows = model->rows();
    const auto target = std::find_if(modelRows.begin(), modelRows.end(), [&](const auto& row) {
        return focused && row.fieldId() == *focused;
    });
    if (target != modelRows.end()) {
        rows[static_cast<std::size_t>(target - modelRows.begin())].edit->setFocus();
    } else {
        // Qt would give the focus to the first control when the dialog is
        // shown; holding it in the dialog itself leaves every control without.
        q->setFocus();
    }
}

void DocumentIdentificationDlg2::OnBnClickedOk() {
    const QPoint corner = frameGeometry().topLeft();
    const auto outcome = d_->model->confirm(this, {corner.x(), corner.y()});
    if (outcome.result == ostrel::identification::Confirmation::Accepted) {
        accept();
    }
}

void DocumentIdentificationDlg2::OnBnClickedStickyCursor() {
    d_->model->setRememberCursor(d_->stickyCursorCheck->isChecked());
}

void DocumentIdentificationDlg2::OnLastIdentValueClicked(unsigned id) {
    if (const auto insertion = d_->model->insertLastValue(static_cast<int>(id))) {
        d_->showInsertion(insertion->row, insertion->field);
    }
}

void DocumentIdentificationDlg2::onChangeIdent(CSelectorEdit* field) {
    const auto row = d_->rowOf(field);
    if (!row) {
        return;
    }
    const auto fitted = d_->model->changeText(*row, ostrel::platform::fromQString(field->text()),
                                              field->selection());
    if (fitted) {
        field->setFieldText(*fitted);
    }
}

void DocumentIdentificationDlg2Private::toggleAutoInsert(std::size_t row) {
    const auto insertion = model->toggleAutoInsert(row);
    rows[row].button->setAutoInsert(model->rows()[row].autoInsert);
    describeButton(rows[row].button, model->rows()[row]);
    if (insertion) {
        showInsertion(insertion->row, insertion->field);
    }
}

void DocumentIdentificationDlg2Private::showInsertion(
    std::size_t row, const ostrel::identification::FieldText& text) {
    CSelectorEdit* field = rows[row].edit;
    field->setFieldText(text);
    field->setFocus();
}

std::optional<std::size_t>
DocumentIdentificationDlg2Private::rowOf(const CSelectorEdit* field) const {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [field](const IdentRow& row) { return row.edit == field; });
    if (found == rows.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - rows.begin());
}
