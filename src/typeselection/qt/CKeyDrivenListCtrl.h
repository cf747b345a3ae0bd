#pragma once

#include "ostrel_export.h"

// moc needs none of the plain C++ headers, and its parser stops at the
// C++20 library headers they include.
#ifndef Q_MOC_RUN
#include "host/base/U8String.h"
#endif

#include <QListWidget>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CKeyDrivenListCtrlPrivate;

/// The document list of the type selection dialog, searched by typing the
/// beginning of a name (typeselection::KeyDrivenSearch). The typed text is
/// shown in a small tooltip window ("searchTip") at the list's lower-left
/// corner until more than a second passes without typing, an arrow key is
/// pressed, the list loses the focus, its window is deactivated or its
/// entries change. Alt with a digit or with - + * / searches too; other Alt
/// keys are left to the dialog's mnemonics.
///
/// The list does not sort: it shows its entries in the order given, which
/// must be ascending by folded name, as TypeSelectionModel sorts them. The
/// search runs on those folded names, never on the widget's items, so fill
/// the list with `setEntries` only.
class OSTREL_EXPORT CKeyDrivenListCtrl : public QListWidget {
    Q_OBJECT

public:
    explicit CKeyDrivenListCtrl(QWidget* parent = nullptr);
    ~CKeyDrivenListCtrl() override;

    /// Replaces the entries by `texts` with `icon`, in the order given;
    /// `searchKeys` are the same texts folded (ostrel::foldCase), ascending.
    void setEntries(const std::vector<Ostrel::u8string>& texts,
                    std::vector<std::u32string> searchKeys, const QIcon& icon);

    /// The selected entry; nothing when none is selected.
    std::optional<std::size_t> selectedEntry() const;
    /// Makes `entry` the selected and current entry and scrolls it fully into
    /// view; ignored when there is no such entry.
    void selectEntry(std::size_t entry);

signals:
    /// A double click anywhere in the list, on an entry or beside them.
    void listDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The hosting dialog reaches the private part (its clock) through it.
    friend class CKeyDrivenListCtrlPrivate;
    std::unique_ptr<CKeyDrivenListCtrlPrivate> d_;
};
