#pragma once

#include "ostrel_export.h"

#include "doctypes/LastSelectedTypes.h"
#include "host/base/U8String.h"
#include "platform/Monitors.h"

#include <array>
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

/// The window geometry to apply at start-up, in screen coordinates. A size of
/// 0 stands for the smallest size the dialog allows.
struct OSTREL_EXPORT SavedGeometry {
    int width = 0;
    int height = 0;
    int x = 50;
    int y = 50;
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
/// tree or the drop-down selects, the confirmation, and the settings kept
/// under "Software\Zelvamont\Ostrel\5.0" of the current user in the
/// process-wide store (platform::Registry): the window geometry
/// ("DocumentTypeSelectionDialogSize") and the recent types
/// ("lastSelectedDocument").
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
/// The catalogue and the configuration must outlive the model; the model
/// never changes the catalogue.
class OSTREL_EXPORT TypeSelectionModel {
public:
    static constexpr const char* kSettingsKey = "Software\\Zelvamont\\Ostrel\\5.0";
    static constexpr const char* kGeometryValue = "DocumentTypeSelectionDialogSize";
    static constexpr const char* kLastSelectedValue = "lastSelectedDocument";
    /// How many recent types are kept.
    static constexpr unsigned long kRecentTypes = 10;

    /// `configuration` must not be null. Nothing is read until `initialize`.
    TypeSelectionModel(DocumentTypes& documentTypes, OstrelDomainConfiguration* configuration,
                       const Ostrel::u8string& preselectedType, bool allowChangeDomain);

    /// Puts `type` at the front of the recent types; the stored list is read
    /// behind it at start-up. Nothing is stored by this.
    void setLastSelected(const Ostrel::u8string& type);
    /// The template of the type confirmed with OK; null when none was chosen.
    DocumentTemplate* getSelectedDocumentTemplate() const;
    /// Whether the user left through Change Domain.
    bool getChangeDomain() const { return changeDomain; }
    bool getAllowChangeDomain() const { return allowChangeDomain; }

    /// The start-up: reads the geometry (placed on the monitor nearest to
    /// `parentWindow`, see `loadSettings`) and the stored recent types, and
    /// computes the texts, the tree and the drop-down.
    void initialize(platform::WindowHandle parentWindow);

    const DialogTexts& getTexts() const { return texts; }
    const SavedGeometry& getSavedGeometry() const { return savedGeometry; }
    /// The tree, depth-first: every catalogue item with a creatable item
    /// below it, nested and ordered as in the catalogue.
    const std::vector<TreeNode>& getTreeNodes() const { return treeNodes; }
    /// The drop-down: the preselected type when the catalogue knows it, then
    /// the recent types, most recent first, each once; unknown types left out.
    const std::vector<DocumentTypeItem*>& getDropDownEntries() const { return dropDownEntries; }

    /// Shows the creatable children of `item` in the list, sorted by name
    /// (letter case ignored, ties by bytes). Listing the listed item again
    /// changes nothing. False for a null item.
    bool fillDocumentList(DocumentTypeItem* item);
    DocumentTypeItem* getListedItem() const { return listedItem; }
    /// The list's entries, in the order shown.
    const std::vector<DocumentTypeItem*>& getListEntries() const { return listEntries; }
    /// The entries' names with letter case folded, for the type-ahead search.
    const std::vector<std::u32string>& getListSearchKeys() const { return listSearchKeys; }

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
    void requestChangeDomain() { changeDomain = true; }

    /// Stores the geometry of the closing window ("640;480;100;120;" for a
    /// 640 by 480 window at (100, 120)); false when the store refused.
    [[nodiscard]] bool storeGeometry(int width, int height, int x, int y);

    /// The four numbers of a stored geometry text (width, height, left, top):
    /// digits accumulate in the current number, any other character moves on
    /// to the next; characters after the fourth number are ignored, a missing
    /// number is 0, and a number too large for an int is the largest int.
    static std::array<int, 4> parseGeometry(const std::string& text);
    /// The geometry text: the four numbers in signed decimal, each followed
    /// by ";".
    static std::string formatGeometry(int width, int height, int x, int y);

    /// Reads value `name` of the settings key, whatever its type, as wide
    /// text. False, `value` unchanged, when the key or the value is missing.
    [[nodiscard]] bool readValue(const Ostrel::u8string& name, Ostrel::u8string& value) const;
    /// Writes `value` as a string. False when the store cannot open the key
    /// (the registry form never creates a missing one) or refuses the write.
    [[nodiscard]] bool storeValue(const Ostrel::u8string& name, const Ostrel::u8string& value);
    /// Stores the recent types' text as "lastSelectedDocument".
    [[nodiscard]] bool persistLastSelected(const Ostrel::u8string& text);
    /// Reads the geometry. The stored position is kept only when it lies on
    /// the monitor nearest to `parentWindow`; otherwise the window opens 50
    /// pixels into that monitor, and without a parent (or a monitor) at
    /// (50, 50).
    void loadSettings(platform::WindowHandle parentWindow);

private:
    void fillDocumentTree();
    void fillDropDown();
    std::optional<std::size_t> findTreeNode(const DocumentTypeItem* item) const;

    Ostrel::u8string preselectedType;
    SavedGeometry savedGeometry;
    LastSelectedTypes lastSelectedTypes{kRecentTypes};
    DocumentTypes& documentTypes;
    DocumentTypeItem* selectedItem = nullptr;
    DocumentTypeItem* listedItem = nullptr;
    OstrelDomainConfiguration* configuration;
    bool allowChangeDomain;
    bool changeDomain = false;

    DialogTexts texts;
    std::vector<TreeNode> treeNodes;
    std::optional<std::size_t> selectedTreeNode;
    std::vector<DocumentTypeItem*> dropDownEntries;
    std::vector<DocumentTypeItem*> listEntries;
    std::vector<std::u32string> listSearchKeys;
};

} // namespace ostrel::typeselection
