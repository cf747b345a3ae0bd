#include "typeselection/TypeSelectionModel.h"

#include "doctypes/DocumentTypeItem.h"
#include "doctypes/DocumentTypeIterator.h"
#include "doctypes/DocumentTypes.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "i18n/ZMLanguageSettings.h"
#include "i18n/detail/DialogTexts.h"
#include "platform/Registry.h"
#include "platform/RegistryKey.h"
#include "platform/RegistryValue.h"

#include <algorithm>
#include <climits>
#include <list>
#include <memory>
#include <utility>

namespace ostrel::typeselection {
namespace {

using platform::Registry;
using platform::RegistryAccess;
using platform::RegistryRoot;
using platform::RegistryValue;

} // namespace

TypeSelectionModel::TypeSelectionModel(DocumentTypes& documentTypes_,
                                       OstrelDomainConfiguration* configuration_,
                                       const Ostrel::u8string& preselectedType_,
                                       bool allowChangeDomain_)
    : preselectedType(preselectedType_), documentTypes(documentTypes_),
      configuration(configuration_), allowChangeDomain(allowChangeDomain_) {}

void TypeSelectionModel::setLastSelected(const Ostrel::u8string& type) {
    lastSelectedTypes.addItem(type);
}

DocumentTemplate* TypeSelectionModel::getSelectedDocumentTemplate() const {
    return selectedItem != nullptr ? selectedItem->getTemplate() : nullptr;
}

void TypeSelectionModel::initialize(platform::WindowHandle parentWindow) {
    loadSettings(parentWindow);
    // Behind the types the host gave with setLastSelected.
    Ostrel::u8string recent;
    if (readValue(kLastSelectedValue, recent)) {
        // A damaged list still offers the types read before the damage.
        static_cast<void>(lastSelectedTypes.deserialize(recent, false));
    }

    using namespace i18n;
    texts.documentGroup = translate(text::documentGroup);
    texts.document = translate(text::document);
    texts.cancel = translate(text::cancel);
    texts.lastSelected = translate(text::lastSelected);
    texts.changeDomain = translate(text::changeDomain);
    std::string title = translate(text::documentTypeSelection).str();
    Ostrel::u8string connection;
    if (allowChangeDomain && configuration != nullptr &&
        configuration->getValue("Connection.Name", connection) && !connection.empty()) {
        title += " [" + connection.str() + "]";
    }
    texts.title = Ostrel::u8string(std::move(title));

    fillDocumentTree();
    fillDropDown();
}

void TypeSelectionModel::fillDocumentTree() {
    treeNodes.clear();
    selectedTreeNode.reset();
    // Depth-first with a stack of its own rather than by recursion, so that a
    // catalogue nested however deep cannot exhaust the call stack.
    struct Level {
        std::unique_ptr<DocumentTypeIterator> children;
        std::optional<std::size_t> node;
    };
    std::vector<Level> levels;
    std::unique_ptr<DocumentTypeIterator> top(documentTypes.getIterator());
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
        treeNodes.push_back({item, levels.back().node});
        std::unique_ptr<DocumentTypeIterator> children(item->getIterator());
        if (!children) {
            return; // the tree keeps the nodes found so far
        }
        levels.push_back({std::move(children), treeNodes.size() - 1});
    }
}

void TypeSelectionModel::fillDropDown() {
    dropDownEntries.clear();
    std::list<Ostrel::u8string> types;
    if (!preselectedType.empty() &&
        documentTypes.getDocTypeItem(preselectedType.str()) != nullptr) {
        types.push_back(preselectedType);
    }
    lastSelectedTypes.getSelectedItemsList(types);
    for (const Ostrel::u8string& type : types) {
        if (DocumentTypeItem* item = documentTypes.getDocTypeItem(type.str())) {
            dropDownEntries.push_back(item);
        }
    }
}

bool TypeSelectionModel::fillDocumentList(DocumentTypeItem* item) {
    if (item == nullptr) {
        return false;
    }
    if (item == listedItem) {
        return true;
    }
    listedItem = item;
    listEntries.clear();
    listSearchKeys.clear();
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
    listEntries.reserve(entries.size());
    listSearchKeys.reserve(entries.size());
    for (Entry& entry : entries) {
        listEntries.push_back(entry.item);
        listSearchKeys.push_back(std::move(entry.key));
    }
    return true;
}

