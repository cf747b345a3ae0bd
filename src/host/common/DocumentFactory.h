#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"
#include "host/common/DocumentTemplate.h"

#include <map>
#include <memory>

/// The host's set of document templates, keyed by type identifier. Owns its
/// templates. Templates are built in code (hosts, tests, the demo) or loaded
/// from a template description.
class OSTREL_EXPORT DocumentFactory {
public:
    DocumentFactory() = default;
    /// Copies are deep: a copy owns copies of the templates.
    DocumentFactory(const DocumentFactory& other);
    DocumentFactory& operator=(const DocumentFactory& other);
    DocumentFactory(DocumentFactory&&) noexcept = default;
    DocumentFactory& operator=(DocumentFactory&&) noexcept = default;

    /// Adds a new, empty template of that type and returns it; null when a
    /// template of that type exists already.
    DocumentTemplate* createTemplate(const Ostrel::u8string& type);
    /// Takes a template over; null (and the template discarded) when it is
    /// null or a template of its type exists already.
    DocumentTemplate* addTemplate(std::unique_ptr<DocumentTemplate> documentTemplate);
    /// The template of that type, or null.
    DocumentTemplate* findTemplate(const Ostrel::u8string& type) const;
    unsigned getTemplateCount() const { return static_cast<unsigned>(templates_.size()); }

private:
    friend class DocumentTemplateIterator;
    std::map<Ostrel::u8string, std::unique_ptr<DocumentTemplate>> templates_;
};

/// Walks a factory's templates in ascending byte order of their types. The
/// factory must outlive the iterator and must not change while it walks.
class OSTREL_EXPORT DocumentTemplateIterator {
public:
    explicit DocumentTemplateIterator(DocumentFactory& factory);
    virtual ~DocumentTemplateIterator() = default;

    /// The next template: the first on the first call, null after the last.
    DocumentTemplate* next();

private:
    using Map = std::map<Ostrel::u8string, std::unique_ptr<DocumentTemplate>>;
    Map::const_iterator current_;
    Map::const_iterator end_;
};
