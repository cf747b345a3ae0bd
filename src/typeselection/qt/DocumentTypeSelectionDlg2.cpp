#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include "doctypes/DocumentTypeItem.h"
#include "host/base/detail/TextFormat.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "platform/detail/ScreenGeometry.h"
#include "platform/qt/detail/DialogSupport.h"
#include "typeselection/qt/CKeyDrivenListCtrl.h"
#include "typeselection/qt/detail/CKeyDrivenListCtrlPrivate.h"
#include "typeselection/qt/detail/DocumentTypeSelectionDlg2Private.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

#include <utility>

namespace {

using ostrel::platform::dialogUnitsToPixels;
using ostrel::platform::svgIcon;
using ostrel::platform::toQString;
using ostrel::platform::detail::WindowSize;
using ostrel::typeselection::SavedGeometry;
using ostrel::typeselection::SelectionChange;

// The dialog's smallest size, in dialog units of its font.
constexpr int kWidthUnits = 296;
constexpr int kHeightUnits = 201;
// The width the group tree keeps, in dialog units.
constexpr int kTreeWidthUnits = 110;

constexpr int kNodeRole = Qt::UserRole;

// The images shared by the tree and the list: a tree node shows a closed
// book, the selected node an open one, a list entry a form page.
QIcon closedBook() {
    return svgIcon(QStringLiteral(":/ostrel/book-closed.svg"));
}
QIcon openBook() {
    return svgIcon(QStringLiteral(":/ostrel/book-open.svg"));
}
QIcon formPage() {
    return svgIcon(QStringLiteral(":/ostrel/page-form.svg"));
}

void labelControl(QLabel* label, QWidget* control, const Ostrel::u8string& text) {
    label->setText(toQString(text));
    label->setBuddy(control);
    control->setAccessibleName(QString::fromStdString(ostrel::labelledName(text.str())));
}

} // namespace

DocumentTypeSelectionDlg2Private::DocumentTypeSelectionDlg2Private(
    DocumentTypeSelectionDlg2* dialog, DocumentTypes& documentTypes,
    OstrelDomainConfiguration* configuration_, const Ostrel::u8string& preselectedType,
    bool allowChangeDomain)
    : q(dialog), model(documentTypes, configuration_, preselectedType, allowChangeDomain, services),
      configuration(configuration_) {}

DocumentTypeSelectionDlg2::DocumentTypeSelectionDlg2(DocumentTypes& documentTypes,
                                                     OstrelDomainConfiguration* configuration_,
                                                     const Ostrel::u8string& preselectedType,
                                                     bool allowChangeDomain, QWidget* parent)
    : QDialog(parent),
      d_(std::make_unique<DocumentTypeSelectionDlg2Private>(this, documentTypes, configuration_,
                                                            preselectedType, allowChangeDomain)) {
    setObjectName(QStringLiteral("DocumentTypeSelectionDlg2"));
    setWindowIcon(ostrel::platform::windowIcon());
    d_->createControls();
}

DocumentTypeSelectionDlg2::~DocumentTypeSelectionDlg2() {
    // A host that deletes the dialog while it is shown still gets its
    // geometry remembered.
    if (isVisible()) {
        d_->storeGeometry();
    }
    // The controls outlive this part of the object (the base class deletes
    // them), and a control being emptied may still report a change.
    for (QWidget* control :
         {static_cast<QWidget*>(d_->documentTree), static_cast<QWidget*>(d_->documentList),
          static_cast<QWidget*>(d_->lastSelectedCombo)}) {
        control->disconnect(this);
    }
}

DocumentTemplate* DocumentTypeSelectionDlg2::getSelectedDocumentTemplate() const {
    return d_->model.getSelectedDocumentTemplate();
}

bool DocumentTypeSelectionDlg2::getChangeDomain() const {
    return d_->model.getChangeDomain();
}

