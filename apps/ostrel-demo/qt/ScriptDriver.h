#pragma once

#include "Script.h"
#include "qt/DemoHost.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace ostrel::demo {

/// Operates the dialogs from a script with the keyboard alone, as a user
/// would: it presses keys in the focused control and looks at the dialog
/// only to know which key to press next (which group the tree shows, which
/// field has the focus). Keys are ordinary key events sent through the
/// application, each carrying the character it types, so any Unicode text
/// is typed as written. It saves a picture of every dialog just before the
/// key that closes it. A step it cannot carry out is recorded as the error,
/// and the dialog is closed with Escape.
class ScriptDriver : public DialogDriver {
public:
    ScriptDriver(Script script, QString screenshotFolder);

    void willRunTypeSelection(DocumentTypeSelectionDlg2& dialog, Domain& domain,
                              std::size_t showing) override;
    void willRunIdentification(DocumentIdentificationDlg2& dialog,
                               CMEditableDocument& document) override;
    void willShowResult(QDialog& result) override;

    /// The first step that could not be carried out; empty when none.
    const std::string& error() const { return error_; }
    /// The pictures saved, in the order taken.
    const std::vector<QString>& screenshots() const { return screenshots_; }

private:
    void driveTypeSelection(QDialog& dialog, Domain& domain, std::size_t showing);
    void driveIdentification(QDialog& dialog, CMEditableDocument& document);
    bool chooseType(QDialog& dialog, Domain& domain, const std::string& type);
    bool typeValue(QDialog& dialog, CMEditableDocument& document, const std::string& attribute,
                   const std::string& text);
    void confirmIdentification(QDialog& dialog);
    /// Presses Tab until `reached` says the focus is where it should be.
    template <class Reached> bool tabTo(Reached reached);
    void shoot(QWidget& window, const QString& name);
    /// Records the error (the first one only) and closes `dialog` with Escape.
    void fail(QDialog& dialog, const std::string& error);

    Script script_;
    QString folder_;
    std::string error_;
    std::vector<QString> screenshots_;
};

} // namespace ostrel::demo
