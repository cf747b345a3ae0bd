#include "host/common/AttributeTemplate.h"

#include "host/common/detail/PropertyMap.h"

bool AttributeTemplate::getProperty(const Ostrel::u8string& name, Ostrel::u8string& value) const {
    return ostrel::detail::findProperty(properties_, name, value);
}

AttributeTemplate& AttributeTemplate::setProperty(const Ostrel::u8string& name,
                                                  const Ostrel::u8string& value) {
    properties_[name] = value;
    return *this;
}
