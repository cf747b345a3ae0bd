#pragma once

#include "typeselection/KeyDrivenSearch.h"

class CKeyDrivenListCtrl;
class QLabel;
class QString;
class QTimer;

/// What CKeyDrivenListCtrl holds behind its one pointer: the search, its
/// timer and the tip that shows the typed text. Never installed.
class CKeyDrivenListCtrlPrivate {
public:
    explicit CKeyDrivenListCtrlPrivate(CKeyDrivenListCtrl* list);

    /// A typed character: search, show the text, (re)start the timer.
    void OnChar(char32_t character);
    void OnTimer();
    void showTooltip(const QString& text);
    void hideTooltip();

    CKeyDrivenListCtrl* q;
    ostrel::typeselection::KeyDrivenSearch search;
    QTimer* timer;             // "searchTimer"
    QLabel* tooltip = nullptr; // created on first use
};
