#include "typeselection/TypeSelectionModel.h"

#include "doctypes/DocumentTypeItem.h"
#include "doctypes/DocumentTypeIterator.h"
#include "doctypes/DocumentTypes.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"

#include <algorithm>
#include <list>
#include <memory>
#include <utility>

namespace ostrel::typeselection {

TypeSelectionModel::TypeSelectionModel(DocumentTypes& documentTypes,
                                       OstrelDomainConfiguration* configuration,
                                       const Ostrel::u8string& preselectedType,
                                       bool allowChangeDomain, const platform::Services& services)
    : preselectedType_(preselectedType), documentTypes_(documentTypes),
      configuration_(configuration), allowChangeDomain_(allowChangeDomain), services_(services) {}

void TypeSelectionModel::setLastSelected(const Ostrel::u8string& type) {
    settings_.lastSelectedTypes.addItem(type);
}

DocumentTemplate* TypeSelectionModel::getSelectedDocumentTemplate() const {
    return selectedItem_ != nullptr ? selectedItem_->getTemplate() : nullptr;
}

void TypeSelectionModel::initialize(platform::WindowHandle parentWindow) {
    // The stored recent types come behind those the host gave with setLastSelected.
    settings_.load(parentWindow, services_);

    using namespace i18n;
    texts_.documentGroup = translate(text::documentGroup);
    texts_.document = translate(text::document);
    texts_.cancel = translate(text::cancel);
    texts_.lastSelected = translate(text::lastSelected);
    texts_.changeDomain = translate(text::changeDomain);
    std::string title = translate(text::documentTypeSelection).str();
    Ostrel::u8string connection;
    if (allowChangeDomain_ && configuration_ != nullptr &&
        configuration_->getValue("Connection.Name", connection) && !connection.empty()) {
        title += " [" + connection.str() + "]";
    }
    texts_.title = Ostrel::u8string(std::move(title));

    fillDocumentTree();
    fillDropDown();
}

void TypeSelectionModel::fillDocumentTree() {
    treeNodes_.clear();
    selectedTreeNode_.reset();
    // Depth-first with a stack of its own rather than by recursion, so that a
    // catalogue nested however deep cannot exhaust the call stack.
    struct Level {
        std::unique_ptr<DocumentTypeIterator> children;
        std::optional<std::size_t> node;
    };
    std::vector<Level> levels;
    std::unique_ptr<DocumentTypeIterator> top(documentTypes_.getIterator());
    if (!top) {
        return;
    }
    levels.push_back({std::move(top), std::nullopt});
    while (!levels.empty()) {
        DocumentTypeItem* item = levels.back().children->next();
        if (item == nullptr) {
            levels.pop_back();
            continue;
        }
        if (!item->getCreatableChildsFlag()) {
            continue;
        }
        treeNodes_.push_back({item, levels.back().node});
        std::unique_ptr<DocumentTypeIterator> children(item->getIterator());
        if (!children) {
            return; // the tree keeps the nodes found so far
        }
        levels.push_back({std::move(children), treeNodes_.size() - 1});
    }
}

void TypeSelectionModel::fillDropDown() {
    dropDownEntries_.clear();
    std::list<Ostrel::u8string> types;
    if (!preselectedType_.empty() &&
        documentTypes_.getDocTypeItem(preselectedType_.str()) != nullptr) {
        types.push_back(preselectedType_);
    }
    settings_.lastSelectedTypes.getSelectedItemsList(types);
    for (const Ostrel::u8string& type : types) {
        if (DocumentTypeItem* item = documentTypes_.getDocTypeItem(type.str())) {
            dropDownEntries_.push_back(item);
        }
    }
}

bool TypeSelectionModel::fillDocumentList(DocumentTypeItem* item) {
    if (item == nullptr) {
        return false;
    }
    if (item == listedItem_) {
        return true;
    }
    listedItem_ = item;
    listEntries_.clear();
    listSearchKeys_.clear();
    std::unique_ptr<DocumentTypeIterator> children(item->getIterator());
    if (!children) {
        return false;
    }
    struct Entry {
        std::u32string key;
        DocumentTypeItem* item;
    };
    std::vector<Entry> entries;
    while (DocumentTypeItem* child = children->next()) {
        if (child->getCanCreate()) {
            entries.push_back({ostrel::foldCase(child->getName().str()), child});
        }
    }
    // By name with letter case ignored, which is also the order the
    // type-ahead search relies on; names alike but for case by their bytes.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (const int order = a.key.compare(b.key); order != 0) {
            return order < 0;
        }
        return a.item->getName() < b.item->getName();
    });
    listEntries_.reserve(entries.size());
    listSearchKeys_.reserve(entries.size());
    for (Entry& entry : entries) {
        listEntries_.push_back(entry.item);
        listSearchKeys_.push_back(std::move(entry.key));
    }
    return true;
}

