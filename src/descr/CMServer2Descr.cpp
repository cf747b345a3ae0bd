#include "descr/CMServer2Descr.h"

#include "host/base/ZmXml.h"
#include "host/base/detail/NumberText.h"

#include <string>

namespace {

using Ostrel::u8string;

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

bool isYesOrNo(const u8string& value) {
    return value.str() == "Y" || value.str() == "N";
}

bool isStatus(const u8string& value) {
    // Stored as written: hosts read the status case-insensitively.
    static const char* const kStatuses[] = {"N", "n", "R", "r", "H", "h"};
    for (const char* status : kStatuses) {
        if (value.str() == status) {
            return true;
        }
    }
    return false;
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

// A Property child holding `value` as node content (entity references in it
// are interpreted, as the document server expects) and named by `name`.
void addProperty(xmlNodePtr parent, const u8string& name, const u8string& value) {
    xmlNodePtr property = nullptr;
    if (value.str().find('&') == std::string::npos) {
        // Without an entity reference, node content is one text child, or
        // none for an empty value: built directly, it spares libxml2's
        // content scanner and its buffer on a description's many values.
        property = xmlNewChild(parent, nullptr, xmlText("Property"), nullptr);
        if (property != nullptr && !value.empty()) {
            xmlAddChild(property, xmlNewTextLen(xmlText(value), static_cast<int>(value.size())));
        }
    } else {
        property = xmlNewChild(parent, nullptr, xmlText("Property"), xmlText(value));
    }
    if (property != nullptr) {
        xmlNewProp(property, xmlText("name"), xmlText(name));
    }
}

} // namespace

xmlNodePtr CMServer2Descr::createXMLTree(const u8string& fileName, OstrelException& ex) {
    if (fileName.empty()) {
        fail(ex, kMissingFileName, "Missing file name");
        return nullptr;
    }
    std::list<Template*> templates;
    if (!readDescription(fileName, templates, ex)) {
        releaseTemplates(templates);
        fail(ex, kCannotReadDescription, "Cannot read description");
        return nullptr;
    }
    xmlNodePtr documents = xmlNewNode(nullptr, xmlText("Documents"));
    if (documents != nullptr) {
        const zmxml::MutedErrors muted;
        for (const Template* record : templates) {
            writeDocument(*record, documents);
        }
    }
    releaseTemplates(templates);
    return documents;
}

bool CMServer2Descr::readDescription(const u8string& fileName, std::list<Template*>& templates,
                                     OstrelException& ex) {
    if (fileName.empty()) {
        return fail(ex, kMissingInputFile, "Missing input file");
    }
    const zmxml::DocPtr doc(zmxml::loadFile(fileName));
    if (!doc) {
        return fail(ex, kCannotParseFile, "Cannot parse file: " + fileName.str());
    }
    xmlNodePtr root = zmxml::getElement(xmlDocGetRootElement(doc.get()));
    if (!zmxml::hasName(root, "Templates")) {
        return fail(ex, kMissingTemplatesRoot,
                    "Missing root element Templates, file: " + fileName.str());
    }
    if (!readDescription(zmxml::getChildElement(root), templates, ex)) {
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
    if (!isYesOrNo(canCreate)) {
        return fail(ex, kTemplateBadCanCreate,
                    "Attribute canCreate have to be Y on N, current value=" + canCreate.str() +
                        "\nTemplate id=" + id);
    }
    record.properties.emplace_back("canCreate", canCreate);

    for (xmlNodePtr child = zmxml::getChildElement(element); child != nullptr;
         child = zmxml::getNextElement(child)) {
        if (zmxml::hasName(child, "Description")) {
            zmxml::getElementText(child, record.description);
            continue;
        }
        if (!zmxml::hasName(child, "Attributes")) {
            continue;
        }
        for (xmlNodePtr item = zmxml::getChildElement(child); item != nullptr;
             item = zmxml::getNextElement(item)) {
            if (zmxml::hasName(item, "Attribute")) {
                auto attribute = std::make_unique<Attribute>();
                if (!readAttribute(*attribute, item, ex)) {
                    return fail(ex, kTemplateAttributeFailed, "Template id=" + id);
                }
                record.attributes.push_back(std::move(attribute));
            } else if (zmxml::hasName(item, "ClassAttribute")) {
                u8string classId;
                if (!zmxml::getPropertyString(item, "id", classId)) {
                    return fail(ex, kClassAttributeMissingId,
                                "ClassAttribute missing id\nTemplate id=" + id);
                }
                if (classId.empty()) {
                    return fail(ex, kClassAttributeEmptyId,
                                "ClassAttribute missing id size is 0, template id=" + id);
                }
                u8string value;
                if (!zmxml::getPropertyString(item, "value", value)) {
                    return fail(ex, kClassAttributeMissingValue,
                                "ClassAttribute missing value, , template id=" + id);
                }
                record.properties.emplace_back(std::move(classId), std::move(value));
            }
        }
    }
    return true;
}

bool CMServer2Descr::readAttribute(Attribute& record, xmlNodePtr element, OstrelException& ex) {
    if (!zmxml::getPropertyString(element, "id", record.id)) {
        return fail(ex, kAttributeMissingId, "Attribute doesn't have id");
    }
    const std::string ofId = ", id=" + record.id.str();
    Properties& properties = record.properties;
    properties.reserve(7);

    u8string name;
    if (!zmxml::getPropertyString(element, "name", name)) {
        return fail(ex, kAttributeMissingName, "Attribute missing name" + ofId);
    }
    if (name.empty()) {
        return fail(ex, kAttributeEmptyName, "Attribute name is empty" + ofId);
    }
    properties.emplace_back("name", std::move(name));

    u8string size;
    if (!zmxml::getPropertyString(element, "size", size)) {
        return fail(ex, kAttributeMissingSize, "Attribute missing size" + ofId);
    }
    if (size.empty()) {
        return fail(ex, kAttributeEmptySize, "Attribute wrong size value" + ofId);
    }
    // Only the leading integer counts, as the document server reads it: "-5"
    // and "12px" pass and are stored as written.
    if (Ostrel::readLeadingInt(size.c_str()) == 0) {
        return fail(ex, kAttributeZeroSize,
                    "Attribute have wrong value, value=" + size.str() + ofId);
    }
    properties.emplace_back("size", std::move(size));

    properties.emplace_back("mask", optionalProperty(element, "mask", ""));

    u8string position = optionalProperty(element, "position", "");
    if (!position.empty() && Ostrel::readLeadingInt(position.c_str()) < 1) {
        return fail(ex, kAttributeBadPosition,
                    "Attribute position have wrong value: " + position.str() + ofId);
    }
    properties.emplace_back("position", std::move(position));

    u8string mandatory = optionalProperty(element, "mandatory", "N");
    if (!isYesOrNo(mandatory)) {
        return fail(ex, kAttributeBadMandatory,
                    "Attribute madatory have to be Y or N, current value: " + mandatory.str() +
                        ofId);
    }
    properties.emplace_back("mandatory", std::move(mandatory));

    u8string status = optionalProperty(element, "status", "N");
    if (!isStatus(status)) {
        return fail(ex, kAttributeBadStatus,
                    "Attribute status have to be N, R or H, current value: " + status.str() + ofId);
    }
    properties.emplace_back("status", std::move(status));

    u8string multiline = optionalProperty(element, "multiline", "N");
    if (!isYesOrNo(multiline)) {
        return fail(ex, kAttributeBadMultiline,
                    "Attribute multiline have wrong value, expecting Y or N. Current value: " +
                        multiline.str() + ofId);
    }
    properties.emplace_back("multiline", std::move(multiline));
    return true;
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
