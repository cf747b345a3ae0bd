#include "identification/qt/DocumentIdentificationAttrButton.h"

#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "identification/qt/detail/DocumentIdentificationAttrButtonPrivate.h"
#include "identification/qt/detail/LastValueButtonAccessible.h"
#include "platform/qt/detail/DialogSupport.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

QString translated(const char* messageId) {
    return ostrel::platform::toQString(ostrel::i18n::translate(messageId));
}

// One image for every button: copies of an icon share its drawing.
const QIcon& lastValueIcon() {
    static const QIcon icon = ostrel::platform::svgIcon(QStringLiteral(":/ostrel/last-value.svg"));
    return icon;
}

} // namespace

DocumentIdentificationAttrButton::DocumentIdentificationAttrButton(bool autoInsert, QWidget* parent)
    : QToolButton(parent), d_(std::make_unique<DocumentIdentificationAttrButtonPrivate>()) {
    setIcon(lastValueIcon());
    setIconSize(QSize(12, 12));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The checked look is the state of automatic insertion; nextCheckState
    // keeps clicks from switching it.
    setCheckable(true);
    setChecked(autoInsert);
    // Flat until pointed at, so that the pressed-in look of a checked button
    // stands out from its neighbours.
    setAutoRaise(true);
    // In the tab order, so that a keyboard user reaches it and presses Space.
    setFocusPolicy(Qt::StrongFocus);
    ostrel::identification::installLastValueButtonAccessible();
}

DocumentIdentificationAttrButton::~DocumentIdentificationAttrButton() = default;

void DocumentIdentificationAttrButton::setAutoInsert(bool on) {
    setChecked(on);
}

void DocumentIdentificationAttrButton::toggleAutoInsert() {
    emit autoInsertToggleRequested();
}

void DocumentIdentificationAttrButton::clickToParent() {
    emit clicked(isChecked());
}

void DocumentIdentificationAttrButton::showMenu(const QPoint& globalPosition) {
    if (d_->menu != nullptr) {
        d_->menu->close();
    }
    // A closed menu is deleted later, so one that was open is still here:
    // this request only closed it.
    if (d_->menu != nullptr) {
        return;
    }
    auto* menu = new QMenu(this);
    menu->addAction(translated(ostrel::i18n::text::insertValue), this,
                    &DocumentIdentificationAttrButton::clickToParent);
    menu->addSeparator();
    QAction* automatic = menu->addAction(translated(ostrel::i18n::text::automaticallyInsertValue),
                                         this, &DocumentIdentificationAttrButton::toggleAutoInsert);
    automatic->setCheckable(true);
    automatic->setChecked(isChecked());
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    d_->menu = menu;
    menu->popup(globalPosition);
}

QMenu* DocumentIdentificationAttrButton::openMenu() const {
    return d_->menu;
}

void DocumentIdentificationAttrButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QToolButton::mouseDoubleClickEvent(event);
        return;
    }
    // The first click of the double click has inserted already; releasing
    // the second press must not click again.
    d_->swallowRelease = true;
    setDown(false);
    toggleAutoInsert();
    event->accept();
}

void DocumentIdentificationAttrButton::mouseReleaseEvent(QMouseEvent* event) {
    if (d_->swallowRelease && event->button() == Qt::LeftButton) {
        d_->swallowRelease = false;
        setDown(false);
        event->accept();
        return;
    }
    QToolButton::mouseReleaseEvent(event);
}

void DocumentIdentificationAttrButton::contextMenuEvent(QContextMenuEvent* event) {
    showMenu(event->globalPos());
    event->accept();
}

void DocumentIdentificationAttrButton::nextCheckState() {}
