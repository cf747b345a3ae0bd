#include "host/common/AttributeTemplate.h"

bool AttributeTemplate::getProperty(const Ostrel::u8string& name, Ostrel::u8string& value) const {
    const auto it = properties_.find(name);
    if (it == properties_.end()) {
        return false;
    }
    value = it->second;
    return true;
}

AttributeTemplate& AttributeTemplate::setProperty(const Ostrel::u8string& name,
                                                  const Ostrel::u8string& value) {
    properties_[name] = value;
    return *this;
}
