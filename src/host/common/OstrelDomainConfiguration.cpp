#include "host/common/OstrelDomainConfiguration.h"

void OstrelSharedConfiguration::setCustomFont(const Ostrel::u8string& name, int charset,
                                              int height) {
    useCustomFont_ = true;
    fontName_ = name;
    fontCharset_ = charset;
    fontHeight_ = height;
}

bool OstrelDomainConfiguration::getValue(const Ostrel::u8string& key,
                                         Ostrel::u8string& value) const {
    const auto it = values_.find(key);
    if (it == values_.end()) {
        return false;
    }
    value = it->second;
    return true;
}

void OstrelDomainConfiguration::setValue(const Ostrel::u8string& key,
                                         const Ostrel::u8string& value) {
    values_[key] = value;
}
