#pragma once

#include "typeselection/KeyDrivenSearch.h"

#include <cstdint>

class CKeyDrivenListCtrl;
class QLabel;
class QString;
class QTimer;

namespace ostrel::platform {
class CalendarClock;
}

/// What CKeyDrivenListCtrl holds behind its one pointer: the search, its
/// clock and timer, and the tip that shows the typed text. Never installed.
class CKeyDrivenListCtrlPrivate {
public:
    explicit CKeyDrivenListCtrlPrivate(CKeyDrivenListCtrl* list);

    /// The private part of `list`, for the dialog that hosts it.
    static CKeyDrivenListCtrlPrivate& get(CKeyDrivenListCtrl& list);

    /// The time by `clock`, or by the process-wide clock while it is null.
    std::int64_t now() const;

    /// A typed character: search, show the text, (re)start the timer.
    void OnChar(char32_t character);
    void OnTimer();
    void showTooltip(const QString& text);
    void hideTooltip();

    CKeyDrivenListCtrl* q;
    /// What the pause of typing is measured by, as the hosting dialog's
    /// services give it; null: the process-wide clock, looked up on each
    /// key. Set it before the user types.
    ostrel::platform::CalendarClock* clock = nullptr;
    ostrel::typeselection::KeyDrivenSearch search;
    QTimer* timer;             // "searchTimer"
    QLabel* tooltip = nullptr; // created on first use
};
