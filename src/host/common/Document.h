#pragma once

#include "ostrel_export.h"

#include "host/base/U8String.h"

#include <map>
#include <utility>
#include <vector>

class DocumentTemplate;

/// A document stored in the repository, as the host hands it to the library:
/// its id, its template (which may be missing) and its stored properties.
class OSTREL_EXPORT Document {
public:
    Document(unsigned long id, DocumentTemplate* documentTemplate)
        : id_(id), template_(documentTemplate) {}

    unsigned long getId() const { return id_; }
    /// The template, not owned; may be null.
    DocumentTemplate* getTemplate() const { return template_; }

    /// Appends a stored property. The same name may be stored more than once.
    Document& addValue(const Ostrel::u8string& name, const Ostrel::u8string& value);
    /// Enters every stored property into `values`; a later property of the
    /// same name overwrites an earlier one, other entries of `values` stay.
    bool getValues(std::map<Ostrel::u8string, Ostrel::u8string>& values) const;

private:
    unsigned long id_;
    DocumentTemplate* template_;
    std::vector<std::pair<Ostrel::u8string, Ostrel::u8string>> values_;
};
