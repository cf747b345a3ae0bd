#pragma once

#include <iosfwd>
#include <string>

namespace ostrel::demo {

/// How the demo runs; see main.cpp for the command line.
struct DemoOptions {
    std::string domainsFile;
    /// Counter values, filed documents and pictures go here.
    std::string workFolder;
    /// Empty: the user operates the dialogs. Otherwise the script's steps are
    /// carried out with the keyboard and pictures are saved.
    std::string scriptFile;
    /// Today for the counters and the filing time, "YYYY-MM-DD"; empty: the
    /// system clock.
    std::string date;
    /// A PostgreSQL URI: the counters live there, and documents are filed
    /// into its ostrel_filed_document in the transaction that numbered them.
    /// Empty: the work folder's value files and filed records.
    std::string database = {};
};

/// Files one document as the options say; needs a QApplication. Returns the
/// process's exit status (0 filed or cancelled, 1 failed, 2 bad options).
int runDemo(const DemoOptions& options, std::ostream& out, std::ostream& err);

} // namespace ostrel::demo
