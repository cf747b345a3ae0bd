#include "qt/DemoHost.h"

#include "WorkFolder.h"
#include "qt/ResultDialog.h"

#include "autoident/FilingTransaction.h"
#include "document/CMEditableDocumentFactory.h"
#include "host/common/OstrelException.h"
#include "identification/qt/DocumentIdentificationDlg2.h"
#include "platform/MessageSink.h"
#include "typeselection/qt/DocumentTypeSelectionDlg2.h"

#include <filesystem>
#include <list>
#include <map>
#include <optional>
#include <ostream>

namespace ostrel::demo {
namespace {

/// Why the document may not be filed, empty when it may: the message of the
/// first mandatory attribute that refuses its value. The identification
/// dialog passes empty fields, which a mandatory attribute refuses.
std::string refusal(CMEditableDocument& document) {
    if (document.isValid()) {
        return {};
    }
    std::list<OstrelDocAttribute*> attributes;
    document.getProperties(attributes);
    for (const OstrelDocAttribute* attribute : attributes) {
        Ostrel::u8string message;
        if (attribute->isMandatory() && !attribute->isValid(attribute->getValue(), message)) {
            return message.str();
        }
    }
    return "no identification value is filled in";
}

} // namespace

DemoHost::DemoHost(std::vector<DomainEntry> domains, std::string workFolder, std::ostream& out,
                   std::ostream& err, std::string database)
    : entries_(std::move(domains)), domains_(entries_.size()), workFolder_(std::move(workFolder)),
      database_(std::move(database)), out_(out), err_(err) {}

DemoHost::~DemoHost() = default;

Domain* DemoHost::domain(std::size_t index) {
    if (!domains_[index]) {
        std::string error;
        domains_[index] =
            Domain::load(entries_[index], (std::filesystem::path(workFolder_) / "values").string(),
                         error, database_);
        if (!domains_[index]) {
            err_ << "ostrel-demo: the domain " << entries_[index].name
                 << " cannot be loaded: " << error << '\n';
        }
    }
    return domains_[index].get();
}

int DemoHost::run(DialogDriver* driver) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(workFolder_) / "values", ignored);

    // The type, in the domain the user settles on.
    std::size_t current = 0;
    DocumentTemplate* chosen = nullptr;
    for (std::size_t showing = 0; chosen == nullptr; ++showing) {
        Domain* working = domain(current);
        if (working == nullptr) {
            return 1;
        }
        out_ << "Domain: " << working->entry().name << '\n';
        DocumentTypeSelectionDlg2 dialog(working->types(), &working->configuration(), "",
                                         entries_.size() > 1);
        if (driver != nullptr) {
            driver->willRunTypeSelection(dialog, *working, showing);
        }
        if (dialog.DoModal() == 1) {
            chosen = dialog.getSelectedDocumentTemplate();
            if (chosen == nullptr) {
                out_ << "No document type was chosen: nothing filed.\n";
                return 0;
            }
        } else if (dialog.getChangeDomain()) {
            current = (current + 1) % entries_.size();
        } else {
            out_ << "Type selection cancelled: nothing filed.\n";
            return 0;
        }
    }
    Domain& working = *domains_[current];
    Ostrel::u8string typeName;
    chosen->getProperty("name", typeName);
    out_ << "Document type: " << typeName.str() << " (" << chosen->getType().str() << ")\n";

    const std::unique_ptr<CMEditableDocument> document(
        CMEditableDocumentFactory().createDocument(*chosen));
    if (!document) {
        err_ << "ostrel-demo: the template " << chosen->getType().str() << " gives no document\n";
        return 1;
    }
    const std::optional<IdentifierOffer> offer = working.offerIdentifier(*chosen);
    if (offer && !offer->refusal.empty()) {
        err_ << "ostrel-demo: " << offer->refusal << "; nothing filed\n";
        return 1;
    }
    if (offer) {
        document->setValues({{offer->attribute, offer->text}});
        out_ << "Offered " << offer->attribute << ": " << offer->text << " (counter "
             << offer->counter << ")\n";
    }

    // Until the document holds what it needs to be filed: the dialog shows
    // again with everything as typed, as the dialog does with a value it
    // refuses itself. A script has one go.
    for (;;) {
        DocumentIdentificationDlg2 identification(*document, &working.configuration());
        if (driver != nullptr) {
            driver->willRunIdentification(identification, *document);
        }
        if (identification.DoModal() != 1) {
            out_ << "Identification cancelled: nothing filed.\n";
            return 0;
        }
        const std::string refused = refusal(*document);
        if (refused.empty()) {
            break;
        }
        if (driver != nullptr) {
            err_ << "ostrel-demo: the document cannot be filed: " << refused << '\n';
            return 1;
        }
        platform::MessageSink::getDefault().showError(nullptr, "ostrel-demo", refused);
    }

    std::map<Ostrel::u8string, Ostrel::u8string> values;
    document->getValues(values);
    FiledDocument filed{chosen->getType().str(), typeName.str(), working.entry().name, {}, {}};
    for (const auto& [id, value] : values) {
        filed.values[id.str()] = value.str();
    }
    filed.filedAt.setNowLocal();
    if (!file(working, std::move(filed), offer)) {
        return 1;
    }

    ResultDialog result(QString::fromStdString(filedFile_), QString::fromStdString(filedRecord_));
    if (driver != nullptr) {
        driver->willShowResult(result);
    }
    result.exec();
    return 0;
}

