#pragma once

#include "ostrel_export.h"

#include <QDialog>

#include <memory>

class CMEditableDocument;
class CSelectorEdit;
class DocumentIdentificationDlg2Private;
class OstrelDomainConfiguration;

/// The modal dialog in which the user fills in the identification
/// attributes of a document about to be filed: one row per attribute that
/// is not hidden (label, value field kept to the attribute's mask, button
/// inserting the name's last value), then OK, Cancel and "Remember cursor".
/// After OK every editable attribute holds the text of its field and the
/// values are remembered per attribute name; after Cancel nothing changed.
///
///     CMEditableDocument* document = factory.createDocument(invoiceTemplate);
///     DocumentIdentificationDlg2 dialog(*document, &configuration, hostWindow);
///     if (dialog.DoModal() == 1) {
///         std::map<Ostrel::u8string, Ostrel::u8string> values;
///         document->getValues(values);
///     }
///
/// The dialog fills itself (reads the settings, makes the rows, places
/// itself) when it is first shown (DoModal, exec or show), as the type
/// selection dialog does. Rows stand at fixed positions in logical pixels, so they
/// scale with the screen. Child object names, for tests and tools:
/// "label<id>", "field<id>" (a CSelectorEdit, id 130 + the attribute's index
/// in the document, hidden attributes counted), "button<id>" (200 + the
/// same index), "okButton", "cancelButton" and "rememberCursor".
class OSTREL_EXPORT DocumentIdentificationDlg2 : public QDialog {
    Q_OBJECT
public:
    /// A dialog on `document` (which must outlive it) with the host's domain
    /// `configuration` (its custom font applies; null: none) over `parent`,
    /// whose monitor the remembered position is checked against. Nothing is
    /// read or shown yet.
    DocumentIdentificationDlg2(CMEditableDocument& document,
                               OstrelDomainConfiguration* configuration, QWidget* parent = nullptr);
    ~DocumentIdentificationDlg2() override;

    /// Runs the dialog modally: 1 after OK, 2 after Cancel.
    int DoModal();

    void setVisible(bool visible) override;

    /// OK (also Enter): validates, writes and remembers the values and closes
    /// the dialog, or shows why not and stays open.
    void OnBnClickedOk();
    /// "Remember cursor" was clicked; its state is stored on OK.
    void OnBnClickedStickyCursor();
    /// A last-value button was clicked: inserts its value into the row's
    /// field, focused with the caret at the end (ids 200 to 250 only).
    void OnLastIdentValueClicked(unsigned id);
    /// The text of `field` changed: remembers the first changed row and fits
    /// the text to the mask.
    void onChangeIdent(CSelectorEdit* field);

private:
    std::unique_ptr<DocumentIdentificationDlg2Private> d_;
};