void DocumentTypeSelectionDlg2::setLastSelected(const Ostrel::u8string& type) {
    d_->model.setLastSelected(type);
}

int DocumentTypeSelectionDlg2::DoModal() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void DocumentTypeSelectionDlg2::setVisible(bool visible) {
    // The dialog fills itself on its first showing, whichever way it is run,
    // so that types the host gives after construction are offered, and so
    // that the stored geometry is in place before the window appears.
    if (visible && !d_->initialized) {
        d_->initialized = true;
        d_->OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void DocumentTypeSelectionDlg2::done(int result) {
    if (isVisible()) {
        d_->storeGeometry();
    }
    QDialog::done(result);
}

void DocumentTypeSelectionDlg2Private::storeGeometry() {
    // The outer position with the inner size: the pair that move() and
    // resize() take back, so a window reopens exactly where and as large as
    // it was. Without the product's key nothing is stored, by design.
    static_cast<void>(model.storeGeometry({q->width(), q->height(), q->x(), q->y()}));
}

void DocumentTypeSelectionDlg2Private::createControls() {
    documentGroupLabel = new QLabel(q);
    documentGroupLabel->setObjectName(QStringLiteral("documentGroupLabel"));
    documentTree = new QTreeWidget(q);
    documentTree->setObjectName(QStringLiteral("documentTree"));
    documentTree->setHeaderHidden(true);
    documentTree->setColumnCount(1);
    documentTree->setSelectionMode(QAbstractItemView::SingleSelection);
    documentTree->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    documentLabel = new QLabel(q);
    documentLabel->setObjectName(QStringLiteral("documentLabel"));
    documentList = new CKeyDrivenListCtrl(q);
    documentList->setObjectName(QStringLiteral("documentList"));
    CKeyDrivenListCtrlPrivate::get(*documentList).clock = services.clock;

    descriptionEdit = new QLineEdit(q);
    descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
    descriptionEdit->setReadOnly(true);
    // A stop of the Tab key, so that a screen reader user can reach the
    // description and read it at leisure.
    descriptionEdit->setFocusPolicy(Qt::StrongFocus);

    lastSelectedLabel = new QLabel(q);
    lastSelectedLabel->setObjectName(QStringLiteral("lastSelectedLabel"));
    lastSelectedCombo = new QComboBox(q);
    lastSelectedCombo->setObjectName(QStringLiteral("lastSelectedCombo"));
    lastSelectedCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    changeDomainButton = new QPushButton(q);
    changeDomainButton->setObjectName(QStringLiteral("changeDomainButton"));
    okButton = new QPushButton(QStringLiteral("OK"), q);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(q);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    // Groups beside types, the types taking the room the window gains; below
    // them the description, the recent types and the buttons, one row each.
    const auto pair = [](QBoxLayout* layout, QWidget* label, QWidget* control) {
        layout->addWidget(label);
        layout->addWidget(control, 1);
        return layout;
    };
    auto* lists = new QHBoxLayout;
    lists->addLayout(pair(new QVBoxLayout, documentGroupLabel, documentTree));
    lists->addLayout(pair(new QVBoxLayout, documentLabel, documentList), 1);
    QBoxLayout* recent = pair(new QHBoxLayout, lastSelectedLabel, lastSelectedCombo);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(changeDomainButton);
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* root = new QVBoxLayout(q);
    root->addLayout(lists, 1);
    root->addWidget(descriptionEdit);
    root->addLayout(recent);
    root->addLayout(buttons);

    QWidget::setTabOrder(documentTree, documentList);
    QWidget::setTabOrder(documentList, descriptionEdit);
    QWidget::setTabOrder(descriptionEdit, lastSelectedCombo);
    QWidget::setTabOrder(lastSelectedCombo, changeDomainButton);
    QWidget::setTabOrder(changeDomainButton, okButton);
    QWidget::setTabOrder(okButton, cancelButton);

    QObject::connect(documentTree, &QTreeWidget::currentItemChanged, q,
                     [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                         OnTvnSelchangedDocumentTree(current, previous);
                     });
    QObject::connect(documentList, &QListWidget::itemSelectionChanged, q,
                     [this] { OnLvnItemchangedDocumentList(); });
    QObject::connect(documentList, &CKeyDrivenListCtrl::listDoubleClicked, q,
                     [this] { OnNMDblclkDocumentList(); });
    QObject::connect(lastSelectedCombo, &QComboBox::activated, q,
                     [this] { OnCbnSelchangeLastSelectedCombo(); });
    QObject::connect(okButton, &QPushButton::clicked, q, [this] { OnBnClickedOk(); });
    QObject::connect(cancelButton, &QPushButton::clicked, q, &QDialog::reject);
    QObject::connect(changeDomainButton, &QPushButton::clicked, q,
                     [this] { OnBnClickedChangeDomain(); });
}

void DocumentTypeSelectionDlg2Private::OnInitDialog() {
    model.initialize(q->parentWidget());

    const ostrel::typeselection::DialogTexts& texts = model.getTexts();
    labelControl(documentGroupLabel, documentTree, texts.documentGroup);
    labelControl(documentLabel, documentList, texts.document);
    labelControl(lastSelectedLabel, lastSelectedCombo, texts.lastSelected);
    // The description has no label of its own; the tree's hidden header
    // would otherwise be read out as its column number.
    descriptionEdit->setAccessibleName(
        toQString(ostrel::i18n::translate(ostrel::i18n::text::description)));
    documentTree->setHeaderLabel(documentTree->accessibleName());
    cancelButton->setText(toQString(texts.cancel));
    changeDomainButton->setText(toQString(texts.changeDomain));
    q->setWindowTitle(toQString(texts.title));

    fillDocumentTree();
    for (const DocumentTypeItem* item : model.getDropDownEntries()) {
        lastSelectedCombo->addItem(toQString(item->getName()));
    }

    if (configuration != nullptr) {
        ostrel::platform::applyCustomFont(q, *configuration->getSharedConfiguration());
    }
    documentTree->setFixedWidth(dialogUnitsToPixels(q->font(), kTreeWidthUnits, 0).width());
    q->setMinimumSize(dialogUnitsToPixels(q->font(), kWidthUnits, kHeightUnits)
                          .expandedTo(q->layout()->minimumSize()));

    changeDomainButton->setEnabled(model.getAllowChangeDomain());
    changeDomainButton->setVisible(model.getAllowChangeDomain());

    applyGeometry();

    if (lastSelectedCombo->count() > 0) {
        // Selecting from code raises no choice of the user: run it here.
        lastSelectedCombo->setCurrentIndex(0);
        OnCbnSelchangeLastSelectedCombo();
    }
    documentList->setFocus();
}

void DocumentTypeSelectionDlg2Private::applyGeometry() {
    const SavedGeometry& saved = model.getSavedGeometry();
    std::optional<WindowSize> room;
    if (const QScreen* display = q->screen()) {
        const QSize available = display->availableGeometry().size();
        room = WindowSize{available.width(), available.height()};
    }
    const WindowSize size = ostrel::platform::detail::restoredWindowSize(
        {saved.width, saved.height}, {q->minimumWidth(), q->minimumHeight()}, room);
    q->resize(size.width, size.height);
    q->move(saved.x, saved.y);
}

void DocumentTypeSelectionDlg2Private::fillDocumentTree() {
    documentTree->clear();
    treeItems.clear();
    const QIcon icon = closedBook();
    const std::vector<ostrel::typeselection::TreeNode>& nodes = model.getTreeNodes();
    treeItems.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        QTreeWidgetItem* item = nodes[i].parent ? new QTreeWidgetItem(treeItems[*nodes[i].parent])
                                                : new QTreeWidgetItem(documentTree);
        item->setText(0, toQString(nodes[i].item->getName()));
        item->setIcon(0, icon);
        item->setData(0, kNodeRole, QVariant::fromValue(static_cast<qulonglong>(i)));
        treeItems.push_back(item);
    }
}

void DocumentTypeSelectionDlg2Private::showListedEntries() {
    std::vector<Ostrel::u8string> names;
    names.reserve(model.getListEntries().size());
    for (const DocumentTypeItem* entry : model.getListEntries()) {
        names.push_back(entry->getName());
    }
    documentList->setEntries(names, model.getListSearchKeys(), formPage());
    // A screen reader announces each type with its description.
    for (int row = 0; row < documentList->count(); ++row) {
        const auto entry = static_cast<std::size_t>(row);
        if (const auto description = model.describe(model.getListEntries()[entry])) {
            documentList->item(row)->setData(Qt::AccessibleDescriptionRole,
                                             toQString(*description));
        }
    }
}

void DocumentTypeSelectionDlg2Private::apply(const SelectionChange& change) {
    if (change.treeNode) {
        ensureVisibleAndSelect(*change.treeNode);
    }
    if (change.listRebuilt) {
        showListedEntries();
    }
    if (change.listEntry) {
        documentList->selectEntry(*change.listEntry);
    }
}

void DocumentTypeSelectionDlg2Private::ensureVisibleAndSelect(std::size_t node) {
    if (node >= treeItems.size()) {
        return;
    }
    QTreeWidgetItem* item = treeItems[node];
    // The model has already listed the group: the tree only follows it.
    selectingFromModel = true;
    documentTree->setCurrentItem(item);
    selectingFromModel = false;
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    documentTree->scrollToItem(item);
}

void DocumentTypeSelectionDlg2Private::OnTvnSelchangedDocumentTree(QTreeWidgetItem* current,
                                                                   QTreeWidgetItem* previous) {
    if (previous != nullptr) {
        previous->setIcon(0, closedBook());
    }
    if (current != nullptr) {
        current->setIcon(0, openBook());
    }
    if (selectingFromModel) {
        return;
    }
    std::optional<std::size_t> node;
    if (current != nullptr) {
        node = static_cast<std::size_t>(current->data(0, kNodeRole).toULongLong());
    }
    apply(model.selectTreeNode(node));
}

DocumentTypeItem* DocumentTypeSelectionDlg2Private::selectedListItem() const {
    const std::optional<std::size_t> entry = documentList->selectedEntry();
    const std::vector<DocumentTypeItem*>& entries = model.getListEntries();
    return entry && *entry < entries.size() ? entries[*entry] : nullptr;
}

void DocumentTypeSelectionDlg2Private::OnLvnItemchangedDocumentList() {
    if (const std::optional<Ostrel::u8string> description = model.describe(selectedListItem())) {
        descriptionEdit->setText(toQString(*description));
        descriptionEdit->setCursorPosition(0);
    }
}

void DocumentTypeSelectionDlg2Private::OnNMDblclkDocumentList() {
    OnBnClickedOk();
}

void DocumentTypeSelectionDlg2Private::OnCbnSelchangeLastSelectedCombo() {
    const int index = lastSelectedCombo->currentIndex();
    std::optional<std::size_t> entry;
    if (index >= 0) {
        entry = static_cast<std::size_t>(index);
    }
    apply(model.chooseRecent(entry, documentList->selectedEntry()));
}

void DocumentTypeSelectionDlg2Private::OnBnClickedOk() {
    // The list always shows the drop-down's choice as its selected entry, so
    // OK pressed while the drop-down has the focus (Enter in the closed
    // drop-down) takes the list's selected entry too: the type the user sees
    // chosen is the type the host gets.
    model.confirm(selectedListItem());
    q->accept();
}

void DocumentTypeSelectionDlg2Private::OnBnClickedChangeDomain() {
    model.requestChangeDomain();
    q->reject();
}
