#pragma once

#include <optional>
#include <string>

namespace ostrel::demo {

/// A new, empty work folder `ostrel-demo-XXXXXX` for a run that names none,
/// in `temporaryFolder` when it is given and not empty (the value of TMPDIR,
/// as mktemp takes it), else in /tmp. Nothing, with `error` set, when it
/// cannot be created.
std::optional<std::string> newWorkFolder(const char* temporaryFolder, std::string& error);

/// Files `record` (the filed record of a document of `type`) into `folder`,
/// created when missing, under the first free name `NNNN-<type>.xml`. The
/// record is written whole to a temporary file in the folder and flushed to
/// the disk before it gets its name, which never replaces another file: a
/// record under its name is complete, and demos filing into one folder at
/// the same time never take the same name. Returns the record's path; on
/// failure nothing, `error` the reason, and no file is left behind.
std::optional<std::string> fileRecord(const std::string& type, const std::string& record,
                                      const std::string& folder, std::string& error);

} // namespace ostrel::demo
