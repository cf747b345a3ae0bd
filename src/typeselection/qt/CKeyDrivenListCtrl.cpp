#include "typeselection/qt/CKeyDrivenListCtrl.h"

#include "platform/CalendarClock.h"
#include "platform/qt/detail/DialogSupport.h"

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

// The character Alt with `key` types into the search: digits and the signs
// of the numeric keypad's operators. Nothing for any other key.
std::optional<char32_t> altSearchCharacter(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<char32_t>(static_cast<int>(U'0') + (key - Qt::Key_0));
    }
    switch (key) {
    case Qt::Key_Minus:
        return U'-';
    case Qt::Key_Plus:
        return U'+';
    case Qt::Key_Asterisk:
        return U'*';
    case Qt::Key_Slash:
        return U'/';
    default:
        return std::nullopt;
    }
}

// The typed characters of a key press when all of them are printable: Enter,
// Escape and the like stay with the dialog.
std::optional<std::u32string> typedCharacters(const QString& text) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    std::u32string characters;
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isPrint(c)) {
            return std::nullopt;
        }
        characters.push_back(c);
    }
    return characters;
}

} // namespace

CKeyDrivenListCtrl::CKeyDrivenListCtrl(QWidget* parent)
    : QListWidget(parent), search(CalendarClock::getDefault().now()), timer(new QTimer(this)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    timer->setObjectName(QStringLiteral("searchTimer"));
    timer->setInterval(kTimerMilliseconds);
    connect(timer, &QTimer::timeout, this, &CKeyDrivenListCtrl::OnTimer);
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(model(), signal, this, &CKeyDrivenListCtrl::hideTooltip);
    }
    connect(model(), &QAbstractItemModel::modelReset, this, &CKeyDrivenListCtrl::hideTooltip);
}

CKeyDrivenListCtrl::~CKeyDrivenListCtrl() {
    // The list's base class empties the model as it goes, after this part
    // of the object is gone: its signals must no longer reach us.
    disconnect(model(), nullptr, this, nullptr);
}

void CKeyDrivenListCtrl::setEntries(const std::vector<Ostrel::u8string>& texts,
                                    std::vector<std::u32string> searchKeys, const QIcon& icon) {
    clear();
    search.setEntries(std::move(searchKeys));
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
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (isArrow(key)) {
        hideTooltip();
    } else if (key == Qt::Key_Backspace && modifiers == Qt::NoModifier) {
        OnChar(KeyDrivenSearch::kBackspace);
        event->accept();
        return;
    } else if ((modifiers & ~Qt::ShiftModifier) == Qt::AltModifier) {
        // Shift too, which some keyboards need for + and *.
        if (const std::optional<char32_t> character = altSearchCharacter(key)) {
            OnChar(*character);
            event->accept();
            return;
        }
    } else if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
        // The list's own incremental search never runs: typed text is ours.
        if (const std::optional<std::u32string> characters = typedCharacters(event->text())) {
            for (const char32_t character : *characters) {
                OnChar(character);
            }
            event->accept();
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

void CKeyDrivenListCtrl::OnChar(char32_t character) {
    const std::int64_t now = CalendarClock::getDefault().now();
    if (const std::optional<std::size_t> choice = search.type(character, selectedEntry(), now)) {
        selectEntry(*choice);
    }
    showTooltip(ostrel::platform::toQString(search.getSearchText()));
    timer->start();
}

void CKeyDrivenListCtrl::OnTimer() {
    // The timer ticks every second; the typed text stays on show until more
    // than a second has passed since the last character, by the same clock
    // that the search measures its pause with.
    if (search.pauseElapsed(CalendarClock::getDefault().now())) {
        hideTooltip();
        timer->stop();
    }
}

void CKeyDrivenListCtrl::showTooltip(const QString& text) {
    if (text.isEmpty()) {
        hideTooltip(); // nothing typed: no empty box
        return;
    }
    if (tooltip == nullptr) {
        tooltip = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
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
    tooltip->move(mapToGlobal(QPoint(0, height())));
    tooltip->show();
}

void CKeyDrivenListCtrl::hideTooltip() {
    if (tooltip != nullptr) {
        tooltip->hide();
    }
}

void CKeyDrivenListCtrl::focusOutEvent(QFocusEvent* event) {
    hideTooltip();
    QListWidget::focusOutEvent(event);
}

void CKeyDrivenListCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        hideTooltip();
    }
    QListWidget::changeEvent(event);
}

void CKeyDrivenListCtrl::hideEvent(QHideEvent* event) {
    hideTooltip();
    timer->stop();
    QListWidget::hideEvent(event);
}

void CKeyDrivenListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}
