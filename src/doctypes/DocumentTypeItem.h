#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <list>
#include <memory>
#include <unordered_map>

class DocumentTemplate;
class DocumentTypeIterator;

/// One node of the document type catalogue: a group or a document type. A
/// node owns its children and deletes them (and so its whole subtree) when
/// it is destroyed. Copies are deep: a copy owns copies of the children,
/// whose parent is the copy.
class OSTREL_EXPORT DocumentTypeItem {
public:
    /// Stores the arguments; the node starts without children. A creatable
    /// node marks its parent and every ancestor up to the root as having
    /// creatable children. The node does not add itself to the parent.
    DocumentTypeItem(DocumentTypeItem* parent, const Ostrel::u8string& type,
                     const Ostrel::u8string& name, const Ostrel::u8string& description,
                     DocumentTemplate* documentTemplate, bool canCreate);
    DocumentTypeItem(const DocumentTypeItem& other);
    DocumentTypeItem& operator=(const DocumentTypeItem& other);
    ~DocumentTypeItem();

    /// Appends `child` and takes ownership of it; the child's parent is not
    /// changed. False, ownership staying with the caller, for null or for the
    /// node itself. A node must not be added twice or below itself.
    bool addChild(DocumentTypeItem* child);

    DocumentTypeItem* getParent() const { return parent_; }
    const Ostrel::u8string& getType() const { return type_; }
    const Ostrel::u8string& getName() const { return name_; }
    const Ostrel::u8string& getDescription() const { return description_; }
    /// The template a document of this type is created from; null for groups.
    DocumentTemplate* getTemplate() const { return template_; }
    bool getCanCreate() const { return canCreate_; }
    /// Whether some node below this one can be chosen to create a document.
    bool getCreatableChildsFlag() const { return creatableChildsFlag_; }

    /// A new iterator over the children; the caller deletes it.
    DocumentTypeIterator* getIterator() const;

private:
    friend class DocumentTypeIterator;
    friend class DocumentTypes;
    using Children = std::list<std::unique_ptr<DocumentTypeItem>>;
    using CopyMap = std::unordered_map<const DocumentTypeItem*, DocumentTypeItem*>;

    /// Makes this node a deep copy of `other`, entering every copied node
    /// under its original into `copies` when given.
    void copyFrom(const DocumentTypeItem& other, CopyMap* copies);
    /// Deletes whole subtrees without recursing, so that a deep chain of
    /// nodes cannot exhaust the stack.
    static void deleteSubtrees(Children& subtrees);

    DocumentTypeItem* parent_;
    Ostrel::u8string type_;
    Ostrel::u8string name_;
    Ostrel::u8string description_;
    DocumentTemplate* template_;
    Children children_;
    bool canCreate_;
    bool creatableChildsFlag_ = false;
};
