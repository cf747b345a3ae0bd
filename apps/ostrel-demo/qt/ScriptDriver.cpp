#include "qt/ScriptDriver.h"

#include "qt/Picture.h"

#include "document/CMEditableDocument.h"
#include "host/common/OstrelDocAttribute.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/MessageSink.h"
#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <list>

namespace ostrel::demo {
namespace {

/// More presses of one key than any of the sample dialogs needs to get
/// anywhere: a bound for a control that is never reached.
constexpr int kMaxPresses = 64;

/// How long a window may take to come up or go away before the run gives up.
constexpr std::chrono::seconds kPatience{10};

QWidget* focused() {
    return QApplication::focusWidget();
}

bool hasFocus(const QWidget* widget) {
    const QWidget* focus = focused();
    return widget != nullptr && focus != nullptr &&
           (focus == widget || widget->isAncestorOf(focus));
}

/// Lets the application handle its events until `done` holds; false when it
/// still does not after kPatience.
template <class Done> bool waitFor(Done done) {
    const QDeadlineTimer deadline(kPatience);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

/// Lets the dialog come up and take the keyboard focus.
void waitUntilActive(QDialog& dialog) {
    if (!waitFor([&dialog] { return dialog.isActiveWindow(); })) {
        dialog.activateWindow();
        QApplication::processEvents();
    }
}

/// Whether the dialog closes after a key; a mnemonic presses its button
/// visibly for a moment before it clicks.
bool closes(const QDialog& dialog) {
    return waitFor([&dialog] { return !dialog.isVisible(); });
}

/// A key pressed and released in the focused control, as the window system
/// delivers it: through the application, so that shortcuts and mnemonics see
/// it first and a key the control ignores goes on to its parents. `text` is
/// what the key types.
void sendKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QWidget* target = focused();
        if (target == nullptr) {
            target = QApplication::activeModalWidget();
        }
        if (target == nullptr) {
            return;
        }
        QKeyEvent event(type, key, modifiers, text);
        QCoreApplication::sendEvent(target, &event);
    }
}

/// Types `text` one character at a time, each key carrying its character as
/// a keyboard layout that has the key delivers it (the key code is the
/// upper-case character): any Unicode text, not only what has a key of its
/// own on some keyboard.
void typeText(const QString& text) {
    for (const char32_t character : text.toUcs4()) {
        sendKey(static_cast<int>(QChar::toUpper(character)), Qt::NoModifier,
                QString::fromUcs4(&character, 1));
    }
}

} // namespace

ScriptDriver::ScriptDriver(Script script, QString screenshotFolder)
    : script_(std::move(script)), folder_(std::move(screenshotFolder)) {}

template <class Reached> bool ScriptDriver::tabTo(Reached reached) {
    for (int presses = 0; presses < kMaxPresses; ++presses) {
        if (reached()) {
            return true;
        }
        sendKey(Qt::Key_Tab);
    }
    return reached();
}

void ScriptDriver::shoot(QWidget& window, const QString& name) {
    const QString file = QDir(folder_).filePath(name + QStringLiteral(".png"));
    if (saveWindowPicture(window, file)) {
        screenshots_.push_back(file);
    } else if (error_.empty()) {
        error_ = "the picture " + file.toStdString() + " cannot be saved";
    }
}

void ScriptDriver::fail(QDialog& dialog, const std::string& error) {
    if (error_.empty()) {
        error_ = error;
    }
    if (dialog.isVisible()) {
        sendKey(Qt::Key_Escape);
    }
    if (dialog.isVisible()) {
        dialog.reject(); // a dialog that takes no key must not hold the run
    }
}

void ScriptDriver::willRunTypeSelection(DocumentTypeSelectionDlg2& dialog, Domain& domain,
                                        std::size_t showing) {
    QTimer::singleShot(0, &dialog, [this, &dialog, &domain, showing] {
        driveTypeSelection(dialog, domain, showing);
    });
}

void ScriptDriver::driveTypeSelection(QDialog& dialog, Domain& domain, std::size_t showing) {
    waitUntilActive(dialog);
    if (showing >= script_.typeChoices.size()) {
        fail(dialog, "the script has no step for the type selection dialog's showing " +
                         std::to_string(showing + 1));
        return;
    }
    const TypeChoice& choice = script_.typeChoices[showing];
    if (choice.type && !chooseType(dialog, domain, *choice.type)) {
        return;
    }
    shoot(dialog, QStringLiteral("type-selection-%1").arg(showing + 1));
    switch (choice.button) {
    case Button::Ok:
        sendKey(Qt::Key_Return);
        break;
    case Button::Cancel:
        sendKey(Qt::Key_Escape);
        break;
    case Button::ChangeDomain:
        sendKey(Qt::Key_D, Qt::AltModifier);
        break;
    }
    if (!closes(dialog)) {
        fail(dialog, std::string("the type selection dialog did not close on ") +
                         buttonName(choice.button));
    }
}

