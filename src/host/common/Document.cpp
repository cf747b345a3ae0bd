#include "host/common/Document.h"

Document& Document::addValue(const Ostrel::u8string& name, const Ostrel::u8string& value) {
    values_.emplace_back(name, value);
    return *this;
}

bool Document::getValues(std::map<Ostrel::u8string, Ostrel::u8string>& values) const {
    for (const auto& [name, value] : values_) {
        values[name] = value;
    }
    return true;
}
