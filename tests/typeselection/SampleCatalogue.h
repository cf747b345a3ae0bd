#pragma once

#include "doctypes/DocumentTypes.h"
#include "host/common/DocumentTemplate.h"
#include "host/common/OstrelDomainConfiguration.h"
#include "support/DialogFixture.h"

#include <map>
#include <memory>
#include <string>

namespace ostrel::test {

/// The catalogue the type selection tests run on, in catalogue order:
///
///     Finance            Invoice, Order, Inventory, receipt, Účtenka; Archive (not creatable)
///     Letters            Letter (with the creatable Reply below it), Invoice
///     Projects           Contracts (a group, not creatable) with Lease below it
///     Empty              Draft (not creatable)
///
/// Groups are typed "OSTREL.AREA.<name>"; every creatable type has a template of its own type.
struct SampleCatalogue {
    DocumentTypes types;
    std::map<std::string, std::unique_ptr<DocumentTemplate>> templates;

    SampleCatalogue() {
        group("Finance");
        type("OSTREL.AREA.Finance", "FIN.INVOICE", "Invoice", "Invoice received from a supplier");
        type("OSTREL.AREA.Finance", "FIN.ORDER", "Order", "  Purchase\r\norder  ");
        type("OSTREL.AREA.Finance", "FIN.INVENTORY", "Inventory", "Stock count");
        type("OSTREL.AREA.Finance", "FIN.RECEIPT", "receipt", "Cash receipt");
        type("OSTREL.AREA.Finance", "FIN.UCTENKA", "\xC3\x9A\xC4\x8Dtenka", "Czech receipt");
        types.addDocumentType("OSTREL.AREA.Finance", "FIN.ARCHIVE", "Archive", "", nullptr, false);
        group("Letters");
        type("OSTREL.AREA.Letters", "LET.LETTER", "Letter", "Outgoing letter");
        type("LET.LETTER", "LET.REPLY", "Reply", "Reply to a letter");
        type("OSTREL.AREA.Letters", "LET.INVOICE", "Invoice", "Invoice sent as a letter");
        group("Projects");
        types.addDocumentType("OSTREL.AREA.Projects", "PRJ.CONTRACTS", "Contracts", "", nullptr,
                              false);
        type("PRJ.CONTRACTS", "PRJ.LEASE", "Lease", "Lease contract");
        group("Empty");
        types.addDocumentType("OSTREL.AREA.Empty", "EMP.DRAFT", "Draft", "", nullptr, false);
    }

    DocumentTypeItem* item(const std::string& type) const { return types.getDocTypeItem(type); }
    DocumentTemplate* templateOf(const std::string& type) const { return templates.at(type).get(); }

private:
    void group(const std::string& name) {
        types.addDocumentType("", "OSTREL.AREA." + name, name, "", nullptr, false);
    }
    void type(const std::string& parent, const std::string& type, const std::string& name,
              const std::string& description) {
        auto& documentTemplate = templates[type];
        documentTemplate = std::make_unique<DocumentTemplate>(type);
        types.addDocumentType(parent, type, name, description, documentTemplate.get(), true);
    }
};

/// The sample catalogue with what a dialog meets in the process.
class TypeSelectionTest : public DialogTest {
protected:
    SampleCatalogue catalogue;
    OstrelDomainConfiguration configuration;
};

} // namespace ostrel::test
