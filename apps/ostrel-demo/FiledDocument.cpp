#include "FiledDocument.h"

#include "host/base/ZmXml.h"

#include <libxml/tree.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ostrel::demo {
namespace {

std::string timestamp(const zmbase::EarthTime& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

/// The type as part of a file name: anything but letters, digits, '.', '-'
/// and '_' becomes '_'.
std::string fileNamePart(const std::string& type) {
    std::string part = type.substr(0, 64);
    for (char& c : part) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!plain) {
            c = '_';
        }
    }
    if (part.empty() || part[0] == '.') {
        part.insert(part.begin(), '_');
    }
    return part;
}

} // namespace

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
    xmlNewProp(root, text("filed"), text(timestamp(document.filedAt)));
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

std::optional<std::string> fileDocument(const std::string& type, const std::string& record,
                                        const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::string suffix = fileNamePart(type);
    suffix.insert(suffix.begin(), '-');
    suffix += ".xml";
    for (int number = 1; number <= 9999; ++number) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04d", number);
        const std::filesystem::path path = std::filesystem::path(folder) / (prefix + suffix);
        if (std::filesystem::exists(path, error)) {
            continue;
        }
        std::ofstream out(path, std::ios::binary);
        out << record;
        out.close();
        if (!out) {
            return std::nullopt;
        }
        return path.string();
    }
    return std::nullopt;
}

} // namespace ostrel::demo
