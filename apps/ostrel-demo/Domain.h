#pragma once

#include "Domains.h"

#include "autoident/AutoIncrementedIdentificators.h"
#include "doctypes/DocumentTypes.h"
#include "doctypes/DocumentTypesFill.h"
#include "host/common/DocumentFactory.h"
#include "host/common/OstrelDomainConfiguration.h"

#include <memory>
#include <optional>
#include <string>

namespace ostrel::demo {

/// The identifier a counter offers for a new document: which counter, which
/// attribute it fills, and the text offered.
struct IdentifierOffer {
    std::string counter;
    std::string attribute;
    std::string text;
    /// Why the counter must not hand this identifier out (it would offer an
    /// identifier again), naming the counter; empty when it may.
    std::string refusal;
};

/// What became of an offered identifier when the document was about to be
/// filed; the message says it in a line for the user.
struct IdentifierUse {
    /// The counter's value file holds the outcome. When it does not, the
    /// identifier may be handed out again, and the document must not be filed.
    bool saved = false;
    std::string identifier; ///< the identifier to file the document under
    std::string message;
};

/// A domain the demo works in, loaded from its configuration: the templates
/// of its description file, the catalogue grouped by the domain's class
/// attribute, the connection name, and its identifier counters with their
/// values in a file of the work folder.
///
/// A template takes its identifier from a counter when it has the class
/// attributes IdentifierCounter (the counter's name) and IdentifierAttribute
/// (the identifier of the attribute the counter fills).
class Domain {
public:
    /// Loads the domain; the counter values live in
    /// `<valuesFolder>/<id>-identifier-values.xml`, or in the counter
    /// database that `database` names when it is not empty. Null, with
    /// `error` set, when a file of the domain cannot be read or fails its
    /// checks, or the database cannot be used.
    static std::unique_ptr<Domain> load(const DomainEntry& entry, const std::string& valuesFolder,
                                        std::string& error, const std::string& database = {});

    Domain(const Domain&) = delete;
    Domain& operator=(const Domain&) = delete;

    const DomainEntry& entry() const { return entry_; }
    DocumentFactory& templates() { return templates_; }
    DocumentTypes& types() { return types_; }
    OstrelDomainConfiguration& configuration() { return configuration_; }
    const std::string& valueFile() const { return valueFile_; }
    AutoIncrementedIdentificators& counters() { return counters_; }

    /// The group the template is listed under (its class attribute), empty when none.
    std::string groupOf(const DocumentTemplate& documentTemplate) const;

    /// The counter's next identifier for a document of the template, to be
    /// offered in the field it fills; nothing when the template names no
    /// counter this domain defines. Does not advance the counter.
    std::optional<IdentifierOffer> offerIdentifier(const DocumentTemplate& documentTemplate);

    /// The document is to be filed with `confirmed` in the offered
    /// identifier's attribute: the counter hands out its next identifier when
    /// the offer was kept (which is another one when a process sharing the
    /// value file took the offered one meanwhile), follows a typed identifier
    /// otherwise (an identifier it cannot follow, or an emptied field, leaves
    /// it as it was). The value file is locked, re-read and replaced; an
    /// identifier is reported used only once the value file holds it.
    IdentifierUse recordIdentifierUse(const IdentifierOffer& offer, const std::string& confirmed);

private:
    Domain() = default;

    DomainEntry entry_;
    DocumentFactory templates_;
    DocumentTypes types_; // refers to the templates above
    DocumentTypesFill fill_;
    OstrelDomainConfiguration configuration_;
    // Shared: several demo runs, or users, may number from one value file.
    AutoIncrementedIdentificators counters_{AutoIncrementedIdentificators::Mode::Shared};
    std::string valueFile_;
};

} // namespace ostrel::demo
