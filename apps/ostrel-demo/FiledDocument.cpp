#include "FiledDocument.h"

#include "host/base/ZmXml.h"

#include <libxml/tree.h>

#include <cstdio>

namespace ostrel::demo {
namespace {

void appendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c; // UTF-8 passes as it is
        }
    }
    out += '"';
}

} // namespace

std::string filedTime(const FiledDocument& document) {
    const zmbase::EarthTime& time = document.filedAt;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

std::string attributeValuesJson(const FiledDocument& document) {
    std::string json = "{";
    for (const auto& [id, value] : document.values) {
        json += json.size() > 1 ? ", " : "";
        appendJsonString(json, id);
        json += ": ";
        appendJsonString(json, value);
    }
    return json + "}";
}

std::string filedDocumentXml(const FiledDocument& document) {
    // libxml2 writes the text: every value comes out escaped, and reads back as typed.
    const auto text = [](const std::string& value) {
        return reinterpret_cast<const xmlChar*>(value.c_str());
    };
    const zmxml::DocPtr xml(xmlNewDoc(text("1.0")));
    xmlNode* root = xmlNewDocNode(xml.get(), nullptr, text("document"), nullptr);
    xmlDocSetRootElement(xml.get(), root);
    xmlNewProp(root, text("type"), text(document.type));
    xmlNewProp(root, text("name"), text(document.typeName));
    xmlNewProp(root, text("domain"), text(document.domain));
    xmlNewProp(root, text("filed"), text(filedTime(document)));
    for (const auto& [id, value] : document.values) {
        xmlNode* attribute = xmlNewTextChild(root, nullptr, text("attribute"), text(value));
        xmlNewProp(attribute, text("id"), text(id));
    }
    xmlChar* written = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(xml.get(), &written, &size, "utf-8", 1);
    const zmxml::XmlCharPtr owned(written);
    std::string result(reinterpret_cast<const char*>(written), static_cast<std::size_t>(size));
    return result;
}

} // namespace ostrel::demo
