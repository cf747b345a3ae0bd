#pragma once

#include "host/common/OstrelException.h"

#include <ostream>

namespace ostrel::cli {

/// Prints every record of `ex` as SOURCE:LINE: MESSAGE, one per line, in the
/// order made (innermost check first). A line feed inside a message shows as
/// "\n", so that scripts can count and grep the records.
inline void printErrorRecords(const OstrelException& ex, std::ostream& err) {
    for (const OstrelException::Record& record : ex.getRecords()) {
        err << record.sourceFile.str() << ':' << record.line << ": ";
        for (const char c : record.message.str()) {
            if (c == '\n') {
                err << "\\n";
            } else {
                err << c;
            }
        }
        err << '\n';
    }
}

} // namespace ostrel::cli
