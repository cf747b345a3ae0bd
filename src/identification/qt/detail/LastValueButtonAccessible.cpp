#include "identification/qt/detail/LastValueButtonAccessible.h"

#include "identification/qt/DocumentIdentificationAttrButton.h"

#include <QAccessibleWidget>

namespace ostrel::identification {
namespace {

class LastValueButtonAccessible : public QAccessibleWidget {
public:
    explicit LastValueButtonAccessible(DocumentIdentificationAttrButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction(), showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        auto* button = static_cast<DocumentIdentificationAttrButton*>(widget());
        if (!button->isEnabled()) {
            return;
        }
        if (action == pressAction()) {
            button->click();
        } else if (action == showMenuAction()) {
            button->showMenu(button->mapToGlobal(button->rect().center()));
        } else {
            QAccessibleWidget::doAction(action);
        }
    }
};

QAccessibleInterface* lastValueButtonAccessible(const QString& className, QObject* object) {
    if (className !=
        QLatin1String(DocumentIdentificationAttrButton::staticMetaObject.className())) {
        return nullptr;
    }
    auto* button = qobject_cast<DocumentIdentificationAttrButton*>(object);
    return button != nullptr ? new LastValueButtonAccessible(button) : nullptr;
}

// Taken back when the library is unloaded, so that Qt never calls into a
// library that is gone.
struct FactoryRegistration {
    FactoryRegistration() { QAccessible::installFactory(&lastValueButtonAccessible); }
    ~FactoryRegistration() { QAccessible::removeFactory(&lastValueButtonAccessible); }
    FactoryRegistration(const FactoryRegistration&) = delete;
    FactoryRegistration& operator=(const FactoryRegistration&) = delete;
};

} // namespace

void installLastValueButtonAccessible() {
    static const FactoryRegistration registration;
}

} // namespace ostrel::identification