bool DemoHost::file(Domain& domain, FiledDocument filed,
                    const std::optional<IdentifierOffer>& offer) {
    if (!database_.empty()) {
        return fileInDatabase(domain, std::move(filed), offer);
    }
    std::optional<IdentifierUse> use;
    if (offer) {
        std::string& identifier = filed.values[offer->attribute];
        use = domain.recordIdentifierUse(*offer, identifier);
        if (!use->saved) {
            err_ << "ostrel-demo: " << use->message << "; nothing filed\n";
            return false;
        }
        identifier = use->identifier;
    }
    const std::string record = filedDocumentXml(filed);
    const std::string folder = (std::filesystem::path(workFolder_) / "filed").string();
    std::string error;
    const std::optional<std::string> path = fileRecord(filed.type, record, folder, error);

    if (use) {
        out_ << use->message << '\n'; // used up, whether the record was written or not
    }
    if (!path) {
        err_ << "ostrel-demo: the document could not be filed in " << folder << ": " << error
             << '\n';
        return false;
    }
    filedFile_ = *path;
    filedRecord_ = record;
    out_ << "Filed: " << *path << '\n' << record;
    return true;
}

bool DemoHost::fileInDatabase(Domain& domain, FiledDocument filed,
                              const std::optional<IdentifierOffer>& offer) {
    OstrelException errors;
    FilingTransaction filing(domain.counters(), &errors);
    std::string identifier;
    std::string used;
    if (offer && !filed.values[offer->attribute].empty()) {
        std::string& value = filed.values[offer->attribute];
        if (value == offer->text) {
            // Used only once the document is filed: a failure below returns
            // it to the next document.
            if (const auto taken = filing.takeValue(offer->counter.c_str(), &errors)) {
                value = *taken;
                used = offer->counter + ": " + value + " used";
            }
        } else if (filing.updateIdentifier(offer->counter.c_str(), value.c_str(), &errors)) {
            used = offer->counter + ": " + value + " used";
        } else if (filing.isOpen()) {
            out_ << offer->counter << ": " << value
                 << " is not today's prefix and a number; the counter stays at " << offer->text
                 << '\n';
        }
        identifier = value;
    }
    const bool filedInDatabase =
        !errors.hasError() &&
        filing.execute(
            "INSERT INTO ostrel_filed_document (identifier, document_type, domain, "
            "attribute_values, filed_at) "
            "VALUES (NULLIF($1, ''), $2, $3, $4::jsonb, $5::timestamp)",
            {identifier, filed.type, filed.domain, attributeValuesJson(filed), filedTime(filed)},
            &errors) &&
        filing.commit(&errors);
    if (!filedInDatabase) {
        err_ << "ostrel-demo: the document could not be filed in the database: "
             << (errors.hasError() ? errors.getRecords().back().message.str() : "no connection")
             << "; nothing filed\n";
        return false;
    }
    if (!used.empty()) {
        long fixedLength = 0;
        const char* next = domain.counters().getValue(offer->counter.c_str(), fixedLength);
        out_ << used
             << (used.find(", next") == std::string::npos && next ? std::string(", next ") + next
                                                                  : std::string())
             << '\n';
    }
    filedRecord_ = filedDocumentXml(filed);
    filedFile_ = "ostrel_filed_document" + (identifier.empty() ? "" : ", identifier " + identifier);
    out_ << "Filed: " << filedFile_ << '\n' << filedRecord_;
    return true;
}

} // namespace ostrel::demo