SelectionChange TypeSelectionModel::selectTreeNode(std::optional<std::size_t> node) {
    SelectionChange change;
    selectedTreeNode_ = node && *node < treeNodes_.size() ? node : std::nullopt;
    if (!selectedTreeNode_) {
        return change;
    }
    const DocumentTypeItem* before = listedItem_;
    fillDocumentList(treeNodes_[*node].item);
    change.listRebuilt = listedItem_ != before;
    if (!listEntries_.empty()) {
        change.listEntry = 0;
    }
    return change;
}

SelectionChange TypeSelectionModel::chooseRecent(std::optional<std::size_t> entry,
                                                 std::optional<std::size_t> listSelection) {
    SelectionChange change;
    if (!entry || *entry >= dropDownEntries_.size()) {
        return change;
    }
    const DocumentTypeItem* chosen = dropDownEntries_[*entry];
    if (chosen->getParent() == nullptr) {
        return change;
    }
    std::optional<std::size_t> selected = listSelection;
    if (const std::optional<std::size_t> node = findTreeNode(chosen->getParent())) {
        change.treeNode = node;
        // Only a change of the tree's selection lists the group anew (and
        // selects its first entry); the group already selected keeps its list.
        if (node != selectedTreeNode_) {
            const SelectionChange listed = selectTreeNode(node);
            change.listRebuilt = listed.listRebuilt;
            selected = listed.listEntry;
        }
    }
    // From the end, as the list is searched for the chosen item.
    for (std::size_t i = listEntries_.size(); i-- > 0;) {
        if (listEntries_[i] == chosen) {
            selected = i;
            break;
        }
    }
    change.listEntry = selected;
    return change;
}

std::optional<std::size_t> TypeSelectionModel::findTreeNode(const DocumentTypeItem* item) const {
    // The nodes are kept depth-first, so the first one found is the one a
    // depth-first search of the tree finds.
    if (item == nullptr) {
        return std::nullopt;
    }
    const auto found = std::find_if(treeNodes_.begin(), treeNodes_.end(),
                                    [item](const TreeNode& node) { return node.item == item; });
    if (found == treeNodes_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - treeNodes_.begin());
}

std::optional<Ostrel::u8string> TypeSelectionModel::describe(const DocumentTypeItem* entry) const {
    if (entry == nullptr || entry->getTemplate() == nullptr) {
        return std::nullopt;
    }
    return normalizeDescription(entry->getDescription());
}

Ostrel::u8string TypeSelectionModel::normalizeDescription(const Ostrel::u8string& description) {
    std::string out;
    out.reserve(description.size());
    for (const char c : description.str()) {
        if (c == ' ' || c == '\n' || c == '\r') {
            if (!out.empty() && out.back() != ' ') {
                out.push_back(' ');
            }
        } else {
            out.push_back(c);
        }
    }
    return Ostrel::u8string(std::move(out));
}

void TypeSelectionModel::confirm(DocumentTypeItem* entry) {
    selectedItem_ = entry;
    if (selectedItem_ == nullptr) {
        return;
    }
    settings_.lastSelectedTypes.addItem(selectedItem_->getType());
    // Without the product's key nothing is stored, by design.
    static_cast<void>(settings_.saveLastSelected(services_));
}

bool TypeSelectionModel::storeGeometry(const SavedGeometry& window) const {
    return TypeSelectionSettings::saveGeometry(window, services_);
}

} // namespace ostrel::typeselection
