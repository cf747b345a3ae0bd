#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <vector>

/// The error record passed by reference into operations that can fail. Each
/// failed check adds one record; all records are kept, in the order in which
/// they were made, so callers (the command line, tests) can show the whole
/// chain from the innermost check outwards.
class OSTREL_EXPORT OstrelException {
public:
    struct Record {
        Ostrel::u8string sourceFile;
        int line = 0;
        Ostrel::u8string message;

        friend bool operator==(const Record&, const Record&) = default;
    };

    OstrelException() = default;
    // A polymorphic base: the virtual destructor would otherwise cost the
    // copies and moves their implicit declarations.
    virtual ~OstrelException() = default;
    OstrelException(const OstrelException&) = default;
    OstrelException& operator=(const OstrelException&) = default;
    OstrelException(OstrelException&&) noexcept = default;
    OstrelException& operator=(OstrelException&&) noexcept = default;

    virtual void setError(const Ostrel::u8string& sourceFile, int line,
                          const Ostrel::u8string& message);

    const std::vector<Record>& getRecords() const { return records_; }
    bool hasError() const { return !records_.empty(); }
    void clear() { records_.clear(); }

private:
    std::vector<Record> records_;
};
