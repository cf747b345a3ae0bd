#include "host/common/OstrelDomainConfiguration.h"

#include "host/common/detail/PropertyMap.h"

void OstrelSharedConfiguration::setCustomFont(const Ostrel::u8string& name, int charset,
                                              int height) {
    useCustomFont_ = true;
    fontName_ = name;
    fontCharset_ = charset;
    fontHeight_ = height;
}

bool OstrelDomainConfiguration::getValue(const Ostrel::u8string& key,
                                         Ostrel::u8string& value) const {
    return ostrel::detail::findProperty(values_, key, value);
}

void OstrelDomainConfiguration::setValue(const Ostrel::u8string& key,
                                         const Ostrel::u8string& value) {
    values_[key] = value;
}
