#pragma once

#include "identification/IdentificationModel.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMEditableDocument;
class CSelectorEdit;
class DocumentIdentificationAttrButton;
class DocumentIdentificationDlg2;
class OstrelDomainConfiguration;
class QCheckBox;
class QLabel;
class QPushButton;

/// What DocumentIdentificationDlg2 holds behind its one pointer: the model,
/// the rows' and the template's controls, and the start-up. Never installed,
/// so that it can change within a major version.
class DocumentIdentificationDlg2Private {
public:
    struct IdentRow {
        CSelectorEdit* edit;
        QLabel* label;
        DocumentIdentificationAttrButton* button;
    };

    DocumentIdentificationDlg2Private(DocumentIdentificationDlg2* dialog,
                                      CMEditableDocument& document,
                                      OstrelDomainConfiguration* configuration);

    void createTemplateControls();
    /// The start-up, run on the first showing.
    void OnInitDialog();
    void toggleAutoInsert(std::size_t row);
    void showInsertion(std::size_t row, const ostrel::identification::FieldText& field);
    std::optional<std::size_t> rowOf(const CSelectorEdit* field) const;

    DocumentIdentificationDlg2* q;
    std::unique_ptr<ostrel::identification::IdentificationModel> model;
    OstrelDomainConfiguration* configuration;
    std::vector<IdentRow> rows;
    std::string insertLastValueOf; // the buttons' accessible name, translated once
    QCheckBox* stickyCursorCheck = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    bool initialized = false;

private:
    bool createRows();
    void createRow(std::size_t row);
    void layOutButtons();
    void applyTextsAndFocus();
};
