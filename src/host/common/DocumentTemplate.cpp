#include "host/common/DocumentTemplate.h"

#include "host/common/detail/PropertyMap.h"

DocumentTemplate::DocumentTemplate(const DocumentTemplate& other)
    : type_(other.type_), properties_(other.properties_), usable_(other.usable_) {
    attributes_.reserve(other.attributes_.size());
    for (const auto& attribute : other.attributes_) {
        attributes_.push_back(attribute ? std::make_unique<AttributeTemplate>(*attribute)
                                        : nullptr);
    }
}

DocumentTemplate& DocumentTemplate::operator=(const DocumentTemplate& other) {
    if (this != &other) {
        *this = DocumentTemplate(other);
    }
    return *this;
}

bool DocumentTemplate::getProperty(const Ostrel::u8string& name, Ostrel::u8string& value) const {
    return ostrel::detail::findProperty(properties_, name, value);
}

DocumentTemplate& DocumentTemplate::setProperty(const Ostrel::u8string& name,
                                                const Ostrel::u8string& value) {
    properties_[name] = value;
    return *this;
}

AttributeTemplate* DocumentTemplate::getAttribute(unsigned index) const {
    return index < attributes_.size() ? attributes_[index].get() : nullptr;
}

AttributeTemplate& DocumentTemplate::addAttribute(const Ostrel::u8string& identifier) {
    attributes_.push_back(std::make_unique<AttributeTemplate>(identifier));
    return *attributes_.back();
}

void DocumentTemplate::appendAttribute(std::unique_ptr<AttributeTemplate> attribute) {
    attributes_.push_back(std::move(attribute));
}
