#include "document/CMEditableDocument.h"

CMEditableDocument::CMEditableDocument(const std::string& type) : type_(type) {}

CMEditableDocument::CMEditableDocument(const CMEditableDocument& other)
    : type_(other.type_), name_(other.name_), description_(other.description_) {
    copyAttributesFrom(other);
}

CMEditableDocument& CMEditableDocument::operator=(const CMEditableDocument& other) {
    if (this != &other) {
        type_ = other.type_;
        name_ = other.name_;
        description_ = other.description_;
        index_.clear();
        properties_.clear();
        copyAttributesFrom(other);
    }
    return *this;
}

void CMEditableDocument::copyAttributesFrom(const CMEditableDocument& other) {
    for (const auto& attribute : other.properties_) {
        std::unique_ptr<OstrelDocAttribute> copy(attribute->clone());
        index_.emplace(copy->getAttrName().str(), copy.get());
        properties_.push_back(std::move(copy));
    }
}

bool CMEditableDocument::addProperty(OstrelDocAttribute* attribute) {
    // A refused attribute stays the caller's.
    if (attribute == nullptr || index_.contains(attribute->getAttrName().str())) {
        return false;
    }
    return adoptProperty(std::unique_ptr<OstrelDocAttribute>(attribute));
}

bool CMEditableDocument::adoptProperty(std::unique_ptr<OstrelDocAttribute> attribute) {
    if (!attribute) {
        return false;
    }
    const auto [it, inserted] = index_.try_emplace(attribute->getAttrName().str(), attribute.get());
    if (!inserted) {
        return false;
    }
    properties_.push_back(std::move(attribute));
    return true;
}

bool CMEditableDocument::getProperties(std::list<OstrelDocAttribute*>& attributes) {
    for (const auto& attribute : properties_) {
        attributes.push_back(attribute.get());
    }
    return true;
}

bool CMEditableDocument::getValues(std::map<Ostrel::u8string, Ostrel::u8string>& values) {
    for (const auto& attribute : properties_) {
        values[attribute->getAttrName()] = attribute->getValue();
    }
    return true;
}

bool CMEditableDocument::setValues(const std::map<Ostrel::u8string, Ostrel::u8string>& values) {
    for (const auto& [name, value] : values) {
        if (OstrelDocAttribute* attribute = findPropertyByType(name.str())) {
            attribute->setValue(value);
        }
    }
    return true;
}

bool CMEditableDocument::isValid() {
    if (properties_.empty()) {
        return true;
    }
    bool filledEditableSeen = false;
    for (const auto& attribute : properties_) {
        const Ostrel::u8string& value = attribute->getValue();
        Ostrel::u8string message;
        if (attribute->isMandatory() && !attribute->isValid(value, message)) {
            return false;
        }
        if (attribute->getStatus() == OstrelDocAttributeTemplate::Editable && !value.empty() &&
            attribute->isValid(value, message)) {
            filledEditableSeen = true;
        }
    }
    return filledEditableSeen;
}

OstrelDocAttribute* CMEditableDocument::findPropertyByType(const std::string& name) {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : it->second;
}

bool CMEditableDocument::removeProperty(const std::string& name) {
    for (auto it = properties_.begin(); it != properties_.end(); ++it) {
        if ((*it)->getAttrName().str() == name) {
            index_.erase(name);
            properties_.erase(it);
            return true;
        }
    }
    return false;
}
