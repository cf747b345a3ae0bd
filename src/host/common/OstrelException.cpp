#include "host/common/OstrelException.h"

void OstrelException::setError(const Ostrel::u8string& sourceFile, int line,
                               const Ostrel::u8string& message) {
    records_.push_back(Record{sourceFile, line, message});
}