SelectionChange TypeSelectionModel::selectTreeNode(std::optional<std::size_t> node) {
    SelectionChange change;
    selectedTreeNode = node && *node < treeNodes.size() ? node : std::nullopt;
    if (!selectedTreeNode) {
        return change;
    }
    const DocumentTypeItem* before = listedItem;
    fillDocumentList(treeNodes[*node].item);
    change.listRebuilt = listedItem != before;
    if (!listEntries.empty()) {
        change.listEntry = 0;
    }
    return change;
}

SelectionChange TypeSelectionModel::chooseRecent(std::optional<std::size_t> entry,
                                                 std::optional<std::size_t> listSelection) {
    SelectionChange change;
    if (!entry || *entry >= dropDownEntries.size()) {
        return change;
    }
    const DocumentTypeItem* chosen = dropDownEntries[*entry];
    if (chosen->getParent() == nullptr) {
        return change;
    }
    std::optional<std::size_t> selected = listSelection;
    if (const std::optional<std::size_t> node = findTreeNode(chosen->getParent())) {
        change.treeNode = node;
        // Only a change of the tree's selection lists the group anew (and
        // selects its first entry); the group already selected keeps its list.
        if (node != selectedTreeNode) {
            const SelectionChange listed = selectTreeNode(node);
            change.listRebuilt = listed.listRebuilt;
            selected = listed.listEntry;
        }
    }
    // From the end, as the list is searched for the chosen item.
    for (std::size_t i = listEntries.size(); i-- > 0;) {
        if (listEntries[i] == chosen) {
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
    const auto found = std::find_if(treeNodes.begin(), treeNodes.end(),
                                    [item](const TreeNode& node) { return node.item == item; });
    if (found == treeNodes.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - treeNodes.begin());
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
    selectedItem = entry;
    if (selectedItem == nullptr) {
        return;
    }
    lastSelectedTypes.addItem(selectedItem->getType());
    Ostrel::u8string text;
    if (lastSelectedTypes.serialize(text)) {
        // Without the product's key nothing is stored, by design.
        static_cast<void>(persistLastSelected(text));
    }
}

bool TypeSelectionModel::storeGeometry(int width, int height, int x, int y) {
    return storeValue(kGeometryValue, Ostrel::u8string(formatGeometry(width, height, x, y)));
}

std::array<int, 4> TypeSelectionModel::parseGeometry(const std::string& text) {
    std::array<int, 4> numbers{};
    std::size_t field = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            if (++field == numbers.size()) {
                break;
            }
            continue;
        }
        int& number = numbers[field];
        const int digit = c - '0';
        number = number > (INT_MAX - digit) / 10 ? INT_MAX : number * 10 + digit;
    }
    return numbers;
}

std::string TypeSelectionModel::formatGeometry(int width, int height, int x, int y) {
    std::string text;
    for (const int number : {width, height, x, y}) {
        text += std::to_string(number);
        text += ';';
    }
    return text;
}

bool TypeSelectionModel::readValue(const Ostrel::u8string& name, Ostrel::u8string& value) const {
    const auto key = Registry::getDefault().openKey(RegistryRoot::CurrentUser, kSettingsKey,
                                                    RegistryAccess::Read);
    if (!key) {
        return false;
    }
    const std::optional<RegistryValue> stored = key->queryValue(name.str());
    if (!stored) {
        return false;
    }
    // Read as the wide registry functions read it, whatever its type.
    value =
        Ostrel::u8string(RegistryValue::textFromWideData(stored->data(platform::TextWidth::Wide)));
    return true;
}

bool TypeSelectionModel::storeValue(const Ostrel::u8string& name, const Ostrel::u8string& value) {
    const auto key = Registry::getDefault().openKey(RegistryRoot::CurrentUser, kSettingsKey,
                                                    RegistryAccess::ReadWrite);
    return key && key->setValue(name.str(), RegistryValue::string(value.str()));
}

bool TypeSelectionModel::persistLastSelected(const Ostrel::u8string& text) {
    return storeValue(kLastSelectedValue, text);
}

void TypeSelectionModel::loadSettings(platform::WindowHandle parentWindow) {
    Ostrel::u8string text;
    if (!readValue(kGeometryValue, text)) {
        return;
    }
    const std::array<int, 4> numbers = parseGeometry(text.str());
    savedGeometry.width = numbers[0];
    savedGeometry.height = numbers[1];
    const platform::ScreenPoint position = platform::restoredPosition(
        parentWindow, {numbers[2], numbers[3]}, {savedGeometry.x, savedGeometry.y});
    savedGeometry.x = position.x;
    savedGeometry.y = position.y;
}

} // namespace ostrel::typeselection
