#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ostrel::demo {

/// One domain configuration the demo can work in: a connection name, the
/// template description and identifier definition files of the domain, and
/// the class attribute that groups its document types.
struct DomainEntry {
    std::string id;          ///< letters, digits, '-' and '_': names the domain's files
    std::string name;        ///< the connection name the dialogs show
    std::string templates;   ///< template description file (absolute, or as written)
    std::string identifiers; ///< identifier definition file; empty when the domain has none
    std::string group;       ///< the class attribute that groups the catalogue
};

/// Reads a domains file:
///
///     <domains>
///       <domain id="office" name="Head office" templates="templates.xml"
///               identifiers="identifiers.xml" group="Area"/>
///     </domains>
///
/// File names are taken relative to the folder of the domains file. At least
/// one domain, unique ids. It is read as the library reads its own XML files
/// (zmdisk::InputFile, zmxml): a regular file that declares no entities and
/// names no external DTD. On failure returns nothing and sets `error`.
std::optional<std::vector<DomainEntry>> readDomains(const std::string& fileName,
                                                    std::string& error);

/// The whole text of a file the demo reads (a domains file, a script),
/// opened as a zmdisk::InputFile: a FIFO or a device would block or never
/// end, so only regular files are read, and what is read is what was checked.
/// On failure returns nothing and sets `error` to the reason, without the
/// file's name.
std::optional<std::string> readRegularFile(const std::string& fileName, std::string& error);

/// As readDomains, on the text of a domains file whose folder is `folder`.
std::optional<std::vector<DomainEntry>> parseDomains(const std::string& text,
                                                     const std::string& folder, std::string& error);

} // namespace ostrel::demo