bool ScriptDriver::chooseType(QDialog& dialog, Domain& domain, const std::string& type) {
    const DocumentTemplate* chosen = domain.templates().findTemplate(type);
    if (chosen == nullptr) {
        fail(dialog, "the domain " + domain.entry().name + " has no type " + type);
        return false;
    }
    Ostrel::u8string name;
    chosen->getProperty("name", name);
    const QString group = QString::fromStdString(domain.groupOf(*chosen));
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("documentTree"));
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("documentList"));
    if (tree == nullptr || list == nullptr) {
        fail(dialog, "the type selection dialog has no tree or list of types");
        return false;
    }
    // Into the tree of groups, down to the type's group, over to its list,
    // and type the beginning of the name there.
    if (!tabTo([&] { return hasFocus(tree); })) {
        fail(dialog, "the tree of groups cannot be reached with Tab");
        return false;
    }
    sendKey(Qt::Key_Home);
    for (int presses = 0; presses < kMaxPresses; ++presses) {
        if (tree->currentItem() != nullptr && tree->currentItem()->text(0) == group) {
            break;
        }
        sendKey(Qt::Key_Down);
    }
    if (tree->currentItem() == nullptr || tree->currentItem()->text(0) != group) {
        fail(dialog, "the group " + group.toStdString() + " is not in the tree");
        return false;
    }
    sendKey(Qt::Key_Tab);
    const QString wanted = QString::fromStdString(name.str());
    typeText(wanted);
    if (!hasFocus(list) || list->currentItem() == nullptr ||
        list->currentItem()->text() != wanted) {
        fail(dialog, "typing '" + name.str() + "' does not select that type in the list");
        return false;
    }
    return true;
}

void ScriptDriver::willRunIdentification(DocumentIdentificationDlg2& dialog,
                                         CMEditableDocument& document) {
    QTimer::singleShot(0, &dialog,
                       [this, &dialog, &document] { driveIdentification(dialog, document); });
}

void ScriptDriver::driveIdentification(QDialog& dialog, CMEditableDocument& document) {
    waitUntilActive(dialog);
    if (!script_.identificationButton) {
        fail(dialog, "the script has no steps for the identification dialog");
        return;
    }
    for (const auto& [attribute, text] : script_.values) {
        if (!typeValue(dialog, document, attribute, text)) {
            return;
        }
    }
    shoot(dialog, QStringLiteral("identification"));
    if (*script_.identificationButton == Button::Cancel) {
        sendKey(Qt::Key_Escape);
    } else {
        confirmIdentification(dialog);
    }
}

bool ScriptDriver::typeValue(QDialog& dialog, CMEditableDocument& document,
                             const std::string& attribute, const std::string& text) {
    std::list<OstrelDocAttribute*> attributes;
    document.getProperties(attributes);
    int index = 0;
    const OstrelDocAttribute* found = nullptr;
    for (const OstrelDocAttribute* candidate : attributes) {
        if (candidate->getAttrName().str() == attribute) {
            found = candidate;
            break;
        }
        ++index;
    }
    if (found == nullptr) {
        fail(dialog, "the document has no attribute " + attribute);
        return false;
    }
    if (found->getStatus() != OstrelDocAttributeTemplate::Editable) {
        fail(dialog, "the attribute " + attribute + " cannot be typed in");
        return false;
    }
    // The dialog names each field after the attribute's place in the document.
    const QWidget* field = dialog.findChild<QWidget*>(QStringLiteral("field%1").arg(130 + index));
    if (!tabTo([&] { return hasFocus(field); })) {
        fail(dialog, "the field of " + attribute + " cannot be reached with Tab");
        return false;
    }
    sendKey(Qt::Key_A, Qt::ControlModifier); // what is typed replaces what the field holds
    if (text.empty()) {
        sendKey(Qt::Key_Delete);
    } else {
        typeText(QString::fromStdString(text));
    }
    return true;
}

void ScriptDriver::confirmIdentification(QDialog& dialog) {
    auto& sink = platform::MessageSink::getDefault();
    auto* recording = dynamic_cast<platform::RecordingMessageSink*>(&sink);
    const std::size_t shown = recording != nullptr ? recording->messages().size() : 0;
    // Enter confirms from a one-line field; elsewhere (a multi-line field, a
    // last-value button) the user first moves on to OK.
    if (qobject_cast<QLineEdit*>(focused()) == nullptr) {
        auto* ok = dialog.findChild<QWidget*>(QStringLiteral("okButton"));
        if (!tabTo([&] { return hasFocus(ok); })) {
            fail(dialog, "OK cannot be reached with Tab");
            return;
        }
    }
    sendKey(Qt::Key_Return);
    if (closes(dialog)) {
        return;
    }
    std::string why = "the identification dialog did not close on OK";
    if (recording != nullptr && recording->messages().size() > shown) {
        why = "the identification dialog refused the values: " + recording->messages().back().text;
    }
    fail(dialog, why);
}

void ScriptDriver::willShowResult(QDialog& result) {
    QTimer::singleShot(0, &result, [this, &result] {
        waitUntilActive(result);
        shoot(result, QStringLiteral("filed"));
        sendKey(Qt::Key_Escape);
        if (result.isVisible()) {
            result.reject();
        }
    });
}

} // namespace ostrel::demo
