#include "host/common/DocumentFactory.h"

DocumentFactory::DocumentFactory(const DocumentFactory& other) {
    for (const auto& [type, documentTemplate] : other.templates_) {
        templates_.emplace(type, std::make_unique<DocumentTemplate>(*documentTemplate));
    }
}

DocumentFactory& DocumentFactory::operator=(const DocumentFactory& other) {
    if (this != &other) {
        *this = DocumentFactory(other);
    }
    return *this;
}

DocumentTemplate* DocumentFactory::createTemplate(const Ostrel::u8string& type) {
    return addTemplate(std::make_unique<DocumentTemplate>(type));
}

DocumentTemplate* DocumentFactory::addTemplate(std::unique_ptr<DocumentTemplate> documentTemplate) {
    if (!documentTemplate) {
        return nullptr;
    }
    const Ostrel::u8string type = documentTemplate->getType();
    const auto [it, inserted] = templates_.try_emplace(type, std::move(documentTemplate));
    return inserted ? it->second.get() : nullptr;
}

DocumentTemplate* DocumentFactory::findTemplate(const Ostrel::u8string& type) const {
    const auto it = templates_.find(type);
    return it == templates_.end() ? nullptr : it->second.get();
}

DocumentTemplateIterator::DocumentTemplateIterator(DocumentFactory& factory)
    : current_(factory.templates_.cbegin()), end_(factory.templates_.cend()) {}

DocumentTemplate* DocumentTemplateIterator::next() {
    if (current_ == end_) {
        return nullptr;
    }
    return (current_++)->second.get();
}
