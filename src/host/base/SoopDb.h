#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zm_soop {

/// One element read by a soop_db: its attributes, entities already decoded.
class OSTREL_EXPORT soop_node {
public:
    /// The attribute's text, or null when the element has no such attribute.
    /// The pointer stays valid as long as the database that produced the node.
    const char* getAttr(const char* name) const;

    const std::string& getName() const { return name_; }

private:
    friend class soop_db;
    std::string name_;
    // Name and text of each attribute, pointing into the database's parsed
    // file: large identifier files are read without copying every value.
    std::vector<std::pair<const char*, const char*>> attributes_;
};

/// A small read-only database over an XML file: the file's elements grouped
/// in named lists, one list per element name that the caller declares.
class OSTREL_EXPORT soop_db {
public:
    soop_db();
    ~soop_db();
    soop_db(const soop_db&) = delete;
    soop_db& operator=(const soop_db&) = delete;

    /// Reads the file. False when it is missing, unreadable, not well-formed
    /// XML or refused as unsafe (see zmxml::loadFile); the database is then
    /// empty.
    [[nodiscard]] bool init(const Ostrel::u8string& file);
    /// Same, from bytes in memory.
    [[nodiscard]] bool initFromMemory(const char* data, std::size_t size);

    /// Declares a list: every element of that name, at any depth, in file
    /// order. Returns false when the name was already declared.
    bool addList(const char* name);
    /// The nodes of a declared list in file order; empty for an undeclared one.
    const std::vector<const soop_node*>& getList(const char* name) const;
    /// The name of the file's root element; empty when nothing was read.
    const std::string& getRootName() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zm_soop
