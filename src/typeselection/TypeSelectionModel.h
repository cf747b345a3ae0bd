#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "platform/Services.h"
#include "typeselection/TypeSelectionSettings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class DocumentTemplate;
class DocumentTypeItem;
class DocumentTypes;
class OstrelDomainConfiguration;

namespace ostrel::typeselection {

/// A node of the document group tree: a catalogue item that has a creatable
/// item below it. Nodes are kept depth-first, a node before its children.
struct OSTREL_EXPORT TreeNode {
    DocumentTypeItem* item = nullptr;
    /// The index of the parent node; nothing for a top-level node.
    std::optional<std::size_t> parent;
};

/// The translated texts of the dialog's window and controls.
struct OSTREL_EXPORT DialogTexts {
    Ostrel::u8string title;
    Ostrel::u8string documentGroup; ///< label above the tree
    Ostrel::u8string document;      ///< label above the list
    Ostrel::u8string lastSelected;  ///< label of the drop-down
    Ostrel::u8string changeDomain;  ///< the button that leaves for another domain
    Ostrel::u8string cancel;
};

/// What the view changes after a selection in the tree or the drop-down.
struct OSTREL_EXPORT SelectionChange {
    /// The tree node to make the selected and visible one; nothing when the
    /// tree selection stays.
    std::optional<std::size_t> treeNode;
    /// Whether the list now shows other entries (`getListEntries`).
    bool listRebuilt = false;
    /// The list entry to select, focus, mark and scroll into view (it may be
    /// the selected one already); nothing when the list selection stays.
    std::optional<std::size_t> listEntry;
};

/// Everything the type selection dialog decides, without a toolkit: which
/// groups the tree shows, which document types the list shows and in which
/// order, the recent types of the drop-down, the texts, what a choice in the
/// tree or the drop-down selects, the confirmation, and what the dialog
/// remembers (TypeSelectionSettings: the window geometry and the recent
/// types).
///
/// The dialog (DocumentTypeSelectionDlg2) shows what the model computes and
/// reports what the user does:
///
///     TypeSelectionModel model(types, &configuration, preselected, true);
///     model.initialize(parentWindow);
///     SelectionChange start = model.chooseRecent(0, std::nullopt);
///     ...
///     model.confirm(model.getListEntries()[selectedRow]);
///     DocumentTemplate* chosen = model.getSelectedDocumentTemplate();
///
/// The catalogue, the configuration and the services must outlive the
/// model; the model never changes the catalogue.
class OSTREL_EXPORT TypeSelectionModel {
public:
    /// `configuration` may be null: the title then names no connection.
    /// Nothing is read until `initialize`.
    TypeSelectionModel(DocumentTypes& documentTypes, OstrelDomainConfiguration* configuration,
                       const Ostrel::u8string& preselectedType, bool allowChangeDomain,
                       const platform::Services& services = {});

    /// Puts `type` at the front of the recent types; the stored list is read
    /// behind it at start-up. Nothing is stored by this.
    void setLastSelected(const Ostrel::u8string& type);
    /// The template of the type confirmed with OK; null when none was chosen.
    DocumentTemplate* getSelectedDocumentTemplate() const;
    /// Whether the user left through Change Domain.
    bool getChangeDomain() const { return changeDomain_; }
    bool getAllowChangeDomain() const { return allowChangeDomain_; }

    /// The start-up: reads the settings (the geometry placed on the monitor
    /// nearest to `parentWindow`, see TypeSelectionSettings::load) and
    /// computes the texts, the tree and the drop-down.
    void initialize(platform::WindowHandle parentWindow);

    const DialogTexts& getTexts() const { return texts_; }
    const SavedGeometry& getSavedGeometry() const { return settings_.geometry; }
    /// The tree, depth-first: every catalogue item with a creatable item
    /// below it, nested and ordered as in the catalogue.
    const std::vector<TreeNode>& getTreeNodes() const { return treeNodes_; }
    /// The drop-down: the preselected type when the catalogue knows it, then
    /// the recent types, most recent first, each once; unknown types left out.
    const std::vector<DocumentTypeItem*>& getDropDownEntries() const { return dropDownEntries_; }

    /// The list's entries, in the order shown.
    const std::vector<DocumentTypeItem*>& getListEntries() const { return listEntries_; }
    /// The entries' names with letter case folded, for the type-ahead search.
    const std::vector<std::u32string>& getListSearchKeys() const { return listSearchKeys_; }

    /// The user selected tree node `node` (nothing: no node): the list shows
    /// that group's types and its first entry is selected.
    SelectionChange selectTreeNode(std::optional<std::size_t> node);
    /// The user chose drop-down entry `entry` while list entry `listSelection`
    /// was selected: the group of the chosen type becomes the selected tree
    /// node (the list is rebuilt only when another group was listed) and the
    /// chosen type the selected entry.
    SelectionChange chooseRecent(std::optional<std::size_t> entry,
                                 std::optional<std::size_t> listSelection);

    /// The description the dialog shows for a list entry, normalised; nothing
    /// (the box keeps its text) for no entry or one without a template.
    std::optional<Ostrel::u8string> describe(const DocumentTypeItem* entry) const;
    /// Blanks, line feeds and carriage returns as single spaces: none at the
    /// start, one for each run; other characters, tabs too, as they are.
    static Ostrel::u8string normalizeDescription(const Ostrel::u8string& description);

    /// OK with `entry` selected in the list (null: none): it becomes the
    /// chosen type, moves to the front of the recent types, and the recent
    /// types are stored. With no entry nothing is stored.
    void confirm(DocumentTypeItem* entry);
    /// Change Domain: the dialog closes with Cancel and nothing is chosen.
    void requestChangeDomain() { changeDomain_ = true; }

    /// Stores the geometry of the closing window; false when the store
    /// refused.
    [[nodiscard]] bool storeGeometry(const SavedGeometry& window) const;

private:
    /// Shows the creatable children of `item` in the list, sorted by name
    /// (letter case ignored, ties by bytes). Listing the listed item again
    /// changes nothing. False for a null item.
    bool fillDocumentList(DocumentTypeItem* item);
    void fillDocumentTree();
    void fillDropDown();
    std::optional<std::size_t> findTreeNode(const DocumentTypeItem* item) const;

    Ostrel::u8string preselectedType_;
    TypeSelectionSettings settings_;
    DocumentTypes& documentTypes_;
    DocumentTypeItem* selectedItem_ = nullptr;
    DocumentTypeItem* listedItem_ = nullptr;
    OstrelDomainConfiguration* configuration_;
    bool allowChangeDomain_;
    bool changeDomain_ = false;
    platform::Services services_;

    DialogTexts texts_;
    std::vector<TreeNode> treeNodes_;
    std::optional<std::size_t> selectedTreeNode_;
    std::vector<DocumentTypeItem*> dropDownEntries_;
    std::vector<DocumentTypeItem*> listEntries_;
    std::vector<std::u32string> listSearchKeys_;
};

} // namespace ostrel::typeselection
