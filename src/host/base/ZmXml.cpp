#include "host/base/ZmXml.h"

#include "host/base/File.h"

#include <libxml/SAX2.h>
#include <libxml/globals.h>
#include <libxml/parser.h>

#include <climits>
#include <cstring>

namespace zmxml {
namespace {

// No network, no entity substitution, no DTD loading, and no messages on the
// host's standard error: failures are reported through null results only.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

bool declaresEntitiesOrExternalSubset(const xmlDtd* dtd) {
    // Parameter entities count too: they are where an external entity or an
    // expansion bomb would be built up.
    return dtd != nullptr && (dtd->entities != nullptr || dtd->pentities != nullptr ||
                              dtd->SystemID != nullptr || dtd->ExternalID != nullptr);
}

xmlDocPtr refuseUnsafe(xmlDocPtr doc) {
    if (doc == nullptr) {
        return nullptr;
    }
    // An external subset is never loaded (no XML_PARSE_DTDLOAD), but a file
    // that names one, or declares entities inline, is not one of ours.
    if (declaresEntitiesOrExternalSubset(doc->intSubset) || doc->extSubset != nullptr) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    return doc;
}

void ignoreError(void*, const char*, ...) {}

} // namespace

MutedErrors::MutedErrors() : handler_(xmlGenericError), context_(xmlGenericErrorContext) {
    xmlSetGenericErrorFunc(nullptr, &ignoreError);
}

MutedErrors::~MutedErrors() {
    xmlSetGenericErrorFunc(context_, handler_);
}

namespace {

int readInput(void* context, char* buffer, int size) {
    return static_cast<int>(
        static_cast<zmdisk::InputFile*>(context)->read(buffer, static_cast<std::size_t>(size)));
}

using ChildHandler = std::function<void(xmlNodePtr)>;

// Ends an element as libxml2's tree builder does; an element child of the
// root is then handed over and freed with everything before it. The root is
// left without children, so the parser starts its next text node afresh
// rather than appending to one that is gone.
void endElementAndHandOver(void* context, const xmlChar* localName, const xmlChar* prefix,
                           const xmlChar* uri) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    const xmlNodePtr ended = ctxt->node;
    xmlSAX2EndElementNs(context, localName, prefix, uri);
    const xmlNodePtr root = ctxt->node;
    if (ctxt->nodeNr != 1 || ended == nullptr || ended->parent != root) {
        return;
    }
    // Entities are declared before the root starts: nothing of a file that
    // will be refused is read (and no entity content is ever walked).
    if (ctxt->myDoc == nullptr || declaresEntitiesOrExternalSubset(ctxt->myDoc->intSubset)) {
        xmlStopParser(ctxt);
        return;
    }
    (*static_cast<const ChildHandler*>(ctxt->_private))(ended);
    xmlNodePtr done = root->children;
    root->children = nullptr;
    root->last = nullptr;
    xmlFreeNodeList(done);
}

struct ParserDeleter {
    void operator()(xmlParserCtxtPtr ctxt) const { xmlFreeParserCtxt(ctxt); }
};

// The one parse of every file: loadFile and streamFile differ only in the
// hand-over, so a file parses (or fails) alike in both.
xmlDocPtr parseFile(const Ostrel::u8string& fileName, const ChildHandler* onChild) {
    // Opened by our own reader, and libxml2 reads from what was opened: it
    // would take "-" for standard input, and a file checked first and opened
    // later could be swapped for a FIFO in between. libxml2 reads it in
    // chunks, as it reads its own files: a copy of the whole file in memory
    // doubled the load time of a large identifier file.
    zmdisk::InputFile file(fileName);
    if (!file.isOpen()) {
        return nullptr;
    }
    const MutedErrors muted;
    xmlInitParser();
    const std::unique_ptr<xmlParserCtxt, ParserDeleter> ctxt(xmlNewParserCtxt());
    if (!ctxt) {
        return nullptr;
    }
    if (onChild != nullptr) {
        ctxt->sax->endElementNs = &endElementAndHandOver;
        ctxt->_private = const_cast<ChildHandler*>(onChild);
    }
    return refuseUnsafe(xmlCtxtReadIO(ctxt.get(), &readInput, nullptr, &file, fileName.c_str(),
                                      nullptr, kParseOptions));
}

} // namespace

DocPtr loadFile(const Ostrel::u8string& fileName) {
    return DocPtr(parseFile(fileName, nullptr));
}

DocPtr streamFile(const Ostrel::u8string& fileName, const ChildHandler& onChild) {
    return DocPtr(parseFile(fileName, &onChild));
}

DocPtr loadMemory(const char* data, std::size_t size) {
    if (data == nullptr || size > static_cast<std::size_t>(INT_MAX)) {
        return nullptr;
    }
    const MutedErrors muted;
    return DocPtr(refuseUnsafe(
        xmlReadMemory(data, static_cast<int>(size), "memory.xml", nullptr, kParseOptions)));
}

xmlNodePtr getElement(xmlNodePtr node) {
    while (node != nullptr && node->type != XML_ELEMENT_NODE) {
        node = node->next;
    }
    return node;
}

xmlNodePtr getChildElement(xmlNodePtr node) {
    return node ? getElement(node->children) : nullptr;
}

xmlNodePtr getNextElement(xmlNodePtr node) {
    return node ? getElement(node->next) : nullptr;
}

bool getElementText(xmlNodePtr node, Ostrel::u8string& text) {
    if (node == nullptr || node->children == nullptr) {
        text = Ostrel::u8string();
        return false;
    }
    XmlCharPtr content(xmlNodeGetContent(node->children));
    text = content ? reinterpret_cast<const char*>(content.get()) : "";
    return true;
}

bool getPropertyString(xmlNodePtr node, const char* name, Ostrel::u8string& value) {
    if (node == nullptr || name == nullptr || node->type != XML_ELEMENT_NODE) {
        return false;
    }
    XmlCharPtr content(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
    if (!content) {
        return false;
    }
    value = reinterpret_cast<const char*>(content.get());
    return true;
}

bool hasName(xmlNodePtr node, const char* name) {
    return node != nullptr && node->name != nullptr && name != nullptr &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

} // namespace zmxml
