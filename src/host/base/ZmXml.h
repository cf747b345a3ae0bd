#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <functional>
#include <memory>

/// Small helpers over libxml2 trees, shared by the readers of the library's
/// XML files (identifier files, template descriptions).
namespace zmxml {

/// Owns a parsed document.
struct OSTREL_EXPORT DocDeleter {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

/// Owns a text returned by libxml2.
struct OSTREL_EXPORT XmlCharDeleter {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlCharPtr = std::unique_ptr<xmlChar, XmlCharDeleter>;

/// Parses an XML file without network access and without expanding entities.
/// A document that declares entities of its own in a DTD (general or
/// parameter entities) or names an external DTD is refused, so that
/// neither an entity-expansion bomb nor an external entity can be smuggled
/// into a value. The file is opened as a zmdisk::InputFile (regular files
/// only, never standard input) and parsed from what was opened. Returns the
/// document, or null when the file is missing, unreadable, not a regular
/// file, malformed or refused.
[[nodiscard]] OSTREL_EXPORT DocPtr loadFile(const Ostrel::u8string& fileName);

/// Parses an XML file exactly as loadFile does, but hands each element child
/// of the root element to `onChild` as soon as it has been parsed whole, and
/// frees it (with the text and comments before it) once `onChild` returns:
/// a large file is never in memory whole, only its root and one child. The
/// returned document keeps its root element without those children; null
/// where loadFile gives null. A file refused as unsafe is refused before any
/// child is handed over, and a file found malformed after some children were
/// handed over is still null: callers keep what they make of the children
/// until the end.
[[nodiscard]] OSTREL_EXPORT DocPtr streamFile(const Ostrel::u8string& fileName,
                                              const std::function<void(xmlNodePtr)>& onChild);

/// The same as loadFile, over bytes in memory (used by tests and fuzz targets).
[[nodiscard]] OSTREL_EXPORT DocPtr loadMemory(const char* data, std::size_t size);

/// The first element at or after `node` among its siblings, or null.
OSTREL_EXPORT xmlNodePtr getElement(xmlNodePtr node);
/// The first element child of `node`, or null.
OSTREL_EXPORT xmlNodePtr getChildElement(xmlNodePtr node);
/// The next sibling element of `node`, or null.
OSTREL_EXPORT xmlNodePtr getNextElement(xmlNodePtr node);
/// Sets `text` to the content of the element's first child node (empty when
/// it has none) and returns whether there was such a child.
OSTREL_EXPORT bool getElementText(xmlNodePtr node, Ostrel::u8string& text);
/// Reads an XML attribute with entities decoded; false, `value` unchanged,
/// when the attribute is absent.
OSTREL_EXPORT bool getPropertyString(xmlNodePtr node, const char* name, Ostrel::u8string& value);
/// Whether the element's name is exactly `name`.
OSTREL_EXPORT bool hasName(xmlNodePtr node, const char* name);

/// Silences libxml2's generic error channel for its lifetime. Some faults
/// (input that cannot be decoded in its declared encoding, a bare "&" handed
/// in as node content) are printed on standard error whatever the parse
/// options; the host's console is not ours to write to, so the library's
/// readers and writers report failures through their results only.
class OSTREL_EXPORT MutedErrors {
public:
    MutedErrors();
    ~MutedErrors();
    MutedErrors(const MutedErrors&) = delete;
    MutedErrors& operator=(const MutedErrors&) = delete;

private:
    xmlGenericErrorFunc handler_;
    void* context_;
};

} // namespace zmxml
