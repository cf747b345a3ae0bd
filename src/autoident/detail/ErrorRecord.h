#pragma once

#include "host/common/OstrelException.h"

#include <string>

namespace ostrel::autoident::detail {

/// Leaves a record of a failure in `errors` when the caller passed one: the
/// source file's name and a line number fixed per failure, so that support
/// staff can tell the failures of the counters apart.
inline void recordError(OstrelException* errors, const char* sourceFile, int line,
                        const std::string& message) {
    if (errors != nullptr) {
        errors->setError(sourceFile, line, Ostrel::u8string(message));
    }
}

} // namespace ostrel::autoident::detail
