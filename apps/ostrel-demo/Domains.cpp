#include "Domains.h"

#include "host/base/ZmXml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

namespace ostrel::demo {
namespace {

bool isElement(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

std::string attribute(const xmlNode* node, const char* name) {
    const zmxml::XmlCharPtr value(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
    return value ? std::string(reinterpret_cast<const char*>(value.get())) : std::string();
}

bool isFileId(const std::string& id) {
    if (id.empty() || id.size() > 64) {
        return false;
    }
    for (const char c : id) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '-' && c != '_') {
            return false;
        }
    }
    return true;
}

std::string resolved(const std::string& folder, const std::string& file) {
    if (file.empty()) {
        return file;
    }
    const std::filesystem::path path(file);
    return path.is_absolute() ? file : (std::filesystem::path(folder) / path).string();
}

} // namespace

std::optional<std::vector<DomainEntry>>
parseDomains(const std::string& text, const std::string& folder, std::string& error) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        error = "the domains file is too large";
        return std::nullopt;
    }
    // No network, no entity substitution, no messages on standard error: some
    // faults (text not in its declared encoding) are printed whatever the options.
    const zmxml::MutedErrors muted;
    const zmxml::DocPtr document(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!document) {
        error = "the domains file is not well-formed XML";
        return std::nullopt;
    }
    if (document->intSubset != nullptr || document->extSubset != nullptr) {
        error = "the domains file may not have a document type declaration";
        return std::nullopt;
    }
    const xmlNode* root = xmlDocGetRootElement(document.get());
    if (root == nullptr || !isElement(root, "domains")) {
        error = "the root element of the domains file is not 'domains'";
        return std::nullopt;
    }
    std::vector<DomainEntry> domains;
    std::set<std::string> ids;
    for (const xmlNode* node = root->children; node != nullptr; node = node->next) {
        if (!isElement(node, "domain")) {
            continue;
        }
        DomainEntry entry{attribute(node, "id"), attribute(node, "name"),
                          resolved(folder, attribute(node, "templates")),
                          resolved(folder, attribute(node, "identifiers")),
                          attribute(node, "group")};
        const std::string where = "domain " + std::to_string(domains.size() + 1) + ": ";
        if (!isFileId(entry.id)) {
            error = where + "'id' must be 1 to 64 letters, digits, '-' or '_'";
            return std::nullopt;
        }
        if (!ids.insert(entry.id).second) {
            error = where + "the id '" + entry.id + "' is used twice";
            return std::nullopt;
        }
        if (entry.name.empty() || entry.templates.empty() || entry.group.empty()) {
            error = where + "'name', 'templates' and 'group' are required";
            return std::nullopt;
        }
        domains.push_back(std::move(entry));
    }
    if (domains.empty()) {
        error = "the domains file lists no domain";
        return std::nullopt;
    }
    return domains;
}

std::optional<std::string> readRegularFile(const std::string& fileName, std::string& error) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(fileName, ignored)) {
        error = "not a readable regular file";
        return std::nullopt;
    }
    std::ifstream in(fileName, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        error = "cannot be read";
        return std::nullopt;
    }
    return text;
}

std::optional<std::vector<DomainEntry>> readDomains(const std::string& fileName,
                                                    std::string& error) {
    const std::optional<std::string> text = readRegularFile(fileName, error);
    std::optional<std::vector<DomainEntry>> domains =
        text ? parseDomains(*text, std::filesystem::path(fileName).parent_path().string(), error)
             : std::nullopt;
    if (!domains) {
        error = fileName + ": " + error;
    }
    return domains;
}

} // namespace ostrel::demo
