#include "descr/CMServer2Descr.h"

#include "host/base/ZmXml.h"
#include "host/base/detail/NumberText.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

namespace {

using Ostrel::u8string;
using Properties = CMServer2Descr::Properties;

// Records name this file; the line numbers are fixed so that support staff
// can tell every failed check from its record alone, whatever the build.
const char* const kSourceFile = "CMServer2Descr.cpp";

enum Line : int {
    kMissingFileName = 18,
    kCannotReadDescription = 26,
    kMissingInputFile = 46,
    kCannotParseFile = 54,
    kTemplatesContentFailed = 72,
    kMissingTemplatesRoot = 80,
    kTemplateFailed = 97,
    kTemplateMissingId = 115,
    kTemplateMissingName = 124,
    kTemplateBadCanCreate = 140,
    kTemplateAttributeFailed = 168,
    kClassAttributeMissingId = 181,
    kClassAttributeEmptyId = 189,
    kClassAttributeMissingValue = 197,
    kAttributeMissingId = 256,
    kAttributeMissingName = 266,
    kAttributeEmptyName = 273,
    kAttributeMissingSize = 284,
    kAttributeEmptySize = 291,
    kAttributeZeroSize = 300,
    kAttributeBadPosition = 322,
    kAttributeBadMandatory = 340,
    kAttributeBadStatus = 362,
    kAttributeBadMultiline = 380,
};

bool fail(OstrelException& ex, Line line, const std::string& message) {
    ex.setError(kSourceFile, line, u8string(message));
    return false;
}

// The checks of an Attribute element's XML attributes, in the order in which
// they run and with their own records. A value is null while the XML
// attribute is absent (required ones have no fallback); the checks that
// read it run after the one that requires it.
using Check = bool (*)(const u8string* value);

bool isPresent(const u8string* value) {
    return value != nullptr;
}

bool isNotEmpty(const u8string* value) {
    return !value->empty();
}

// Only the leading integer counts, as the document server reads it: "-5" and
// "12px" pass and are stored as written.
bool isNotZero(const u8string* value) {
    return ostrel::readLeadingInt(value->c_str()) != 0;
}

bool isEmptyOrPositive(const u8string* value) {
    return value->empty() || ostrel::readLeadingInt(value->c_str()) >= 1;
}

bool isYesOrNo(const u8string* value) {
    return value->str() == "Y" || value->str() == "N";
}

bool isStatus(const u8string* value) {
    // Stored as written: hosts read the status case-insensitively.
    static const char* const kStatuses[] = {"N", "n", "R", "r", "H", "h"};
    return std::any_of(std::begin(kStatuses), std::end(kStatuses),
                       [value](const char* status) { return value->str() == status; });
}

struct AttributeCheck {
    const char* property; // the XML attribute, and the name of its pair
    const char* fallback; // the value of an absent XML attribute; null: required
    Check accepts;        // null: any value
    Line line;
    // Followed by the value (empty when absent) and ", id=" with the
    // attribute id; the messages of the presence checks end where the value
    // would stand.
    const char* message;
};

// Consecutive rows of one property check one value; its pair is appended
// once its last row has passed, so the pairs come in the order of the rows.
const AttributeCheck kAttributeChecks[] = {
    {"name", nullptr, isPresent, kAttributeMissingName, "Attribute missing name"},
    {"name", nullptr, isNotEmpty, kAttributeEmptyName, "Attribute name is empty"},
    {"size", nullptr, isPresent, kAttributeMissingSize, "Attribute missing size"},
    {"size", nullptr, isNotEmpty, kAttributeEmptySize, "Attribute wrong size value"},
    {"size", nullptr, isNotZero, kAttributeZeroSize, "Attribute have wrong value, value="},
    {"mask", "", nullptr, Line{}, nullptr},
    {"position", "", isEmptyOrPositive, kAttributeBadPosition,
     "Attribute position have wrong value: "},
    {"mandatory", "N", isYesOrNo, kAttributeBadMandatory,
     "Attribute madatory have to be Y or N, current value: "},
    {"status", "N", isStatus, kAttributeBadStatus,
     "Attribute status have to be N, R or H, current value: "},
    {"multiline", "N", isYesOrNo, kAttributeBadMultiline,
     "Attribute multiline have wrong value, expecting Y or N. Current value: "},
};

bool sameProperty(const AttributeCheck& a, const AttributeCheck& b) {
    return std::strcmp(a.property, b.property) == 0;
}

// Reads the XML attribute of `check`: its value, the fallback when absent,
// or nothing for an absent required one.
std::optional<u8string> readValue(xmlNodePtr element, const AttributeCheck& check) {
    u8string value;
    if (zmxml::getPropertyString(element, check.property, value)) {
        return value;
    }
    if (check.fallback != nullptr) {
        return u8string(check.fallback);
    }
    return std::nullopt;
}

// Runs every check on the element's XML attributes and appends the seven
// pairs to `properties`; false, with the failed check's record, on the first
// failure.
bool readAttributes(xmlNodePtr element, const u8string& id, Properties& properties,
                    OstrelException& ex) {
    properties.reserve(7);
    std::optional<u8string> value;
    const std::size_t count = std::size(kAttributeChecks);
    for (std::size_t i = 0; i < count; ++i) {
        const AttributeCheck& check = kAttributeChecks[i];
        if (i == 0 || !sameProperty(check, kAttributeChecks[i - 1])) {
            value = readValue(element, check);
        }
        const u8string* read = value ? &*value : nullptr;
        if (check.accepts != nullptr && !check.accepts(read)) {
            return fail(ex, check.line,
                        check.message + (read ? read->str() : std::string()) + ", id=" + id.str());
        }
        if (i + 1 == count || !sameProperty(check, kAttributeChecks[i + 1])) {
            properties.emplace_back(check.property, std::move(*value));
        }
    }
    return true;
}

// Reads a ClassAttribute element into the template's pair (id, value).
bool readClassAttribute(xmlNodePtr element, const std::string& templateId, Properties& properties,
                        OstrelException& ex) {
    u8string id;
    if (!zmxml::getPropertyString(element, "id", id)) {
        return fail(ex, kClassAttributeMissingId,
                    "ClassAttribute missing id\nTemplate id=" + templateId);
    }
    if (id.empty()) {
        return fail(ex, kClassAttributeEmptyId,
                    "ClassAttribute missing id size is 0, template id=" + templateId);
    }
    u8string value;
    if (!zmxml::getPropertyString(element, "value", value)) {
        return fail(ex, kClassAttributeMissingValue,
                    "ClassAttribute missing value, , template id=" + templateId);
    }
    properties.emplace_back(std::move(id), std::move(value));
    return true;
}

// Reads an optional XML attribute, leaving `fallback` in `value` when absent.
u8string optionalProperty(xmlNodePtr element, const char* name, const char* fallback) {
    u8string value(fallback);
    zmxml::getPropertyString(element, name, value);
    return value;
}

const xmlChar* xmlText(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

const xmlChar* xmlText(const u8string& text) {
    return xmlText(text.c_str());
}

// A text node as libxml2's own parser makes it: a short text is kept inside
// the node, in the room of the fields a text node does not use, which every
// libxml2 function that frees, copies or changes a text node expects. It
// spares an allocation for nearly every value and property name of a
// description: measured, a fifth of the tree's CPU time and a tenth of its
// memory.
xmlNodePtr newText(const u8string& text) {
    static_assert(offsetof(xmlNode, nsDef) == offsetof(xmlNode, properties) + sizeof(void*),
                  "short texts are kept in properties and nsDef");
    if (text.size() >= 2 * sizeof(void*)) {
        return xmlNewTextLen(xmlText(text), static_cast<int>(text.size()));
    }
    xmlNodePtr node = xmlNewTextLen(nullptr, 0);
    if (node != nullptr) {
        node->content = reinterpret_cast<xmlChar*>(&node->properties);
        std::memcpy(node->content, text.c_str(), text.size() + 1);
    }
    return node;
}

// A Property child holding `value` as node content (entity references in it
// are interpreted, as the document server expects) and named by `name`.
void addProperty(xmlNodePtr parent, const u8string& name, const u8string& value) {
    xmlNodePtr property = nullptr;
    if (value.str().find('&') == std::string::npos) {
        // Without an entity reference, node content is one text child, or
        // none for an empty value: built directly, it spares libxml2's
        // content scanner and its buffer on a description's many values
        // (measured: the plain xmlNewChild costs a sixth more CPU time).
        property = xmlNewChild(parent, nullptr, xmlText("Property"), nullptr);
        if (property != nullptr && !value.empty()) {
            xmlAddChild(property, newText(value));
        }
    } else {
        property = xmlNewChild(parent, nullptr, xmlText("Property"), xmlText(value));
    }
    if (property != nullptr) {
        xmlAttrPtr attribute = xmlNewProp(property, xmlText("name"), nullptr);
        if (attribute != nullptr) {
            xmlAddChild(reinterpret_cast<xmlNodePtr>(attribute), newText(name));
        }
    }
}

struct NodeDeleter {
    void operator()(xmlNodePtr node) const { xmlFreeNode(node); }
};

} // namespace

xmlNodePtr CMServer2Descr::createXMLTree(const u8string& fileName, OstrelException& ex) {
    if (fileName.empty()) {
        fail(ex, kMissingFileName, "Missing file name");
        return nullptr;
    }
    // Each template is written as soon as it is read and checked, and its
    // element is freed before the next one is parsed: a large file and its
    // tree are never both whole in memory.
    std::unique_ptr<xmlNode, NodeDeleter> documents(xmlNewNode(nullptr, xmlText("Documents")));
    const zmxml::MutedErrors muted;
    const auto write = [&documents, this](std::unique_ptr<Template> record) {
        if (documents) {
            writeDocument(*record, documents.get());
        }
    };
    if (!readDescription(fileName, write, ex)) {
        fail(ex, kCannotReadDescription, "Cannot read description");
        return nullptr;
    }
    return documents.release();
}

bool CMServer2Descr::readDescription(const u8string& fileName, std::list<Template*>& templates,
                                     OstrelException& ex) {
    return readDescription(
        fileName,
        [&templates](std::unique_ptr<Template> record) { templates.push_back(record.release()); },
        ex);
}

bool CMServer2Descr::readDescription(const u8string& fileName, const TemplateSink& take,
                                     OstrelException& ex) {
    if (fileName.empty()) {
        return fail(ex, kMissingInputFile, "Missing input file");
    }
    // The records of a failed check wait for the end of the file: a file
    // that does not parse is reported as such, whatever its fault follows.
    OstrelException failedCheck;
    bool failed = false;
    const zmxml::DocPtr doc = zmxml::streamFile(fileName, [&](xmlNodePtr child) {
        if (failed || !zmxml::hasName(child->parent, "Templates")) {
            return;
        }
        // The element just parsed is the last one below the root so far, so
        // reading from it reads it alone.
        std::list<Template*> read;
        failed = !readDescription(child, read, failedCheck);
        for (Template* record : read) {
            take(std::unique_ptr<Template>(record));
        }
    });
    if (!doc) {
        return fail(ex, kCannotParseFile, "Cannot parse file: " + fileName.str());
    }
    xmlNodePtr root = zmxml::getElement(xmlDocGetRootElement(doc.get()));
    if (!zmxml::hasName(root, "Templates")) {
        return fail(ex, kMissingTemplatesRoot,
                    "Missing root element Templates, file: " + fileName.str());
    }
    if (failed) {
        for (const OstrelException::Record& record : failedCheck.getRecords()) {
            ex.setError(record.sourceFile, record.line, record.message);
        }
        return fail(ex, kTemplatesContentFailed,
                    "Failed to read content of tag Templates, file: " + fileName.str());
    }
    return true;
}

bool CMServer2Descr::readDescription(xmlNodePtr first, std::list<Template*>& templates,
                                     OstrelException& ex) {
    for (xmlNodePtr node = first; node != nullptr; node = zmxml::getNextElement(node)) {
        if (!zmxml::hasName(node, "Template")) {
            continue;
        }
        auto record = std::make_unique<Template>();
        if (!readTemplate(*record, node, ex)) {
            return fail(ex, kTemplateFailed, "Cannot read tag Template");
        }
        templates.push_back(record.release());
    }
    return true;
}

void CMServer2Descr::releaseTemplates(std::list<Template*>& templates) {
    for (Template* record : templates) {
        delete record;
    }
}

bool CMServer2Descr::readTemplate(Template& record, xmlNodePtr element, OstrelException& ex) {
    if (!zmxml::getPropertyString(element, "id", record.id)) {
        return fail(ex, kTemplateMissingId, "Missing attribute id");
    }
    const std::string& id = record.id.str();
    u8string name;
    if (!zmxml::getPropertyString(element, "name", name)) {
        return fail(ex, kTemplateMissingName, "Missing attribute name\nTemplate id=" + id);
    }
    record.properties.emplace_back("name", name);
    const u8string canCreate = optionalProperty(element, "canCreate", "Y");
    if (!isYesOrNo(&canCreate)) {
        return fail(ex, kTemplateBadCanCreate,
                    "Attribute canCreate have to be Y on N, current value=" + canCreate.str() +
                        "\nTemplate id=" + id);
    }
    record.properties.emplace_back("canCreate", canCreate);

    for (xmlNodePtr child = zmxml::getChildElement(element); child != nullptr;
         child = zmxml::getNextElement(child)) {
        if (zmxml::hasName(child, "Description")) {
            zmxml::getElementText(child, record.description);
        } else if (zmxml::hasName(child, "Attributes") && !readAttributeList(record, child, ex)) {
            return false;
        }
    }
    return true;
}

bool CMServer2Descr::readAttributeList(Template& record, xmlNodePtr attributes,
                                       OstrelException& ex) {
    const std::string& id = record.id.str();
    for (xmlNodePtr item = zmxml::getChildElement(attributes); item != nullptr;
         item = zmxml::getNextElement(item)) {
        if (zmxml::hasName(item, "Attribute")) {
            auto attribute = std::make_unique<Attribute>();
            if (!readAttribute(*attribute, item, ex)) {
                return fail(ex, kTemplateAttributeFailed, "Template id=" + id);
            }
            record.attributes.push_back(std::move(attribute));
        } else if (zmxml::hasName(item, "ClassAttribute") &&
                   !readClassAttribute(item, id, record.properties, ex)) {
            return false;
        }
    }
    return true;
}

bool CMServer2Descr::readAttribute(Attribute& record, xmlNodePtr element, OstrelException& ex) {
    if (!zmxml::getPropertyString(element, "id", record.id)) {
        return fail(ex, kAttributeMissingId, "Attribute doesn't have id");
    }
    return readAttributes(element, record.id, record.properties, ex);
}

void CMServer2Descr::writeDocument(const Template& record, xmlNodePtr parent) {
    xmlNodePtr document = xmlNewChild(parent, nullptr, xmlText("Document"), nullptr);
    if (document == nullptr) {
        return;
    }
    xmlNewProp(document, xmlText("type"), xmlText(record.id));
    xmlNewProp(document, xmlText("inherit"), xmlText("DocumentType.Root"));
    for (const auto& attribute : record.attributes) {
        writeAttribute(*attribute, document);
    }
    for (const Property& property : record.properties) {
        addProperty(document, property.first, property.second);
    }
    addProperty(document, "Description", record.description);
}

void CMServer2Descr::writeAttribute(const Attribute& record, xmlNodePtr document) {
    xmlNodePtr attribute = xmlNewChild(document, nullptr, xmlText("Attribute"), nullptr);
    if (attribute == nullptr) {
        return;
    }
    xmlNewProp(attribute, xmlText("name"), xmlText(record.id));
    for (const Property& property : record.properties) {
        addProperty(attribute, property.first, property.second);
    }
}
