#include "typeselection/qt/CKeyDrivenListCtrl.h"

#include "platform/CalendarClock.h"
#include "platform/qt/detail/DialogSupport.h"
#include "typeselection/detail/SearchKeys.h"
#include "typeselection/qt/detail/CKeyDrivenListCtrlPrivate.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QToolTip>

#include <utility>

namespace {

using ostrel::platform::CalendarClock;
using ostrel::typeselection::KeyDrivenSearch;

constexpr int kTimerMilliseconds = 1000;

bool isArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

// The typed characters of a key press when all of them are printable: Enter,
// Escape and the like stay with the dialog.
std::u32string printableText(const QString& text) {
    std::u32string characters;
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c)) {
            return {};
        }
        characters.push_back(c);
    }
    return characters;
}

// The key as the search numbers it: Qt numbers character keys by their
// character and every other key from Escape up, beyond every character.
char32_t searchKey(int key) {
    if (key == Qt::Key_Backspace) {
        return KeyDrivenSearch::kBackspace;
    }
    return key >= 0 && key < Qt::Key_Escape ? static_cast<char32_t>(key) : 0;
}

} // namespace

CKeyDrivenListCtrlPrivate::CKeyDrivenListCtrlPrivate(CKeyDrivenListCtrl* list)
    : q(list), search(now()), timer(new QTimer(list)) {}

CKeyDrivenListCtrlPrivate& CKeyDrivenListCtrlPrivate::get(CKeyDrivenListCtrl& list) {
    return *list.d_;
}

std::int64_t CKeyDrivenListCtrlPrivate::now() const {
    return (clock != nullptr ? *clock : CalendarClock::getDefault()).now();
}

CKeyDrivenListCtrl::CKeyDrivenListCtrl(QWidget* parent)
    : QListWidget(parent), d_(std::make_unique<CKeyDrivenListCtrlPrivate>(this)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    d_->timer->setObjectName(QStringLiteral("searchTimer"));
    d_->timer->setInterval(kTimerMilliseconds);
    connect(d_->timer, &QTimer::timeout, this, [this] { d_->OnTimer(); });
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(model(), signal, this, [this] { d_->hideTooltip(); });
    }
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { d_->hideTooltip(); });
}

CKeyDrivenListCtrl::~CKeyDrivenListCtrl() {
    // The list's base class empties the model as it goes, after this part
    // of the object is gone: its signals must no longer reach us.
    disconnect(model(), nullptr, this, nullptr);
}

void CKeyDrivenListCtrl::setEntries(const std::vector<Ostrel::u8string>& texts,
                                    std::vector<std::u32string> searchKeys, const QIcon& icon) {
    clear();
    d_->search.setEntries(std::move(searchKeys));
    // Painting waits until every entry is in: the list is laid out once.
    setUpdatesEnabled(false);
    for (const Ostrel::u8string& text : texts) {
        addItem(new QListWidgetItem(icon, ostrel::platform::toQString(text)));
    }
    setUpdatesEnabled(true);
}

std::optional<std::size_t> CKeyDrivenListCtrl::selectedEntry() const {
    std::optional<std::size_t> first;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        const auto row = static_cast<std::size_t>(index.row());
        if (!first || row < *first) {
            first = row;
        }
    }
    return first;
}

void CKeyDrivenListCtrl::selectEntry(std::size_t entry) {
    if (entry >= static_cast<std::size_t>(count())) {
        return;
    }
    const int row = static_cast<int>(entry);
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row), QAbstractItemView::EnsureVisible);
}

void CKeyDrivenListCtrl::keyPressEvent(QKeyEvent* event) {
    if (isArrow(event->key())) {
        d_->hideTooltip();
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const ostrel::typeselection::detail::KeyModifiers held{
        modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
        modifiers.testFlag(Qt::AltModifier), modifiers.testFlag(Qt::MetaModifier)};
    if (const std::optional<std::u32string> characters =
            ostrel::typeselection::detail::searchCharacters(searchKey(event->key()), held,
                                                            printableText(event->text()))) {
        for (const char32_t character : *characters) {
            d_->OnChar(character);
        }
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CKeyDrivenListCtrlPrivate::OnChar(char32_t character) {
    if (const std::optional<std::size_t> choice =
            search.type(character, q->selectedEntry(), now())) {
        q->selectEntry(*choice);
    }
    showTooltip(ostrel::platform::toQString(search.getSearchText()));
    timer->start();
}

void CKeyDrivenListCtrlPrivate::OnTimer() {
    // The timer ticks every second; the typed text stays on show until more
    // than a second has passed since the last character, by the same clock
    // that the search measures its pause with.
    if (search.pauseElapsed(now())) {
        hideTooltip();
        timer->stop();
    }
}

void CKeyDrivenListCtrlPrivate::showTooltip(const QString& text) {
    if (text.isEmpty()) {
        hideTooltip(); // nothing typed: no empty box
        return;
    }
    if (tooltip == nullptr) {
        tooltip = new QLabel(q, Qt::ToolTip | Qt::FramelessWindowHint);
        tooltip->setObjectName(QStringLiteral("searchTip"));
        tooltip->setPalette(QToolTip::palette());
        tooltip->setFont(QToolTip::font());
        tooltip->setForegroundRole(QPalette::ToolTipText);
        tooltip->setBackgroundRole(QPalette::ToolTipBase);
        tooltip->setAutoFillBackground(true);
        tooltip->setFrameStyle(QFrame::Box | QFrame::Plain);
        tooltip->setMargin(2);
        tooltip->setTextFormat(Qt::PlainText);
    }
    tooltip->setText(text);
    tooltip->adjustSize();
    tooltip->move(q->mapToGlobal(QPoint(0, q->height())));
    tooltip->show();
}

void CKeyDrivenListCtrlPrivate::hideTooltip() {
    if (tooltip != nullptr) {
        tooltip->hide();
    }
}

void CKeyDrivenListCtrl::focusOutEvent(QFocusEvent* event) {
    d_->hideTooltip();
    QListWidget::focusOutEvent(event);
}

void CKeyDrivenListCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        d_->hideTooltip();
    }
    QListWidget::changeEvent(event);
}

void CKeyDrivenListCtrl::hideEvent(QHideEvent* event) {
    d_->hideTooltip();
    d_->timer->stop();
    QListWidget::hideEvent(event);
}

void CKeyDrivenListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}
