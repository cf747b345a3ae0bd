#pragma once

#include "host/base/U8String.h"
#include "platform/Services.h"
#include "typeselection/TypeSelectionModel.h"

#include <cstddef>
#include <vector>

class CKeyDrivenListCtrl;
class DocumentTypeItem;
class DocumentTypeSelectionDlg2;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

/// What DocumentTypeSelectionDlg2 holds behind its one pointer: the model,
/// the controls and the handlers of their events. Never installed, so that
/// it can change within a major version.
class DocumentTypeSelectionDlg2Private {
public:
    DocumentTypeSelectionDlg2Private(DocumentTypeSelectionDlg2* dialog,
                                     DocumentTypes& documentTypes,
                                     OstrelDomainConfiguration* configuration,
                                     const Ostrel::u8string& preselectedType,
                                     bool allowChangeDomain);

    void createControls();
    /// The start-up, run on the first showing.
    void OnInitDialog();
    void storeGeometry();

    void OnTvnSelchangedDocumentTree(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OnLvnItemchangedDocumentList();
    void OnNMDblclkDocumentList();
    void OnCbnSelchangeLastSelectedCombo();
    void OnBnClickedOk();
    void OnBnClickedChangeDomain();

    DocumentTypeSelectionDlg2* q;
    /// What the model and the type-ahead of the list talk to: the
    /// process-wide services.
    ostrel::platform::Services services;
    ostrel::typeselection::TypeSelectionModel model;
    OstrelDomainConfiguration* configuration;
    bool initialized = false;
    bool selectingFromModel = false;

    QLabel* documentGroupLabel = nullptr;
    QLabel* documentLabel = nullptr;
    QTreeWidget* documentTree = nullptr;
    CKeyDrivenListCtrl* documentList = nullptr;
    QLineEdit* descriptionEdit = nullptr;
    QLabel* lastSelectedLabel = nullptr;
    QComboBox* lastSelectedCombo = nullptr;
    QPushButton* changeDomainButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    std::vector<QTreeWidgetItem*> treeItems; // by the model's tree node index

private:
    void fillDocumentTree();
    void applyGeometry();
    void apply(const ostrel::typeselection::SelectionChange& change);
    void ensureVisibleAndSelect(std::size_t node);
    void showListedEntries();
    DocumentTypeItem* selectedListItem() const;
};
