// Arbitrary bytes as the domains file of ostrel-demo. Reading must never
// crash, leak or hang, and an accepted list must be one the demo can use:
// at least one domain, ids that are unique and safe as parts of file names,
// every required field present, relative file names placed in the file's
// folder.
#include "Domains.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto domains = ostrel::demo::parseDomains(
        std::string(reinterpret_cast<const char*>(data), size), "/samples", error);
    if (!domains) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    if (domains->empty()) {
        std::abort();
    }
    std::set<std::string> ids;
    for (const ostrel::demo::DomainEntry& domain : *domains) {
        if (!ids.insert(domain.id).second ||
            domain.id.find_first_of("/.\\ ") != std::string::npos || domain.name.empty() ||
            domain.group.empty() || domain.templates.empty() || domain.templates[0] != '/') {
            std::abort();
        }
    }
    return 0;
}
