#pragma once

#include "ostrel_export.h"

// moc needs none of the plain C++ headers, and its parser stops at the
// C++20 library headers they include.
#ifndef Q_MOC_RUN
#include "host/base/U8String.h"
#endif

#include <QDialog>

#include <memory>

class DocumentTemplate;
class DocumentTypes;
class DocumentTypeSelectionDlg2Private;
class OstrelDomainConfiguration;

/// The dialog in which the user chooses the type of a new document: the
/// catalogue's groups as a tree, the creatable types of the selected group
/// as a list searchable by typing (CKeyDrivenListCtrl), the description of
/// the highlighted type, and the recently chosen types in a drop-down. It
/// opens where it was last closed, with the size it had, and remembers the
/// chosen type (typeselection::TypeSelectionModel holds every rule).
///
///     DocumentTypeSelectionDlg2 dialog(types, &configuration, "", true, mainWindow);
///     dialog.setLastSelected("Finance.IncomingInvoice");   // optional
///     if (dialog.DoModal() == 1) {
///         DocumentTemplate* chosen = dialog.getSelectedDocumentTemplate(); // may be null
///     } else if (dialog.getChangeDomain()) {
///         // the user wants to work in another domain
///     }
///
/// The catalogue and the configuration must outlive the dialog, and the
/// catalogue must still exist when the chosen template is asked for.
class OSTREL_EXPORT DocumentTypeSelectionDlg2 : public QDialog {
    Q_OBJECT

public:
    /// Nothing is read or shown yet: the dialog fills itself when it is first
    /// shown (DoModal, exec or show). `configuration` may be null: no custom
    /// font, no connection name in the title.
    DocumentTypeSelectionDlg2(DocumentTypes& documentTypes,
                              OstrelDomainConfiguration* configuration,
                              const Ostrel::u8string& preselectedType, bool allowChangeDomain,
                              QWidget* parent = nullptr);
    ~DocumentTypeSelectionDlg2() override;

    /// The template of the type chosen with OK; null when none was chosen.
    DocumentTemplate* getSelectedDocumentTemplate() const;
    /// Whether the user left through Change Domain (the dialog ended with Cancel).
    bool getChangeDomain() const;
    /// Offers `type` first among the recent types; call it before the dialog runs.
    void setLastSelected(const Ostrel::u8string& type);

    /// Runs the dialog modally: 1 for OK, 2 for Cancel.
    int DoModal();

    void setVisible(bool visible) override;
    /// Every way of closing ends here (OK, Cancel, Escape, Change Domain, the
    /// window's close button): the window geometry is stored first.
    void done(int result) override;

private:
    // Everything else (the model, the controls, the handlers) lives here, so
    // that it can change without a host noticing.
    std::unique_ptr<DocumentTypeSelectionDlg2Private> d_;
};
