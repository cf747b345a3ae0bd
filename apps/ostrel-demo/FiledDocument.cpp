#include "FiledDocument.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ostrel::demo {
namespace {

/// Escapes text for an attribute value or element content. Control
/// characters other than tab and line feed cannot be written in XML 1.0 and
/// are left out; tab and line feed are written as references, so that an
/// attribute value keeps them.
std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20) {
                out += c;
            }
        }
    }
    return out;
}

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
    return part.empty() || part[0] == '.' ? "_" + part : part;
}

} // namespace

std::string filedDocumentXml(const FiledDocument& document) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    xml += "<document type=\"" + escaped(document.type) + "\" name=\"" +
           escaped(document.typeName) + "\" domain=\"" + escaped(document.domain) + "\" filed=\"" +
           timestamp(document.filedAt) + "\">\n";
    for (const auto& [id, value] : document.values) {
        xml += "  <attribute id=\"" + escaped(id) + "\">" + escaped(value) + "</attribute>\n";
    }
    xml += "</document>\n";
    return xml;
}

std::optional<std::string> fileDocument(const FiledDocument& document, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string suffix = "-" + fileNamePart(document.type) + ".xml";
    for (int number = 1; number <= 9999; ++number) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04d", number);
        const std::filesystem::path path = std::filesystem::path(folder) / (prefix + suffix);
        if (std::filesystem::exists(path, error)) {
            continue;
        }
        std::ofstream out(path, std::ios::binary);
        out << filedDocumentXml(document);
        out.close();
        if (!out) {
            return std::nullopt;
        }
        return path.string();
    }
    return std::nullopt;
}

} // namespace ostrel::demo
