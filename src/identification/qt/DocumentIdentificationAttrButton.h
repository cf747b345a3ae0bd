#pragma once

#include "ostrel_export.h"

#include <QToolButton>

#include <memory>

class DocumentIdentificationAttrButtonPrivate;
class QMenu;

/// The small button beside a value field that inserts the value last
/// confirmed for the row's attribute name. It shows checked while automatic
/// insertion is on for that name, which only a double click, its menu
/// command or setAutoInsert switch: a click inserts and never toggles. A double click is one click
/// (inserting) and the switch (which inserts again when switching on); its second press inserts
/// nothing.
///
/// The context menu (right click or the menu key) offers "&Insert value" and
/// the checkable "&Automaticaly insert value"; a button has at most one menu
/// open. The image is drawn anew at every size.
///
/// The button only reports: the dialog receives its clicks (`clicked`) and
/// its requests to switch automatic insertion (`autoInsertToggleRequested`),
/// applies them to its model and sets the button's state.
class OSTREL_EXPORT DocumentIdentificationAttrButton : public QToolButton {
    Q_OBJECT
public:
    explicit DocumentIdentificationAttrButton(bool autoInsert, QWidget* parent = nullptr);
    ~DocumentIdentificationAttrButton() override;

    /// Shows automatic insertion on (checked) or off; inserts nothing.
    void setAutoInsert(bool on);
    /// Asks the dialog to switch automatic insertion (which, switching on,
    /// also inserts the last value).
    void toggleAutoInsert();
    /// Tells the dialog that the button was clicked, as a mouse click does.
    void clickToParent();

    /// Opens the button's menu at `globalPosition`; when one is open, only
    /// closes it.
    void showMenu(const QPoint& globalPosition);
    /// The open menu, null when none is open.
    QMenu* openMenu() const;

signals:
    void autoInsertToggleRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void nextCheckState() override;

private:
    std::unique_ptr<DocumentIdentificationAttrButtonPrivate> d_;
};
