#include "Domains.h"

#include "host/base/File.h"
#include "host/base/ZmXml.h"

#include <filesystem>
#include <set>

namespace ostrel::demo {
namespace {

std::string attribute(xmlNodePtr node, const char* name) {
    Ostrel::u8string value;
    zmxml::getPropertyString(node, name, value);
    return value.str();
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
    // The rules of every XML file the library reads: no network, no entities,
    // no external DTD, no messages on standard error.
    const zmxml::DocPtr document = zmxml::loadMemory(text.data(), text.size());
    if (!document) {
        error = "the domains file is not well-formed XML, or declares entities or an external "
                "document type";
        return std::nullopt;
    }
    const xmlNodePtr root = xmlDocGetRootElement(document.get());
    if (!zmxml::hasName(root, "domains")) {
        error = "the root element of the domains file is not 'domains'";
        return std::nullopt;
    }
    std::vector<DomainEntry> domains;
    std::set<std::string> ids;
    for (xmlNodePtr node = zmxml::getChildElement(root); node != nullptr;
         node = zmxml::getNextElement(node)) {
        if (!zmxml::hasName(node, "domain")) {
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
    zmdisk::InputFile file{Ostrel::u8string(fileName)};
    if (!file.isOpen()) {
        error = "not a readable regular file";
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (long got; (got = file.read(buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            error = "cannot be read";
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
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
